#pragma once

// CBrush: a GDI brush owned by a C++ object.

#include "platform/afx/GdiObject.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }

    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    BOOL CreateStockObject(int index) { return Attach(::GetStockObject(index)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    static CBrush* FromHandle(HBRUSH brush) { return Wrap<CBrush>(brush); }
};
