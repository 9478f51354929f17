#include "platform/afx/WindowDc.h"

#include "platform/afx/Wnd.h"

CWindowDC::CWindowDC(CWnd* wnd)
    : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    // The window system owns the DC; it is released, not deleted.
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}
