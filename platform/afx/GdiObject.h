#pragma once

// CGdiObject: the class library's owner of one GDI object handle. Deleting
// the C++ object deletes the handle it owns.

#include "platform/afx/HandleMap.h"
#include "platform/gdi/Gdi.h"

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, void* out) const { return ::GetObject(m_hObject, size, out); }

    static CGdiObject* FromHandle(HGDIOBJ handle);
    // Frees the temporary wrappers made by FromHandle.
    static void DeleteTempMap();

    // Used by the handle map for temporary wrappers.
    void ForgetHandle() { m_hObject = nullptr; }

protected:
    static HandleMap<CGdiObject>& Map();

    // The permanent object of a handle, or a temporary T that wraps it
    // without owning it.
    template <typename T>
    static T* Wrap(HGDIOBJ handle)
    {
        return Map().FromHandle<T>(handle, [](const void* h) {
            T* t = new T;
            t->m_hObject = static_cast<HGDIOBJ>(const_cast<void*>(h));
            return t;
        });
    }
};
