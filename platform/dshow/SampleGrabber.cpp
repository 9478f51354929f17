// The Sample Grabber's type filter, callback and sample copy.

#include "platform/dshow/SampleGrabber.h"

#include <cstring>

namespace dshow {

HRESULT SampleGrabber::Create(REFIID iid, void** out)
{
    auto* filter = new SampleGrabber;
    HRESULT hr = filter->TransformFilter::QueryInterface(iid, out);
    filter->TransformFilter::Release();
    return hr;
}

HRESULT SampleGrabber::QueryExtra(REFIID iid, void** out)
{
    if (iid != ISampleGrabber::kIid)
        return E_NOINTERFACE;
    *out = static_cast<ISampleGrabber*>(this);
    AddRef();
    return S_OK;
}

HRESULT SampleGrabber::SetOneShot(BOOL oneShot)
{
    std::lock_guard guard(lock_);
    oneShot_ = oneShot != FALSE;
    return S_OK;
}

HRESULT SampleGrabber::SetMediaType(const AM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    if (Input().IsConnected())
        return VFW_E_ALREADY_CONNECTED;
    wanted_ = MediaType(*type);
    return S_OK;
}

HRESULT SampleGrabber::GetConnectedMediaType(AM_MEDIA_TYPE* out)
{
    if (!out)
        return E_POINTER;
    return Input().ConnectionMediaType(out);
}

HRESULT SampleGrabber::SetBufferSamples(BOOL buffer)
{
    std::lock_guard guard(lock_);
    bufferSamples_ = buffer != FALSE;
    return S_OK;
}

HRESULT SampleGrabber::GetCurrentBuffer(LONG* size, LONG* buffer)
{
    if (!size)
        return E_POINTER;
    std::lock_guard guard(lock_);
    if (!bufferSamples_ || bufferLength_ == 0)
        return E_INVALIDARG;
    // Without a buffer the caller learns the size it needs.
    if (!buffer) {
        *size = static_cast<LONG>(bufferLength_);
        return S_OK;
    }
    if (static_cast<std::size_t>(*size) < bufferLength_)
        return E_OUTOFMEMORY;
    std::memcpy(buffer, buffer_.data(), bufferLength_);
    *size = static_cast<LONG>(bufferLength_);
    return S_OK;
}

HRESULT SampleGrabber::SetCallback(ISampleGrabberCB* callback, LONG which)
{
    if (which != 0 && which != 1)
        return E_INVALIDARG;
    std::lock_guard guard(lock_);
    // The callback's reference is held the way the program expects: a
    // static object, so no count is taken.
    callback_ = callback;
    which_ = which;
    return S_OK;
}

HRESULT SampleGrabber::CheckInput(const AM_MEDIA_TYPE& type)
{
    return MediaType(type).MatchesPartial(wanted_.Get()) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

std::vector<MediaType> SampleGrabber::OutputTypes(const MediaType& input) { return { input }; }

HRESULT SampleGrabber::OnStart()
{
    std::lock_guard guard(lock_);
    done_ = false;
    return S_OK;
}

HRESULT SampleGrabber::Process(IMediaSample* sample)
{
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    const LONG length = sample->GetActualDataLength();
    {
        std::lock_guard guard(lock_);
        if (oneShot_ && done_)
            return S_FALSE;
        done_ = true;
        if (bufferSamples_) {
            // Grows only when a larger frame arrives, not per frame.
            if (buffer_.size() < static_cast<std::size_t>(length))
                buffer_.resize(static_cast<std::size_t>(length));
            std::memcpy(buffer_.data(), data, static_cast<std::size_t>(length));
            bufferLength_ = static_cast<std::size_t>(length);
        }
        if (callback_) {
            REFERENCE_TIME start = 0, end = 0;
            sample->GetTime(&start, &end);
            double seconds = static_cast<double>(start) / 1e7;
            if (which_ == 1)
                callback_->BufferCB(seconds, data, length);
            else
                callback_->SampleCB(seconds, sample);
        }
    }
    return Output().IsConnected() ? Output().Deliver(sample) : S_OK;
}

} // namespace dshow
