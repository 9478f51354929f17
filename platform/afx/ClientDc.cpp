#include "platform/afx/ClientDc.h"

#include "platform/afx/Wnd.h"

CClientDC::CClientDC(CWnd* wnd)
    : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    // The window system owns the DC; it is released, not deleted.
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}
