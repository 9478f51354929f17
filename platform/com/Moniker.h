#pragma once

// Monikers, their enumeration, property bags and the running object table:
// the interfaces through which devices are listed and a graph is published.

#include "platform/com/ComTypes.h"

struct IBindCtx;
struct IErrorLog;

struct IMoniker : IUnknown {
    static constexpr IID kIid = { 0x0000000f, 0, 0, { 0xC0, 0, 0, 0, 0, 0, 0, 0x46 } };
    virtual HRESULT BindToObject(IBindCtx* ctx, IMoniker* left, REFIID iid, void** out) = 0;
    virtual HRESULT BindToStorage(IBindCtx* ctx, IMoniker* left, REFIID iid, void** out) = 0;
    virtual HRESULT IsEqual(IMoniker* other) = 0;
    // The name in task memory; the caller frees it with CoTaskMemFree.
    virtual HRESULT GetDisplayName(IBindCtx* ctx, IMoniker* left, LPOLESTR* name) = 0;
};

struct IEnumMoniker : IUnknown {
    static constexpr IID kIid = { 0x00000102, 0, 0, { 0xC0, 0, 0, 0, 0, 0, 0, 0x46 } };
    virtual HRESULT Next(ULONG count, IMoniker** out, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumMoniker** out) = 0;
};

struct IPropertyBag : IUnknown {
    static constexpr IID kIid = { 0x55272a00, 0x42cb, 0x11ce, { 0x81, 0x35, 0x00, 0xaa, 0x00, 0x4b, 0xb8, 0x51 } };
    // var->vt gives the type wanted (VT_EMPTY: the property's own type).
    virtual HRESULT Read(LPCOLESTR name, VARIANT* var, IErrorLog* log) = 0;
};

struct IRunningObjectTable : IUnknown {
    static constexpr IID kIid = { 0x00000010, 0, 0, { 0xC0, 0, 0, 0, 0, 0, 0, 0x46 } };
    virtual HRESULT Register(DWORD flags, IUnknown* object, IMoniker* name, DWORD* cookie) = 0;
    virtual HRESULT Revoke(DWORD cookie) = 0;
    virtual HRESULT IsRunning(IMoniker* name) = 0;
    virtual HRESULT GetObject(IMoniker* name, IUnknown** out) = 0;
    virtual HRESULT EnumRunning(IEnumMoniker** out) = 0;
};

inline constexpr const IID& IID_IMoniker = IMoniker::kIid;
inline constexpr const IID& IID_IEnumMoniker = IEnumMoniker::kIid;
inline constexpr const IID& IID_IPropertyBag = IPropertyBag::kIid;
inline constexpr const IID& IID_IRunningObjectTable = IRunningObjectTable::kIid;

inline constexpr DWORD ROTFLAGS_REGISTRATIONKEEPSALIVE = 0x1;
inline constexpr HRESULT MK_S_MONIKERALREADYREGISTERED = 0x000401E7;

HRESULT GetRunningObjectTable(DWORD reserved, IRunningObjectTable** out);
HRESULT CreateItemMoniker(LPCOLESTR delimiter, LPCOLESTR item, IMoniker** out);
