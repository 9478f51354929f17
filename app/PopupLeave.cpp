#include "app/PopupLeave.h"

#include "app/InkveilDlg.h"
#include "platform/afx/Wnd.h"

void CheckPopupLeave(CWnd* popup, int& entered)
{
    CRect r;
    popup->GetWindowRect(&r);
    HRGN ellipse = ::CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
    POINT cursor {};
    ::GetCursorPos(&cursor);
    const bool inside = ::PtInRegion(ellipse, cursor.x, cursor.y) != FALSE;
    ::DeleteObject(ellipse);
    if (inside)
        entered = 1;
    else if (entered == 1)
        RequestPopupClose(popup);
}

void RequestPopupClose(CWnd* popup)
{
    const HWND parent = ::GetParent(popup->m_hWnd);
    const WPARAM self = reinterpret_cast<WPARAM>(popup);
    if (parent)
        ::PostMessage(parent, WM_CLOSE_POPUP, self, 0);
    else
        ::PostThreadMessage(::GetCurrentThreadId(), WM_CLOSE_POPUP, self, 0);
}
