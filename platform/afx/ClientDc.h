#pragma once

// CClientDC: a device context of a window's client area for drawing outside
// WM_PAINT; released when the object goes.

#include "platform/afx/Dc.h"

class CWnd;

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
