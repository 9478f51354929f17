// CWnd: binding objects to windows, creation, destruction and the routing of
// messages through the object.

#include "platform/afx/Wnd.h"

#include "platform/afx/DataExchange.h"
#include "platform/afx/Menu.h"
#include "platform/afx/WndClass.h"
#include "platform/window/MessageLoop.h"

#include <algorithm>
#include <cassert>
#include <string>

namespace {

struct ThreadState {
    // The object whose window CreateEx is making, until the create hook
    // binds it.
    CWnd* creating = nullptr;
    // The message the innermost AfxWndProc is handling, as it arrived.
    MSG current {};
};

ThreadState& State()
{
    thread_local ThreadState state;
    return state;
}

HandleMap<CWnd>& Map()
{
    thread_local HandleMap<CWnd> map;
    return map;
}

} // namespace

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

void AfxInstallWindowHooks()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    platform::SetCreateHook(&CWnd::AttachOnCreate);
    platform::SetMessageFilter([](MSG& msg) {
        CWinApp* app = AfxGetApp();
        return (app ? app->PreTranslateMessage(&msg) : AfxPreTranslateThroughWindows(&msg)) != FALSE;
    });
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProc(hwnd, message, wParam, lParam);

    ThreadState& state = State();
    MSG outer = state.current;
    state.current = MSG { hwnd, message, wParam, lParam, 0, POINT { 0, 0 } };
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    state.current = outer;

    // A handler of WM_NCDESTROY that did not pass it on has left the object
    // bound to a handle that is about to die.
    if (message == WM_NCDESTROY) {
        if (CWnd* still = CWnd::FromHandlePermanent(hwnd))
            still->Detach();
    }
    return result;
}

CWnd::~CWnd()
{
    if (!m_bound)
        return;
    // The window goes with its object. Its last messages reach the object as
    // a plain CWnd, which lets go of the handle on WM_NCDESTROY.
    if (::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    if (m_bound)
        Detach();
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return Map().FromHandle<CWnd>(hwnd, [](const void* h) {
        CWnd* wrapper = new CWnd;
        wrapper->m_hWnd = static_cast<HWND>(const_cast<void*>(h));
        return wrapper;
    });
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) { return hwnd ? Map().LookupPermanent(hwnd) : nullptr; }

void CWnd::DeleteTempMap() { Map().DeleteTemporaries(); }

std::size_t CWnd::TemporaryCount() { return Map().TemporaryCount(); }

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_bound || Map().LookupPermanent(hwnd))
        return FALSE;
    AfxInstallWindowHooks();
    m_hWnd = hwnd;
    m_bound = true;
    Map().SetPermanent(hwnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h && m_bound && Map().LookupPermanent(h) == this)
        Map().RemoveHandle(h);
    m_bound = false;
    m_hWnd = nullptr;
    return h;
}

void CWnd::HookWindowProc()
{
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    // A window that already runs through the library keeps the procedure
    // recorded when it was first taken over.
    if (old != &AfxWndProc)
        m_pfnSuper = old;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return FALSE;
    HookWindowProc();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND item = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return item ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    if (m_pfnSuper)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::HookNextCreate()
{
    AfxInstallWindowHooks();
    State().creating = this;
}

void CWnd::UnhookCreate()
{
    // Still set when no window was made at all (an unknown class, say).
    if (State().creating == this)
        State().creating = nullptr;
}

void CWnd::AttachOnCreate(HWND hwnd, const CREATESTRUCT&)
{
    ThreadState& state = State();
    CWnd* wnd = state.creating;
    if (!wnd)
        return;
    // Only the window CreateEx asked for; the windows it makes while it is
    // being created are not this object's.
    state.creating = nullptr;
    if (wnd->Attach(hwnd))
        wnd->HookWindowProc();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return cs.lpszClass ? TRUE : FALSE;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
    void*)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
    CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
        param);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
    int height, HWND parent, HMENU idOrMenu, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs {};
    cs.lpCreateParams = param;
    cs.hInstance = AfxGetInstanceHandle();
    cs.hMenu = idOrMenu;
    cs.hwndParent = parent;
    cs.cy = height;
    cs.cx = width;
    cs.y = y;
    cs.x = x;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!PreCreateWindow(cs))
        return FALSE;

    HookNextCreate();
    HWND made = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
        cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    UnhookCreate();
    return made ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow()
{
    HWND h = m_hWnd;
    if (!h)
        return FALSE;
    bool permanent = m_bound;
    BOOL ok = ::DestroyWindow(h);
    // Nothing of this object may be touched unless it is still bound: its
    // PostNcDestroy may have deleted it. It is still bound when its window
    // never ran through the library (Attach without subclassing).
    if (permanent) {
        if (CWnd* still = FromHandlePermanent(h))
            still->Detach();
    }
    return ok;
}

void CWnd::PostNcDestroy() { }

void CWnd::OnNcDestroy()
{
    // The main window going ends the application's message loop.
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    auto ours = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
    Default();
    if (m_pfnSuper && ours == &AfxWndProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) { }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG current = State().current;
    assert(current.hwnd == m_hWnd && "Default() outside the handling of a message of this window");
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &State().current; }

void CWnd::ScreenToClient(LPRECT r) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::ClientToScreen(LPRECT r) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

namespace {

BOOL ModifyWindowLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    auto old = static_cast<DWORD>(::GetWindowLongPtr(hwnd, index));
    DWORD changed = (old & ~remove) | add;
    if (changed == old)
        return FALSE;
    ::SetWindowLongPtr(hwnd, index, static_cast<LONG_PTR>(changed));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    const bool child = (GetStyle() & WS_CHILD) != 0;
    HWND over = alternateOwner ? alternateOwner->m_hWnd : child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);

    // A child centres in its parent's client area; a top-level window over
    // the window named (or its owner) if that is on screen, else on the
    // screen, and never off it.
    CRect area, target;
    if (child) {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        target = area;
        if (over && over != parent) {
            ::GetWindowRect(over, &target);
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&target), 2);
        }
    } else {
        area = CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        target = area;
        if (over && ::IsWindowVisible(over) && !::IsIconic(over))
            ::GetWindowRect(over, &target);
    }

    CRect mine;
    ::GetWindowRect(m_hWnd, &mine);
    int x = (target.left + target.right) / 2 - mine.Width() / 2;
    int y = (target.top + target.bottom) / 2 - mine.Height() / 2;
    if (!child) {
        x = std::max(area.left, std::min(x, area.right - mine.Width()));
        y = std::max(area.top, std::min(y, area.bottom - mine.Height()));
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetOwner() const
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return owner ? FromHandle(owner) : GetParent();
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND top = m_hWnd;
    for (HWND up = ::GetParent(top); up; up = ::GetParent(up))
        top = up;
    return FromHandle(top);
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert)); }

void CWnd::GetWindowText(CString& out) const
{
    int length = ::GetWindowTextLength(m_hWnd);
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    int got = ::GetWindowText(m_hWnd, buffer.data(), length + 1);
    out = CString(buffer.data(), got);
}
