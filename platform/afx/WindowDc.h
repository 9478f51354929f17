#pragma once

// CWindowDC: a device context of a whole window, frame and caption included;
// released when the object goes.

#include "platform/afx/Dc.h"

class CWnd;

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
