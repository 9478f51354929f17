// Pin connection: type negotiation in both directions, disconnection and
// sample hand-over.

#include "platform/dshow/Pin.h"

#include "platform/dshow/BaseFilter.h"

namespace dshow {

Pin::Pin(BaseFilter& filter, PIN_DIRECTION direction, std::u16string name, PinBehaviour behaviour)
    : filter_(filter)
    , direction_(direction)
    , name_(std::move(name))
    , behaviour_(std::move(behaviour))
    , sample_(com::ComPtr<Sample>::Attach(new Sample))
{
}

HRESULT Pin::QueryInterface(REFIID iid, void** out)
{
    if (direction_ == PINDIR_INPUT)
        return com::QueryInterfaceOf<IPin, IMemInputPin>(this, iid, out);
    return com::QueryInterfaceOf<IPin>(this, iid, out);
}

ULONG Pin::AddRef() { return filter_.AddRef(); }
ULONG Pin::Release() { return filter_.Release(); }

HRESULT Pin::Connect(IPin* receiver, const AM_MEDIA_TYPE* type)
{
    if (!receiver)
        return E_POINTER;
    if (direction_ != PINDIR_OUTPUT)
        return E_UNEXPECTED;
    if (peer_)
        return VFW_E_ALREADY_CONNECTED;
    if (filter_.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    bool complete = type && type->majortype != GUID_NULL && type->subtype != GUID_NULL && type->formattype != GUID_NULL;
    if (complete)
        return TryType(receiver, *type);
    // Our own proposals first, then the receiver's.
    std::vector<MediaType> candidates = behaviour_.preferred ? behaviour_.preferred() : std::vector<MediaType>();
    com::ComPtr<IEnumMediaTypes> theirs;
    if (SUCCEEDED(receiver->EnumMediaTypes(theirs.Out())) && theirs) {
        AM_MEDIA_TYPE* mt = nullptr;
        while (theirs->Next(1, &mt, nullptr) == S_OK) {
            candidates.emplace_back(*mt);
            DeleteMediaType(mt);
        }
    }
    for (const MediaType& candidate : candidates) {
        if (type && !candidate.MatchesPartial(*type))
            continue;
        if (SUCCEEDED(TryType(receiver, candidate.Get())))
            return S_OK;
    }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT Pin::TryType(IPin* receiver, const AM_MEDIA_TYPE& type)
{
    if (!behaviour_.check || FAILED(behaviour_.check(type)))
        return VFW_E_TYPE_NOT_ACCEPTED;
    com::ComPtr<IMemInputPin> input;
    receiver->QueryInterface(IMemInputPin::kIid, input.OutVoid());
    if (!input)
        return VFW_E_NO_ALLOCATOR;
    HRESULT hr = receiver->ReceiveConnection(this, &type);
    if (FAILED(hr))
        return hr;
    Attach(receiver, type);
    peerInput_ = input;
    hr = behaviour_.connected ? behaviour_.connected() : S_OK;
    if (FAILED(hr)) {
        receiver->Disconnect();
        Disconnect();
    }
    return hr;
}

HRESULT Pin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type)
{
    if (!connector || !type)
        return E_POINTER;
    if (direction_ != PINDIR_INPUT)
        return E_UNEXPECTED;
    if (peer_)
        return VFW_E_ALREADY_CONNECTED;
    if (filter_.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (!behaviour_.check || FAILED(behaviour_.check(*type)))
        return VFW_E_TYPE_NOT_ACCEPTED;
    Attach(connector, *type);
    HRESULT hr = behaviour_.connected ? behaviour_.connected() : S_OK;
    if (FAILED(hr))
        Disconnect();
    return hr;
}

void Pin::Attach(IPin* peer, const AM_MEDIA_TYPE& type)
{
    peer_ = com::ComPtr<IPin>::Share(peer);
    type_ = MediaType(type);
}

HRESULT Pin::Disconnect()
{
    if (filter_.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (!peer_)
        return S_FALSE;
    peer_.Reset();
    peerInput_.Reset();
    type_ = MediaType();
    return S_OK;
}

HRESULT Pin::ConnectedTo(IPin** out)
{
    if (!out)
        return E_POINTER;
    *out = com::ComPtr<IPin>(peer_).Detach();
    return *out ? S_OK : VFW_E_NOT_CONNECTED;
}

HRESULT Pin::ConnectionMediaType(AM_MEDIA_TYPE* out)
{
    if (!out)
        return E_POINTER;
    if (!peer_) {
        *out = AM_MEDIA_TYPE {};
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(out, &type_.Get());
}

HRESULT Pin::QueryPinInfo(PIN_INFO* out)
{
    if (!out)
        return E_POINTER;
    out->pFilter = &filter_;
    filter_.AddRef();
    out->dir = direction_;
    CopyName(out->achName, MAX_PIN_NAME, name_);
    return S_OK;
}

HRESULT Pin::QueryDirection(PIN_DIRECTION* out)
{
    if (!out)
        return E_POINTER;
    *out = direction_;
    return S_OK;
}

HRESULT Pin::QueryAccept(const AM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    return behaviour_.check && SUCCEEDED(behaviour_.check(*type)) ? S_OK : S_FALSE;
}

HRESULT Pin::EnumMediaTypes(IEnumMediaTypes** out)
{
    if (!out)
        return E_POINTER;
    *out = NewMediaTypeEnum(behaviour_.preferred ? behaviour_.preferred() : std::vector<MediaType>());
    return S_OK;
}

HRESULT Pin::Receive(IMediaSample* sample)
{
    if (!sample)
        return E_POINTER;
    if (direction_ != PINDIR_INPUT || !behaviour_.receive)
        return E_UNEXPECTED;
    if (filter_.State() == State_Stopped)
        return VFW_E_WRONG_STATE;
    return behaviour_.receive(sample);
}

HRESULT Pin::Deliver(IMediaSample* sample)
{
    // The connection can't change while the filter runs: pins disconnect
    // only when stopped, and the graph stops its source first.
    if (!peerInput_)
        return VFW_E_NOT_CONNECTED;
    return peerInput_->Receive(sample);
}

} // namespace dshow
