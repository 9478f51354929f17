// CWnd: looking messages up in the message maps, commands, the notifications
// a parent hands back to its controls, and pre-translation.

#include "platform/afx/Wnd.h"

// CWnd's own table: the handlers every window needs whatever its class, the
// root of every chain.
const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    using ThisClass = CWnd;
    static const AFX_MSGMAP_ENTRY messageEntries[] = {
        ON_WM_DRAWITEM() ON_WM_CTLCOLOR() ON_WM_NCDESTROY() { 0, 0, 0, 0, nullptr },
    };
    static const AFX_MSGMAP messageMap = { nullptr, &messageEntries[0] };
    return &messageMap;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (result)
            *result = 1;
        return TRUE;
    }
    UINT key = AfxIsCtlColorMessage(message) ? WM_CTLCOLOR : message;
    return AfxDispatchThroughMap(this, GetMessageMap(), key, 0, 0, message, wParam, lParam, result) ? TRUE : FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    auto control = reinterpret_cast<HWND>(lParam);
    if (control) {
        // The control that sent the notification may handle it itself.
        if (ReflectLastMsg(control))
            return TRUE;
    } else {
        // Menus and accelerators: a command, whatever the high word says.
        code = 0;
    }
    if (id == 0)
        return FALSE;
    return OnCmdMsg(id, code);
}

BOOL CWnd::OnCmdMsg(UINT id, int code)
{
    return AfxDispatchThroughMap(this, GetMessageMap(), WM_COMMAND, static_cast<UINT>(code), id, WM_COMMAND,
               MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)), 0, nullptr)
        ? TRUE
        : FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    UINT key = WM_REFLECT_BASE + (AfxIsCtlColorMessage(message) ? WM_CTLCOLOR : message);
    UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
    return AfxDispatchThroughMap(this, GetMessageMap(), key, code, 0, message, wParam, lParam, result) ? TRUE : FALSE;
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result)
{
    CWnd* control = FromHandlePermanent(child);
    return control ? control->SendChildNotifyLastMsg(result) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* result)
{
    // A copy: the handler may send messages of its own.
    const MSG message = *GetCurrentMessage();
    LRESULT r = 0;
    BOOL taken = OnChildNotify(message.message, message.wParam, message.lParam, &r);
    if (taken && result)
        *result = r;
    return taken;
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis)
{
    if (dis && dis->hwndItem != m_hWnd && ReflectLastMsg(dis->hwndItem))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* wnd, UINT)
{
    LRESULT brush = 0;
    if (wnd && wnd->m_hWnd != m_hWnd && ReflectLastMsg(wnd->m_hWnd, &brush))
        return reinterpret_cast<HBRUSH>(brush);
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* wnd = FromHandlePermanent(h)) {
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        }
        if (h == stop)
            break;
    }
    return FALSE;
}

BOOL AfxPreTranslateThroughWindows(MSG* msg)
{
    if (!msg->hwnd)
        return FALSE;
    CWnd* main = AfxGetMainWnd();
    HWND mainHwnd = main ? main->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(mainHwnd, msg))
        return TRUE;
    if (!mainHwnd || !::IsWindow(mainHwnd))
        return FALSE;
    // A window whose chain of parents and owners never reaches the main
    // window (a modeless dialog without an owner, say) still lets the main
    // window have a look.
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        if (h == mainHwnd)
            return FALSE;
    }
    return main->PreTranslateMessage(msg);
}
