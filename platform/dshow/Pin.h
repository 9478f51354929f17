#pragma once

// A pin of one of the platform's filters. What the pin accepts and offers,
// and what it does with samples, comes from its filter through
// PinBehaviour; the pin keeps the connection. Its reference count is the
// filter's, so a pin keeps its filter alive.

#include "platform/com/ComObject.h"
#include "platform/dshow/MediaType.h"
#include "platform/dshow/Sample.h"

#include <functional>
#include <string>
#include <vector>

namespace dshow {

class BaseFilter;

// How input pins take samples from the output pin they're connected to.
struct IMemInputPin : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 30);
    // Called on the streaming thread, one sample at a time.
    virtual HRESULT Receive(IMediaSample* sample) = 0;
};

struct PinBehaviour {
    // Whether the pin can connect with this type.
    std::function<HRESULT(const AM_MEDIA_TYPE&)> check;
    // The types the pin proposes, best first.
    std::function<std::vector<MediaType>()> preferred;
    // After a connection was made (the type is the pin's), may refuse it.
    std::function<HRESULT()> connected;
    // Input pins: a sample arriving.
    std::function<HRESULT(IMediaSample*)> receive;
};

class Pin : public IPin, public IMemInputPin {
public:
    Pin(BaseFilter& filter, PIN_DIRECTION direction, std::u16string name, PinBehaviour behaviour);
    virtual ~Pin() = default;

    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
    HRESULT ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    HRESULT Disconnect() override;
    HRESULT ConnectedTo(IPin** out) override;
    HRESULT ConnectionMediaType(AM_MEDIA_TYPE* out) override;
    HRESULT QueryPinInfo(PIN_INFO* out) override;
    HRESULT QueryDirection(PIN_DIRECTION* out) override;
    HRESULT QueryAccept(const AM_MEDIA_TYPE* type) override;
    HRESULT EnumMediaTypes(IEnumMediaTypes** out) override;
    HRESULT Receive(IMediaSample* sample) override;

    bool IsConnected() const { return static_cast<bool>(peer_); }
    const MediaType& Type() const { return type_; }
    // Output pins: hands a sample to the connected input pin.
    HRESULT Deliver(IMediaSample* sample);
    // The sample an output pin reuses for its frames.
    Sample& OutputSample() { return *sample_.Get(); }

protected:
    BaseFilter& filter_;

private:
    HRESULT TryType(IPin* receiver, const AM_MEDIA_TYPE& type);
    void Attach(IPin* peer, const AM_MEDIA_TYPE& type);

    PIN_DIRECTION direction_;
    std::u16string name_;
    PinBehaviour behaviour_;
    com::ComPtr<IPin> peer_;
    com::ComPtr<IMemInputPin> peerInput_;
    MediaType type_;
    com::ComPtr<Sample> sample_;
};

} // namespace dshow
