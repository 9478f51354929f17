#pragma once

// CBitmap: a GDI bitmap owned by a C++ object.

#include "platform/afx/GdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
public:
    CBitmap() = default;

    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
    {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    int GetBitmap(BITMAP* out) const { return GetObject(sizeof(BITMAP), out); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    static CBitmap* FromHandle(HBITMAP bitmap) { return Wrap<CBitmap>(bitmap); }
};
