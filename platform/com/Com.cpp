// Apartment bookkeeping, object creation, task memory, strings, variants.

#include "platform/com/Com.h"

#include "platform/com/ClassRegistry.h"

#include <cstdlib>
#include <cstring>

namespace {

// How often CoInitialize succeeded on this thread without a matching
// CoUninitialize.
thread_local int t_initCount = 0;

} // namespace

HRESULT CoInitialize(LPVOID) { return t_initCount++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize()
{
    // An unmatched call is ignored, as a balanced program never makes one.
    if (t_initCount > 0)
        --t_initCount;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, LPVOID* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (t_initCount == 0)
        return CO_E_NOTINITIALIZED;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    // Every class of the platform lives in the process.
    if ((context & CLSCTX_INPROC) == 0)
        return REGDB_E_CLASSNOTREG;
    com::ClassFactory factory = com::ClassRegistry::Instance().Find(clsid);
    if (!factory)
        return REGDB_E_CLASSNOTREG;
    return factory(iid, out);
}

LPVOID CoTaskMemAlloc(std::size_t bytes) { return std::malloc(bytes ? bytes : 1); }

void CoTaskMemFree(LPVOID p) { std::free(p); }

// A string is preceded by its length in bytes (32 bits) and followed by a
// terminating zero that the length does not count.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    auto* block = static_cast<BYTE*>(std::malloc(sizeof(DWORD) + (length + 1) * sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    DWORD bytes = length * sizeof(OLECHAR);
    std::memcpy(block, &bytes, sizeof bytes);
    auto* chars = reinterpret_cast<OLECHAR*>(block + sizeof(DWORD));
    if (text)
        std::memcpy(chars, text, bytes);
    else
        std::memset(chars, 0, bytes);
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text)
        return nullptr;
    UINT n = 0;
    while (text[n])
        ++n;
    return SysAllocStringLen(text, n);
}

void SysFreeString(BSTR s)
{
    if (s)
        std::free(reinterpret_cast<BYTE*>(s) - sizeof(DWORD));
}

UINT SysStringLen(BSTR s)
{
    if (!s)
        return 0;
    DWORD bytes;
    std::memcpy(&bytes, reinterpret_cast<BYTE*>(s) - sizeof(DWORD), sizeof bytes);
    return bytes / sizeof(OLECHAR);
}

void VariantInit(VARIANT* v)
{
    if (v) {
        v->vt = VT_EMPTY;
        v->bstrVal = nullptr;
    }
}

HRESULT VariantClear(VARIANT* v)
{
    if (!v)
        return E_INVALIDARG;
    if (v->vt == VT_BSTR)
        SysFreeString(v->bstrVal);
    VariantInit(v);
    return S_OK;
}
