// Device listing over the V4L2 nodes, device monikers and their property
// bags.

#include "platform/dshow/DeviceEnumerator.h"

#include "platform/com/Com.h"
#include "platform/com/ComEnum.h"
#include "platform/log/Log.h"
#include "platform/v4l2/CaptureFilter.h"

#include <cerrno>
#include <cstring>

namespace dshow {

std::u16string Utf16FromUtf8(const std::string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size() + (extra == 0 ? 1 : 0);
        for (int k = 1; ok && k <= extra; ++k) {
            auto cb = static_cast<unsigned char>(text[i + k]);
            ok = (cb & 0xC0) == 0x80;
            c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out += u'\uFFFD'; // a broken sequence stands for one unknown character
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

namespace {

class DevicePropertyBag final : public IPropertyBag {
public:
    explicit DevicePropertyBag(std::string path)
        : path_(std::move(path))
    {
    }

    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        return com::QueryInterfaceOf<IPropertyBag>(this, iid, out);
    }
    INKVEIL_COM_REFCOUNT

    HRESULT Read(LPCOLESTR name, VARIANT* var, IErrorLog*) override
    {
        if (!name || !var)
            return E_POINTER;
        if (var->vt != VT_EMPTY && var->vt != VT_BSTR)
            return E_INVALIDARG;
        std::u16string property(name);
        std::u16string value;
        if (property == u"FriendlyName") {
            // Read from the device now: a camera that went away, or one
            // without a card name, has no readable name. One that another
            // program holds exclusively has the name its driver gives
            // without opening, or its node's, so that it can be listed and
            // named as busy.
            int error = 0;
            std::unique_ptr<v4l2::Device> device = v4l2::Device::Open(path_, error);
            std::string card;
            std::uint32_t caps = 0;
            if (!device && error == -EBUSY) {
                card = v4l2::CurrentDeviceSystem().Name(path_);
                if (card.empty())
                    card = path_;
            } else if (!device || device->QueryCapabilities(card, caps) != 0 || card.empty()) {
                return E_FAIL;
            }
            value = Utf16FromUtf8(card);
        } else if (property == u"DevicePath") {
            value = Utf16FromUtf8(path_);
        } else {
            return E_INVALIDARG;
        }
        var->vt = VT_BSTR;
        var->bstrVal = SysAllocString(value.c_str());
        return var->bstrVal ? S_OK : E_OUTOFMEMORY;
    }

private:
    ~DevicePropertyBag() = default;
    com::RefCount refs_;
    std::string path_;
};

class DeviceMoniker final : public IMoniker {
public:
    explicit DeviceMoniker(std::string path)
        : path_(std::move(path))
    {
    }

    HRESULT QueryInterface(REFIID iid, void** out) override { return com::QueryInterfaceOf<IMoniker>(this, iid, out); }
    INKVEIL_COM_REFCOUNT

    HRESULT BindToObject(IBindCtx*, IMoniker*, REFIID iid, void** out) override
    {
        return v4l2::CaptureFilter::Create(path_, iid, out);
    }
    HRESULT BindToStorage(IBindCtx*, IMoniker*, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IPropertyBag::kIid)
            return E_NOINTERFACE;
        *out = static_cast<IPropertyBag*>(new DevicePropertyBag(path_));
        return S_OK;
    }
    HRESULT IsEqual(IMoniker* other) override
    {
        LPOLESTR theirs = nullptr;
        if (!other || FAILED(other->GetDisplayName(nullptr, nullptr, &theirs)))
            return S_FALSE;
        bool same = DisplayName() == std::u16string(theirs);
        CoTaskMemFree(theirs);
        return same ? S_OK : S_FALSE;
    }
    HRESULT GetDisplayName(IBindCtx*, IMoniker*, LPOLESTR* out) override
    {
        if (!out)
            return E_POINTER;
        std::u16string name = DisplayName();
        *out = static_cast<LPOLESTR>(CoTaskMemAlloc((name.size() + 1) * sizeof(OLECHAR)));
        if (!*out)
            return E_OUTOFMEMORY;
        std::memcpy(*out, name.c_str(), (name.size() + 1) * sizeof(OLECHAR));
        return S_OK;
    }

private:
    ~DeviceMoniker() = default;
    std::u16string DisplayName() const { return u"@device:v4l2:" + Utf16FromUtf8(path_); }
    com::RefCount refs_;
    std::string path_;
};

} // namespace

HRESULT DeviceEnumerator::Create(REFIID iid, void** out)
{
    auto* e = new DeviceEnumerator;
    HRESULT hr = e->QueryInterface(iid, out);
    e->Release();
    return hr;
}

HRESULT DeviceEnumerator::CreateClassEnumerator(REFCLSID category, IEnumMoniker** out, DWORD)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    // Video input is the only category with devices here.
    if (category != CLSID_VideoInputDeviceCategory)
        return S_FALSE;
    std::vector<com::ComPtr<IMoniker>> monikers;
    for (const std::string& path : v4l2::CurrentDeviceSystem().Nodes()) {
        int error = 0;
        std::unique_ptr<v4l2::Device> device = v4l2::Device::Open(path, error);
        // A UVC camera's metadata node has the same name but no video. A
        // node another program holds exclusively is listed: binding it
        // then says the camera is busy, which is what the teacher needs
        // to hear.
        if ((device && device->CapturesVideo()) || error == -EBUSY)
            monikers.push_back(com::ComPtr<IMoniker>::Attach(new DeviceMoniker(path)));
        else if (error == -EACCES)
            INKVEIL_LOG(Warn, "camera %s: no permission to open it (is the user in the video group?)", path.c_str());
    }
    if (monikers.empty())
        return S_FALSE;
    *out = new com::ComEnum<IEnumMoniker, IMoniker>(std::move(monikers));
    return S_OK;
}

} // namespace dshow
