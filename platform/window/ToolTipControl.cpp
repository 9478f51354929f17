#include "platform/window/ToolTipControl.h"

#include "platform/gdi/Text.h"
#include "platform/window/ControlPainting.h"

#include <algorithm>

namespace ws::ctl {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr UINT kDefaultInitial = 500;
constexpr UINT kDefaultAutoPop = 5000;
constexpr UINT kDefaultReshow = 100;
// The tip's corner lies this far right of and below the pointer's hot spot,
// clear of the arrow.
constexpr POINT kOffset { 2, 20 };
constexpr int kPadX = 4;
constexpr int kPadY = 2;

bool IsButtonDown(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_NCLBUTTONDOWN
        || msg == WM_NCRBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK;
}

bool IsNonClient(UINT msg) { return msg == WM_NCMOUSEMOVE || msg == WM_NCLBUTTONDOWN || msg == WM_NCRBUTTONDOWN; }

} // namespace

ToolTipControl::ToolTipControl(HWND hwnd, const CREATESTRUCT&)
    : hwnd_(hwnd)
{
}

ToolTipControl::Tool* ToolTipControl::Find(const Key& key)
{
    auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.key == key; });
    return it == tools_.end() ? nullptr : &*it;
}

bool ToolTipControl::Contains(const Tool& tool, POINT screen) const
{
    if (tool.flags & TTF_IDISHWND) {
        auto window = reinterpret_cast<HWND>(tool.key.id);
        RECT r;
        return IsWindowVisible(window) && GetWindowRect(window, &r) && PtInRect(&r, screen);
    }
    if (!IsWindowVisible(tool.key.holder))
        return false;
    POINT p = screen;
    ScreenToClient(tool.key.holder, &p);
    return PtInRect(&tool.rect, p) != FALSE;
}

std::optional<ToolTipControl::Key> ToolTipControl::ToolAt(POINT screen) const
{
    for (const Tool& t : tools_)
        if (Contains(t, screen))
            return t.key;
    return std::nullopt;
}

LRESULT ToolTipControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto* ti = reinterpret_cast<const TOOLINFO*>(lParam);
    switch (msg) {
    case WM_CREATE: {
        // Whatever the creator asked, a tip is a bare top-most popup that
        // never takes the activation.
        auto style = static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_STYLE));
        SetWindowLongPtr(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(WS_POPUP | (style & 0xFFFF)));
        auto ex = static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_EXSTYLE));
        SetWindowLongPtr(hwnd_, GWL_EXSTYLE,
            static_cast<LONG_PTR>(ex | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
        return 0;
    }
    case WM_DESTROY:
        KillTimer(hwnd_, kShowTimer);
        KillTimer(hwnd_, kPopTimer);
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_TIMER:
        if (wParam == kShowTimer) {
            KillTimer(hwnd_, kShowTimer);
            pendingDelay_ = 0;
            ShowTip();
        } else if (wParam == kPopTimer) {
            quiet_ = shown_;
            Hide();
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT c;
        GetClientRect(hwnd_, &c);
        FillSolid(dc, c, kTipColour);
        FrameSolid(dc, c, kTipBorderColour);
        if (const Tool* t = shown_ ? Find(*shown_) : nullptr) {
            RECT box { c.left + 1 + kPadX, c.top + 1 + kPadY, c.right - 1 - kPadX, c.bottom - 1 - kPadY };
            TextScope scope(dc, hwnd_, GetSysColor(COLOR_INFOTEXT));
            DrawText(dc, t->text.c_str(), -1, &box, DT_NOPREFIX | DT_EXPANDTABS);
        }
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case TTM_ADDTOOL:
        return ti ? AddTool(*ti) : FALSE;
    case TTM_DELTOOL:
        if (ti)
            DeleteTool(KeyOf(*ti));
        return 0;
    case TTM_NEWTOOLRECT:
        if (Tool* t = ti ? Find(KeyOf(*ti)) : nullptr)
            t->rect = ti->rect;
        return 0;
    case TTM_UPDATETIPTEXT:
        if (Tool* t = ti ? Find(KeyOf(*ti)) : nullptr) {
            t->text = ti->lpszText ? ti->lpszText : "";
            if (shown_ && *shown_ == t->key) {
                Place(anchor_, t->text);
                InvalidateRect(hwnd_, nullptr, FALSE);
            }
        }
        return 0;
    case TTM_GETTEXT:
        // The caller's lpszText is the buffer; wParam its size (80 when the
        // caller does not say, as older callers assume).
        if (const Tool* t = ti ? Find(KeyOf(*ti)) : nullptr)
            CopyOut(t->text, const_cast<char*>(ti->lpszText), wParam ? wParam : 80);
        return 0;
    case TTM_GETTOOLINFO: {
        auto* out = reinterpret_cast<TOOLINFO*>(lParam);
        const Tool* t = out ? Find(KeyOf(*out)) : nullptr;
        if (!t)
            return FALSE;
        out->uFlags = t->flags;
        out->rect = t->rect;
        out->lParam = t->lParam;
        return TRUE;
    }
    case TTM_SETTOOLINFO:
        if (Tool* t = ti ? Find(KeyOf(*ti)) : nullptr) {
            t->flags = ti->uFlags;
            t->rect = ti->rect;
            t->text = ti->lpszText ? ti->lpszText : "";
            t->lParam = ti->lParam;
        }
        return 0;
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(tools_.size());
    case TTM_ACTIVATE:
        active_ = wParam != 0;
        if (!active_) {
            KillTimer(hwnd_, kShowTimer);
            pendingDelay_ = 0;
            Hide();
        }
        return 0;
    case TTM_SETDELAYTIME:
        SetDelay(wParam, lParam);
        return 0;
    case TTM_POP:
        Hide();
        return 0;
    case TTM_RELAYEVENT:
        if (const auto* m = reinterpret_cast<const MSG*>(lParam))
            Relay(*m);
        return 0;
    default:
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

LRESULT ToolTipControl::AddTool(const TOOLINFO& ti)
{
    Tool tool;
    tool.key = KeyOf(ti);
    tool.flags = ti.uFlags;
    tool.rect = ti.rect;
    tool.text = ti.lpszText ? ti.lpszText : "";
    tool.lParam = ti.lParam;
    if (Tool* existing = Find(tool.key))
        *existing = std::move(tool);
    else
        tools_.push_back(std::move(tool));
    return TRUE;
}

void ToolTipControl::DeleteTool(const Key& key)
{
    if (shown_ && *shown_ == key)
        Hide();
    if (over_ && *over_ == key) {
        over_.reset();
        KillTimer(hwnd_, kShowTimer);
        pendingDelay_ = 0;
    }
    tools_.erase(std::remove_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.key == key; }),
        tools_.end());
}

void ToolTipControl::SetDelay(WPARAM which, LPARAM value)
{
    auto ms = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(value)));
    // A negative delay puts the default back.
    bool reset = ms < 0;
    auto delay = static_cast<UINT>(ms);
    switch (which) {
    case TTDT_AUTOMATIC:
        initial_ = reset ? kDefaultInitial : delay;
        autoPop_ = reset ? kDefaultAutoPop : delay * 10;
        reshow_ = reset ? kDefaultReshow : delay / 5;
        break;
    case TTDT_INITIAL:
        initial_ = reset ? kDefaultInitial : delay;
        break;
    case TTDT_AUTOPOP:
        autoPop_ = reset ? kDefaultAutoPop : delay;
        break;
    case TTDT_RESHOW:
        reshow_ = reset ? kDefaultReshow : delay;
        break;
    default:
        break;
    }
}

void ToolTipControl::Relay(const MSG& msg)
{
    bool move = msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE;
    if (msg.message == WM_MOUSELEAVE) {
        PointerAt(std::nullopt, lastPoint_);
        return;
    }
    if (!move && !IsButtonDown(msg.message))
        return;
    POINT screen { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
    if (!IsNonClient(msg.message))
        ClientToScreen(msg.hwnd, &screen);
    std::optional<Key> tool = ToolAt(screen);
    if (move)
        PointerAt(tool, screen);
    else
        ButtonPressed(tool);
}

void ToolTipControl::PointerAt(std::optional<Key> tool, POINT screen)
{
    bool moved = screen.x != lastPoint_.x || screen.y != lastPoint_.y;
    lastPoint_ = screen;
    if (tool != over_) {
        // A tip that is up, or went a moment ago, hands over to the next
        // tool after the short reshow delay.
        bool handOver = shown_.has_value()
            || (hiddenRecently_ && GetTickCount() - hiddenAt_ < std::max(initial_, reshow_));
        Hide();
        over_ = tool;
        if (quiet_ && quiet_ != tool)
            quiet_.reset();
        if (tool && active_ && !quiet_) {
            StartShowTimer(handOver ? reshow_ : initial_);
        } else {
            KillTimer(hwnd_, kShowTimer);
            pendingDelay_ = 0;
        }
        return;
    }
    // Resting means not moving: a move within the tool starts the wait over.
    if (tool && moved && !shown_ && !quiet_ && active_)
        StartShowTimer(pendingDelay_ ? pendingDelay_ : initial_);
}

void ToolTipControl::ButtonPressed(std::optional<Key> tool)
{
    Hide();
    KillTimer(hwnd_, kShowTimer);
    pendingDelay_ = 0;
    hiddenRecently_ = false;
    over_ = tool;
    quiet_ = tool;
}

void ToolTipControl::StartShowTimer(UINT delay)
{
    pendingDelay_ = std::max(delay, 1u);
    SetTimer(hwnd_, kShowTimer, pendingDelay_, nullptr);
}

void ToolTipControl::ShowTip()
{
    const Tool* tool = over_ ? Find(*over_) : nullptr;
    if (!tool || !active_ || quiet_ || tool->text.empty())
        return;
    if (!(GetWindowLongPtr(hwnd_, GWL_STYLE) & TTS_ALWAYSTIP) && !GetActiveWindow())
        return;
    // The pointer may have left without the holder telling us.
    POINT cursor;
    GetCursorPos(&cursor);
    if (!Contains(*tool, cursor))
        return;
    shown_ = tool->key;
    anchor_ = POINT { cursor.x + kOffset.x, cursor.y + kOffset.y };
    Place(anchor_, tool->text);
    InvalidateRect(hwnd_, nullptr, FALSE);
    SetTimer(hwnd_, kPopTimer, autoPop_, nullptr);
}

void ToolTipControl::Hide()
{
    KillTimer(hwnd_, kPopTimer);
    if (!shown_)
        return;
    shown_.reset();
    hiddenAt_ = GetTickCount();
    hiddenRecently_ = true;
    ShowWindow(hwnd_, SW_HIDE);
}

void ToolTipControl::Place(POINT at, const std::string& text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(hwnd_));
    RECT measure { 0, 0, 0, 0 };
    DrawText(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteDC(dc);
    int width = measure.right - measure.left + 2 * (kPadX + 1);
    int height = measure.bottom - measure.top + 2 * (kPadY + 1);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x = std::max(0, std::min(at.x, screenWidth - width));
    int y = at.y;
    // No room below: above the pointer instead.
    if (y + height > screenHeight)
        y = std::max(0, at.y - kOffset.y - height);
    SetWindowPos(hwnd_, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

} // namespace ws::ctl
