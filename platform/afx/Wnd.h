#pragma once

// CWnd: the class library's window. A CWnd object is bound to at most one
// window handle, and then the window's messages run through the library's
// own window procedure: the object's WindowProc looks them up in its class's
// message map (MessageMap.h) and hands what no entry takes to the procedure
// the window had before (Default).
//
// The objects of a thread are found by handle in a per-thread map. An object
// the program made and bound (Create, Attach, SubclassWindow) is permanent;
// asking for a handle no object holds (FromHandle of a foreign window) makes
// a temporary wrapper that lives until the application is next idle.
//
// A window made through Create or CreateEx is bound to its object before its
// first message (WM_NCCREATE), so handlers see m_hWnd from WM_CREATE on. When
// the window goes, the object lets go of the handle on WM_NCDESTROY and then
// PostNcDestroy runs, which a class may use to delete an object that lives
// on the heap.

#include "platform/afx/Dc.h"
#include "platform/afx/MessageMap.h"
#include "platform/afx/Point.h"
#include "platform/afx/Rect.h"
#include "platform/afx/String.h"
#include "platform/afx/WinApp.h"
#include "platform/window/WinUser.h"

#include <cstddef>

class CMenu;
class CDataExchange;

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The places SetWindowPos can put a window in the stacking order.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Objects by handle.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    static void DeleteTempMap();
    static std::size_t TemporaryCount();
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Used by the handle map when it lets a temporary wrapper go.
    void ForgetHandle() { m_hWnd = nullptr; }

    // Routes an existing window's messages through this object; Default
    // then runs the procedure it had.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation and destruction.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // A child window with the given id.
    virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
        UINT id, void* context = nullptr);
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
        int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
        CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    // Message routing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The procedure the window had before it was bound to this object.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs DefWindowProc with the message being handled, as it arrived.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCmdMsg(UINT id, int code);
    // Sees queued messages before they are dispatched; TRUE means handled.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Offers the message to every window from its own up through its
    // parents and owners, stopping after stop.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
    virtual void PostNcDestroy();

    // Notifications a parent hands back to the child control they came from.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* result = nullptr);

    // Data exchange with the controls of a dialog.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx);

    // Placement and state.
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(LPCRECT r, BOOL repaint = TRUE)
    {
        MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, repaint);
    }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
    }
    void GetWindowRect(LPRECT out) const { ::GetWindowRect(m_hWnd, out); }
    void GetClientRect(LPRECT out) const { ::GetClientRect(m_hWnd, out); }
    void ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(LPRECT r) const;
    void ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
    void ClientToScreen(LPRECT r) const;
    void CenterWindow(CWnd* alternateOwner = nullptr);
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }
    // Answers whether the style changed; flags, if any, go to SetWindowPos
    // (SWP_FRAMECHANGED, say) after the change.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    int SetWindowRgn(HRGN rgn, BOOL redraw) { return ::SetWindowRgn(m_hWnd, rgn, redraw); }
    HICON SetIcon(HICON icon, BOOL bigIcon)
    {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    HICON GetIcon(BOOL bigIcon) const
    {
        return reinterpret_cast<HICON>(::SendMessage(m_hWnd, WM_GETICON, bigIcon ? ICON_BIG : ICON_SMALL, 0));
    }
    CMenu* GetSystemMenu(BOOL revert) const;
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

    // Painting.
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT r, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, r, erase); }
    void ValidateRect(LPCRECT r) { ::ValidateRect(m_hWnd, r); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT r = nullptr, CRgn* rgn = nullptr, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(m_hWnd, r, rgn ? static_cast<HRGN>(*rgn) : nullptr, flags);
    }
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* dc) { return ::ReleaseDC(m_hWnd, dc ? dc->m_hDC : nullptr); }
    CDC* BeginPaint(PAINTSTRUCT* ps) { return CDC::FromHandle(::BeginPaint(m_hWnd, ps)); }
    void EndPaint(const PAINTSTRUCT* ps) { ::EndPaint(m_hWnd, ps); }

    // Timers and input.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr)
    {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }

    // Relations.
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWLP_ID, id)); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    // The owner of a top-level window, else the parent.
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    CWnd* GetWindow(UINT cmd) const { return FromHandle(::GetWindow(m_hWnd, cmd)); }

    // Messages and text.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessage(::GetDlgItem(m_hWnd, id), message, wParam, lParam);
    }
    void SetWindowText(const char* text) { ::SetWindowText(m_hWnd, text); }
    int GetWindowText(char* out, int max) const { return ::GetWindowText(m_hWnd, out, max); }
    void GetWindowText(CString& out) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetDlgItemText(int id, const char* text) { ::SetWindowText(::GetDlgItem(m_hWnd, id), text); }
    // A message box owned by this window; the caption defaults to the
    // application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK)
    {
        if (!caption)
            caption = AfxGetApp() && AfxGetApp()->m_pszAppName ? AfxGetApp()->m_pszAppName : "";
        return ::MessageBox(m_hWnd, text, caption, type);
    }

protected:
    // The procedure the window had before this object took it over.
    WNDPROC m_pfnSuper = nullptr;

    // Between these two calls the next window the thread makes is bound to
    // this object before its first message, whoever makes it (CreateEx, or
    // the dialog manager for a dialog).
    void HookNextCreate();
    void UnhookCreate();

    // Handlers of the messages the message map macros name. Each does what
    // the window would have done without the object (Default), except where
    // said.
    afx_msg void OnPaint() { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    // Offers the message to the control first (ON_WM_CTLCOLOR_REFLECT).
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg void OnMouseHover(UINT, CPoint) { Default(); }
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
    afx_msg void OnMouseLeave() { Default(); }
    afx_msg void OnTimer(UINT_PTR) { Default(); }
    afx_msg void OnDestroy() { Default(); }
    // Lets go of the handle and calls PostNcDestroy.
    afx_msg void OnNcDestroy();
    afx_msg void OnClose() { Default(); }
    afx_msg int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    afx_msg void OnSize(UINT, int, int) { Default(); }
    afx_msg void OnSetFocus(CWnd*) { Default(); }
    afx_msg void OnKillFocus(CWnd*) { Default(); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
    afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    // Offers the message to the control being drawn first (OnChildNotify).
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    afx_msg void OnCaptureChanged(CWnd*) { Default(); }
    afx_msg void OnShowWindow(BOOL, UINT) { Default(); }

    // The root of every message map, so declared by hand: the classes below
    // say DECLARE_MESSAGE_MAP(), which overrides it.
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    // Binds an object to a window that is being made, before its first
    // message.
    static void AttachOnCreate(HWND hwnd, const CREATESTRUCT& cs);
    // Takes the window's procedure over, keeping the old one for Default.
    void HookWindowProc();
    friend LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend void AfxInstallWindowHooks();

    // Set while the object is the permanent one of its handle.
    bool m_bound = false;

    // A special place for SetWindowPos; never bound.
    explicit CWnd(HWND special)
        : m_hWnd(special)
    {
    }
};

// The library's window procedure: finds the window's object and runs the
// message through its WindowProc.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Installs the create hook and the pre-translation filter with the window
// system; done once, the first time a window is bound.
void AfxInstallWindowHooks();

// What the application's message loop does with a queued message before it
// is dispatched: the walk from the message's window up to the main window,
// then the main window's own look if the message belongs to another
// top-level window.
BOOL AfxPreTranslateThroughWindows(MSG* msg);
