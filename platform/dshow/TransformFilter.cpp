// Pin wiring of one-in, one-out filters.

#include "platform/dshow/TransformFilter.h"

namespace dshow {

TransformFilter::TransformFilter()
{
    PinBehaviour in;
    in.check = [this](const AM_MEDIA_TYPE& t) { return CheckInput(t); };
    in.receive = [this](IMediaSample* s) { return Process(s); };
    input_ = &AddPin(std::make_unique<Pin>(*this, PINDIR_INPUT, u"In", std::move(in)));

    PinBehaviour out;
    out.check = [this](const AM_MEDIA_TYPE& t) { return CheckOutput(t); };
    out.preferred = [this] { return input_->IsConnected() ? OutputTypes(input_->Type()) : std::vector<MediaType>(); };
    out.connected = [this] { return OutputConnected(); };
    output_ = &AddPin(std::make_unique<Pin>(*this, PINDIR_OUTPUT, u"Out", std::move(out)));
}

HRESULT TransformFilter::CheckOutput(const AM_MEDIA_TYPE& type)
{
    // Until the input is connected nothing is known about the output.
    if (!input_->IsConnected())
        return VFW_E_NOT_CONNECTED;
    for (const MediaType& offered : OutputTypes(input_->Type())) {
        if (offered.SameAs(type))
            return S_OK;
    }
    return VFW_E_TYPE_NOT_ACCEPTED;
}

} // namespace dshow
