#pragma once

// The system device enumerator: lists the video input devices (the V4L2
// nodes that capture video) as monikers. A device moniker binds to a
// property bag with the device's "FriendlyName" (its card name) and
// "DevicePath", and to its capture filter.

#include "platform/com/ComObject.h"
#include "platform/dshow/DShow.h"

#include <string>

namespace dshow {

class DeviceEnumerator final : public ICreateDevEnum {
public:
    static HRESULT Create(REFIID iid, void** out);

    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        return com::QueryInterfaceOf<ICreateDevEnum>(this, iid, out);
    }
    INKVEIL_COM_REFCOUNT

    HRESULT CreateClassEnumerator(REFCLSID category, IEnumMoniker** out, DWORD flags) override;

private:
    DeviceEnumerator() = default;
    ~DeviceEnumerator() = default;
    com::RefCount refs_;
};

// UTF-8 text (a card name) as UTF-16.
std::u16string Utf16FromUtf8(const std::string& text);

} // namespace dshow
