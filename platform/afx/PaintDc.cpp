#include "platform/afx/PaintDc.h"

#include "platform/afx/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd)
    : m_hWnd(wnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    // EndPaint gives the DC back; CDC must not delete it.
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
