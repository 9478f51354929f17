// The running object table of this process and item monikers, the names
// objects are published under in it.

#include "platform/com/Com.h"
#include "platform/com/ComEnum.h"
#include "platform/com/Moniker.h"

#include <cstring>
#include <mutex>
#include <string>

namespace {

// Item names compare without regard to ASCII case, as item monikers do.
bool SameName(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::u16string DisplayNameOf(IMoniker* moniker)
{
    LPOLESTR name = nullptr;
    if (!moniker || FAILED(moniker->GetDisplayName(nullptr, nullptr, &name)) || !name)
        return {};
    std::u16string text(name);
    CoTaskMemFree(name);
    return text;
}

class ItemMoniker final : public IMoniker {
public:
    explicit ItemMoniker(std::u16string name)
        : name_(std::move(name))
    {
    }

    HRESULT QueryInterface(REFIID iid, void** out) override { return com::QueryInterfaceOf<IMoniker>(this, iid, out); }
    INKVEIL_COM_REFCOUNT

    HRESULT BindToObject(IBindCtx*, IMoniker*, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        com::ComPtr<IRunningObjectTable> rot;
        GetRunningObjectTable(0, rot.Out());
        com::ComPtr<IUnknown> object;
        if (rot->GetObject(this, object.Out()) != S_OK)
            return MK_E_NOOBJECT;
        return object->QueryInterface(iid, out);
    }
    HRESULT BindToStorage(IBindCtx*, IMoniker*, REFIID, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return MK_E_NOSTORAGE;
    }
    HRESULT IsEqual(IMoniker* other) override
    {
        return other && SameName(name_, DisplayNameOf(other)) ? S_OK : S_FALSE;
    }
    HRESULT GetDisplayName(IBindCtx*, IMoniker*, LPOLESTR* out) override
    {
        if (!out)
            return E_POINTER;
        auto* text = static_cast<LPOLESTR>(CoTaskMemAlloc((name_.size() + 1) * sizeof(OLECHAR)));
        if (!text)
            return E_OUTOFMEMORY;
        std::memcpy(text, name_.c_str(), (name_.size() + 1) * sizeof(OLECHAR));
        *out = text;
        return S_OK;
    }

private:
    ~ItemMoniker() = default;
    com::RefCount refs_;
    std::u16string name_;
};

class RunningObjectTable final : public IRunningObjectTable {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        return com::QueryInterfaceOf<IRunningObjectTable>(this, iid, out);
    }
    // The table lives as long as the process.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }

    HRESULT Register(DWORD flags, IUnknown* object, IMoniker* name, DWORD* cookie) override
    {
        if (!object || !name || !cookie)
            return E_INVALIDARG;
        std::u16string key = DisplayNameOf(name);
        std::lock_guard guard(lock_);
        bool already = false;
        for (const Entry& e : entries_)
            already = already || SameName(e.name, key);
        Entry entry { nextCookie_++, key, com::ComPtr<IUnknown>::Share(object), com::ComPtr<IMoniker>::Share(name) };
        *cookie = entry.cookie;
        entries_.push_back(std::move(entry));
        return already ? MK_S_MONIKERALREADYREGISTERED : S_OK;
    }
    HRESULT Revoke(DWORD cookie) override
    {
        Entry gone;
        {
            std::lock_guard guard(lock_);
            for (auto it = entries_.begin(); it != entries_.end(); ++it) {
                if (it->cookie == cookie) {
                    gone = std::move(*it);
                    entries_.erase(it);
                    break;
                }
            }
        }
        // The object is released outside the lock: its destructor may
        // revoke other registrations.
        return gone.cookie ? S_OK : E_INVALIDARG;
    }
    HRESULT IsRunning(IMoniker* name) override
    {
        com::ComPtr<IUnknown> object;
        return GetObject(name, object.Out()) == S_OK ? S_OK : S_FALSE;
    }
    HRESULT GetObject(IMoniker* name, IUnknown** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        std::u16string key = DisplayNameOf(name);
        std::lock_guard guard(lock_);
        for (const Entry& e : entries_) {
            if (SameName(e.name, key)) {
                *out = com::ComPtr<IUnknown>(e.object).Detach();
                return S_OK;
            }
        }
        return MK_E_UNAVAILABLE;
    }
    HRESULT EnumRunning(IEnumMoniker** out) override
    {
        if (!out)
            return E_POINTER;
        std::vector<com::ComPtr<IMoniker>> names;
        {
            std::lock_guard guard(lock_);
            for (const Entry& e : entries_)
                names.push_back(e.moniker);
        }
        *out = new com::ComEnum<IEnumMoniker, IMoniker>(std::move(names));
        return S_OK;
    }

private:
    struct Entry {
        DWORD cookie = 0;
        std::u16string name;
        com::ComPtr<IUnknown> object;
        com::ComPtr<IMoniker> moniker;
    };
    std::mutex lock_;
    std::vector<Entry> entries_;
    DWORD nextCookie_ = 1;
};

} // namespace

HRESULT GetRunningObjectTable(DWORD reserved, IRunningObjectTable** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (reserved != 0)
        return E_INVALIDARG;
    static RunningObjectTable* table = new RunningObjectTable;
    *out = table;
    return S_OK;
}

HRESULT CreateItemMoniker(LPCOLESTR delimiter, LPCOLESTR item, IMoniker** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!item)
        return E_INVALIDARG;
    std::u16string name = delimiter ? std::u16string(delimiter) : std::u16string();
    name += item;
    *out = new ItemMoniker(std::move(name));
    return S_OK;
}
