#pragma once

// The library functions of the component object model the program calls:
// apartment set-up per thread, object creation by class id, task memory,
// length-prefixed strings and variants.

#include "platform/com/ComTypes.h"

// S_OK the first time on a thread, S_FALSE when the thread already was
// initialised; each successful call needs one CoUninitialize.
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, LPVOID* out);

LPVOID CoTaskMemAlloc(std::size_t bytes);
void CoTaskMemFree(LPVOID p);

BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR s);
UINT SysStringLen(BSTR s);

void VariantInit(VARIANT* v);
HRESULT VariantClear(VARIANT* v);
