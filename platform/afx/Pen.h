#pragma once

// CPen: a GDI pen owned by a C++ object.

#include "platform/afx/GdiObject.h"

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

    BOOL CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }

    static CPen* FromHandle(HPEN pen) { return Wrap<CPen>(pen); }
};
