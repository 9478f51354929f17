#pragma once

// CPaintDC: the device context of one WM_PAINT, from BeginPaint to EndPaint.
// Made on the stack in an OnPaint handler; its going ends the painting.

#include "platform/afx/Dc.h"
#include "platform/window/WinUser.h"

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps {};

protected:
    HWND m_hWnd;
};
