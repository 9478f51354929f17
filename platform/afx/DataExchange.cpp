#include "platform/afx/DataExchange.h"

#include "platform/afx/Wnd.h"

#include <cassert>

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control)
        Fail();
    return control;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    // Bound once; later exchanges find it bound and leave it.
    if (control.m_hWnd)
        return;
    HWND item = dx->PrepareCtrl(id);
    if (!item)
        return;
    if (!control.SubclassWindow(item))
        dx->Fail();
}
