#include "platform/window/Input.h"

#include "platform/window/Messages.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowTree.h"

#include <set>
#include <vector>

namespace ws {

namespace {

struct Tracking {
    Window* window = nullptr;
    DWORD hoverTime = 0;
    RECT hoverRect { 0, 0, 0, 0 }; // screen
    DWORD hoverStart = 0;
};

struct InputState {
    Window* capture = nullptr;
    Window* focus = nullptr;
    Window* active = nullptr;
    std::set<UINT> keysDown;
    HCURSOR cursor = nullptr;
    int cursorShowCount = 0;
    Window* leaveWindow = nullptr; // TME_LEAVE
    Tracking hover; // TME_HOVER
    Window* moving = nullptr; // a caption drag under way
    POINT moveGrab { 0, 0 };
};

InputState& S()
{
    static InputState s;
    return s;
}

platform::Backend& B() { return platform::CurrentBackend(); }

// Shows the cursor the program chose, when there is a screen to show it on.
void ShowChosenCursor(const InputState& s)
{
    if (platform::Backend* screen = platform::InstalledBackend())
        screen->SetCursor(s.cursorShowCount >= 0 ? s.cursor : nullptr);
}

bool InSubtree(const Window* x, const Window* root)
{
    for (; x; x = x->IsChild() ? x->parent : nullptr)
        if (x == root)
            return true;
    return false;
}

WPARAM KeyFlags()
{
    InputState& s = S();
    WPARAM f = 0;
    if (s.keysDown.count(VK_LBUTTON))
        f |= MK_LBUTTON;
    if (s.keysDown.count(VK_RBUTTON))
        f |= MK_RBUTTON;
    if (s.keysDown.count(VK_MBUTTON))
        f |= MK_MBUTTON;
    if (s.keysDown.count(VK_SHIFT))
        f |= MK_SHIFT;
    if (s.keysDown.count(VK_CONTROL))
        f |= MK_CONTROL;
    return f;
}

LPARAM PointParam(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

POINT ToClient(const Window* w, POINT screen)
{
    POINT o = w->ClientScreenOrigin();
    return POINT { screen.x - o.x, screen.y - o.y };
}

bool ContainsScreenPoint(const Window* w, POINT screen)
{
    POINT o = w->ScreenOrigin();
    int x = screen.x - o.x, y = screen.y - o.y;
    if (x < 0 || y < 0 || x >= w->Width() || y >= w->Height())
        return false;
    return !w->windowRegion || w->windowRegion->Contains(x, y);
}

// The deepest window under the point within w whose hit test is not
// HTTRANSPARENT; hit receives its answer.
Window* HitTestWithin(Window* w, POINT screen, int& hit)
{
    if (!w->IsReallyVisible() || !ContainsScreenPoint(w, screen))
        return nullptr;
    RECT c = w->ClientInWindow();
    POINT o = w->ScreenOrigin();
    bool inClient = screen.x - o.x >= c.left && screen.x - o.x < c.right && screen.y - o.y >= c.top
        && screen.y - o.y < c.bottom;
    if (inClient) {
        for (Window* child : w->children)
            if (Window* found = HitTestWithin(child, screen, hit))
                return found;
    }
    hit = static_cast<int>(SendMessage(w, WM_NCHITTEST, 0, PointParam(screen)));
    return hit == HTTRANSPARENT ? nullptr : w;
}

Window* HitTest(POINT screen, int& hit)
{
    hit = HTNOWHERE;
    for (Window* top : std::vector<Window*>(Tree().TopLevels()))
        if (Window* w = HitTestWithin(top, screen, hit))
            return w;
    return nullptr;
}

void PostMouse(Window* w, UINT clientMsg, UINT ncMsg, int hit, POINT screen, WPARAM extra = 0)
{
    MSG m {};
    m.hwnd = w;
    m.time = B().Now();
    m.pt = screen;
    if (hit == HTCLIENT) {
        m.message = clientMsg;
        m.wParam = KeyFlags() | extra;
        m.lParam = PointParam(ToClient(w, screen));
    } else {
        m.message = ncMsg;
        m.wParam = static_cast<WPARAM>(hit);
        m.lParam = PointParam(screen);
    }
    PostInputMessage(m);
}

void UpdateTracking(Window* under, int hit, POINT screen)
{
    InputState& s = S();
    bool overClient = hit == HTCLIENT;
    if (s.leaveWindow && (s.leaveWindow != under || !overClient)) {
        Window* left = s.leaveWindow;
        s.leaveWindow = nullptr;
        PostMessage(left, WM_MOUSELEAVE, 0, 0);
    }
    if (s.hover.window) {
        if (s.hover.window != under || !overClient) {
            s.hover = Tracking {};
        } else if (!PtInRect(&s.hover.hoverRect, screen)) {
            // Moving out of the hover rectangle starts the wait again.
            s.hover.hoverRect = RECT { screen.x - 2, screen.y - 2, screen.x + 2, screen.y + 2 };
            s.hover.hoverStart = B().Now();
        }
    }
}

void SetCursorFor(Window* w, int hit, UINT mouseMsg)
{
    // A window that answers FALSE and whose class has no cursor leaves the
    // pointer as it was: a window that sets its own cursor as the mouse
    // moves (a drawing surface) must not see it flash back to the arrow
    // on every press.
    if (w)
        SendMessage(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w),
            MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(mouseMsg)));
}

UINT ButtonVk(int button) { return button == 0 ? VK_LBUTTON : button == 1 ? VK_RBUTTON : VK_MBUTTON; }

void HandleMouse(const platform::InputEvent& ev)
{
    InputState& s = S();
    POINT pt = ev.screen;
    bool down = ev.type == platform::InputEvent::Type::ButtonDown;
    bool up = ev.type == platform::InputEvent::Type::ButtonUp;
    if (down)
        s.keysDown.insert(ButtonVk(ev.button));
    if (up)
        s.keysDown.erase(ButtonVk(ev.button));

    if (s.moving) {
        Window* w = s.moving;
        if (ev.type == platform::InputEvent::Type::MouseMove) {
            Tree().SetPos(w, nullptr, pt.x - s.moveGrab.x, pt.y - s.moveGrab.y, 0, 0,
                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (up && ev.button == 0) {
            s.moving = nullptr;
            ReleaseCapture();
            SendMessage(w, WM_EXITSIZEMOVE, 0, 0);
        }
        return;
    }

    int hit = HTNOWHERE;
    Window* under = HitTest(pt, hit);
    UpdateTracking(under, hit, pt);

    Window* target = s.capture ? s.capture : under;
    int targetHit = s.capture ? HTCLIENT : hit;
    if (!target || !target->IsEnabled())
        return;

    static const UINT clientDown[] = { WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN };
    static const UINT clientUp[] = { WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP };
    static const UINT ncDown[] = { WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCLBUTTONDOWN };
    static const UINT ncUp[] = { WM_NCLBUTTONUP, WM_NCRBUTTONUP, WM_NCLBUTTONUP };
    int b = ev.button < 0 || ev.button > 2 ? 0 : ev.button;

    switch (ev.type) {
    case platform::InputEvent::Type::MouseMove:
        if (!s.capture)
            SetCursorFor(target, targetHit, WM_MOUSEMOVE);
        PostMouse(target, WM_MOUSEMOVE, WM_NCMOUSEMOVE, targetHit, pt);
        break;
    case platform::InputEvent::Type::ButtonDown: {
        if (!s.capture) {
            Window* top = target->TopLevel();
            if (top != s.active) {
                auto how = SendMessage(top, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                    MAKELPARAM(static_cast<WORD>(targetHit), static_cast<WORD>(clientDown[b])));
                if ((how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT) && !(top->exStyle & WS_EX_NOACTIVATE))
                    Activate(top, WA_CLICKACTIVE);
                if (how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT)
                    return;
            }
            if (!Tree().IsLive(target))
                return;
            SetCursorFor(target, targetHit, clientDown[b]);
        }
        PostMouse(target, clientDown[b], ncDown[b], targetHit, pt);
        break;
    }
    case platform::InputEvent::Type::ButtonUp:
        PostMouse(target, clientUp[b], ncUp[b], targetHit, pt);
        break;
    default:
        break;
    }
}

Window* KeyboardTarget()
{
    InputState& s = S();
    return s.focus ? s.focus : s.active;
}

void PostKey(UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* target = KeyboardTarget();
    if (!target)
        return;
    POINT pt {};
    GetCursorPos(&pt);
    PostInputMessage(MSG { target, message, wParam, lParam, B().Now(), pt });
}

} // namespace

void HandleInputEvent(const platform::InputEvent& ev)
{
    using T = platform::InputEvent::Type;
    InputState& s = S();
    switch (ev.type) {
    case T::MouseMove:
    case T::ButtonDown:
    case T::ButtonUp:
        HandleMouse(ev);
        break;
    case T::Wheel: {
        Window* target = KeyboardTarget();
        if (!target) {
            int hit = 0;
            target = HitTest(ev.screen, hit);
        }
        if (target) {
            WPARAM wp = MAKEWPARAM(static_cast<WORD>(KeyFlags()), static_cast<WORD>(static_cast<SHORT>(ev.wheelDelta)));
            PostInputMessage(MSG { target, WM_MOUSEWHEEL, wp, PointParam(ev.screen), B().Now(), ev.screen });
        }
        break;
    }
    case T::KeyDown: {
        bool repeat = s.keysDown.count(ev.virtualKey) != 0;
        s.keysDown.insert(ev.virtualKey);
        PostKey(WM_KEYDOWN, ev.virtualKey, static_cast<LPARAM>(1 | (repeat ? 0x40000000 : 0)));
        break;
    }
    case T::KeyUp:
        s.keysDown.erase(ev.virtualKey);
        PostKey(WM_KEYUP, ev.virtualKey, static_cast<LPARAM>(0xC0000001));
        break;
    case T::Char:
        PostKey(WM_CHAR, ev.character, 1);
        break;
    case T::PointerLeft:
        // Whatever the pointer is over now belongs to no window of ours.
        UpdateTracking(nullptr, HTNOWHERE, ev.screen);
        break;
    case T::CloseRequest:
        if (Window* w = FromHandle(ev.window))
            PostMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case T::Configure:
        if (Window* w = FromHandle(ev.window))
            Tree().SetPos(w, nullptr, ev.rect.left, ev.rect.top, ev.rect.right - ev.rect.left,
                ev.rect.bottom - ev.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
}

DWORD NextHoverDeadline()
{
    const Tracking& h = S().hover;
    return h.window ? h.hoverStart + h.hoverTime : 0xFFFFFFFF;
}

void CheckHover(DWORD now)
{
    InputState& s = S();
    Tracking& h = s.hover;
    if (!h.window || static_cast<std::int32_t>(now - (h.hoverStart + h.hoverTime)) < 0)
        return;
    Window* w = h.window;
    h = Tracking {};
    POINT pt = B().CursorPos();
    PostMessage(w, WM_MOUSEHOVER, KeyFlags(), PointParam(ToClient(w, pt)));
}

void ForgetWindowInput(Window* w)
{
    InputState& s = S();
    if (s.moving && InSubtree(s.moving, w))
        s.moving = nullptr;
    if (s.capture && InSubtree(s.capture, w))
        ReleaseCapture();
    if (s.leaveWindow && InSubtree(s.leaveWindow, w))
        s.leaveWindow = nullptr;
    if (s.hover.window && InSubtree(s.hover.window, w))
        s.hover = Tracking {};
    // Hiding and deactivation have moved focus and activation on already;
    // what still points here (a window hidden while its parent was hidden)
    // is dropped without messages to a window on its way out.
    if (s.focus && InSubtree(s.focus, w))
        s.focus = nullptr;
    if (s.active == w)
        s.active = nullptr;
}

void FocusLeaves(Window* w)
{
    InputState& s = S();
    if (w->IsChild() && s.focus && InSubtree(s.focus, w))
        ::SetFocus(w->parent);
}

void ActivateNextAfter(Window* w)
{
    InputState& s = S();
    if (s.active != w)
        return;
    auto canTake = [&](Window* t) {
        return t && t != w && Tree().IsLive(t) && !t->destroying && t->IsReallyVisible() && !t->minimized
            && t->IsEnabled() && !(t->exStyle & WS_EX_NOACTIVATE);
    };
    Window* next = canTake(w->owner) ? w->owner : nullptr;
    for (Window* t : Tree().TopLevels()) {
        if (next)
            break;
        if (canTake(t))
            next = t;
    }
    Activate(next, WA_ACTIVE);
}

namespace {

void SendActivateApp(bool active)
{
    for (Window* t : std::vector<Window*>(Tree().TopLevels()))
        if (Tree().IsLive(t))
            SendMessage(t, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

} // namespace

void Activate(Window* w, WORD how)
{
    InputState& s = S();
    if (w == s.active)
        return;
    Window* old = s.active;
    s.active = w;
    if (old && Tree().IsLive(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(w));
    }
    if (!w && old)
        SendActivateApp(false);
    if (w && Tree().IsLive(w)) {
        if (!old)
            SendActivateApp(true);
        Tree().Raise(w);
        if (s.active == w) {
            SendMessage(w, WM_NCACTIVATE, TRUE, 0);
            SendMessage(w, WM_ACTIVATE, MAKEWPARAM(how, w->minimized ? 1 : 0), reinterpret_cast<LPARAM>(old));
        }
    }
    // The keyboard focus belongs to the active window: the default handling
    // of WM_ACTIVATE has put it there; a focus left in another window (or
    // with none active) is taken away.
    if (s.active == w && s.focus && (!w || !InSubtree(s.focus, w)))
        ::SetFocus(nullptr);
}

Window* ActiveWindow() { return S().active; }

void BeginSystemMove(Window* w)
{
    InputState& s = S();
    // The press may already be over by the time the request is handled.
    if (!s.keysDown.count(VK_LBUTTON))
        return;
    Window* top = w->TopLevel();
    POINT pt = B().CursorPos();
    s.moveGrab = POINT { pt.x - top->rect.left, pt.y - top->rect.top };
    SendMessage(top, WM_ENTERSIZEMOVE, 0, 0);
    ::SetCapture(top);
    s.moving = top;
}

bool IsKeyDown(UINT vk) { return S().keysDown.count(vk) != 0; }

HCURSOR CurrentCursor() { return S().cursor; }

} // namespace ws

using namespace ws;

HWND SetCapture(HWND hwnd)
{
    InputState& s = S();
    Window* w = FromHandle(hwnd);
    Window* old = s.capture;
    if (!w)
        return old;
    s.capture = w;
    B().GrabPointer(w->TopLevel());
    if (old && old != w && Tree().IsLive(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(w));
    return old;
}

BOOL ReleaseCapture()
{
    InputState& s = S();
    Window* old = s.capture;
    if (!old)
        return TRUE;
    s.capture = nullptr;
    B().GrabPointer(nullptr);
    if (Tree().IsLive(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return S().capture; }

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme)
{
    if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT))
        return FALSE;
    InputState& s = S();
    Window* w = FromHandle(tme->hwndTrack);
    if (tme->dwFlags & TME_CANCEL) {
        if ((tme->dwFlags & TME_LEAVE) && s.leaveWindow == w)
            s.leaveWindow = nullptr;
        if ((tme->dwFlags & TME_HOVER) && s.hover.window == w)
            s.hover = Tracking {};
        return TRUE;
    }
    if (!w)
        return FALSE;
    POINT pt = B().CursorPos();
    int hit = 0;
    Window* under = HitTest(pt, hit);
    bool over = under == w && hit == HTCLIENT;
    if (tme->dwFlags & TME_LEAVE) {
        if (over)
            s.leaveWindow = w;
        else
            PostMessage(w, WM_MOUSELEAVE, 0, 0);
    }
    if ((tme->dwFlags & TME_HOVER) && over) {
        UINT time = tme->dwHoverTime;
        if (time == HOVER_DEFAULT)
            SystemParametersInfo(SPI_GETMOUSEHOVERTIME, 0, &time, 0);
        s.hover.window = w;
        s.hover.hoverTime = time;
        s.hover.hoverRect = RECT { pt.x - 2, pt.y - 2, pt.x + 2, pt.y + 2 };
        s.hover.hoverStart = B().Now();
    }
    return TRUE;
}

SHORT GetKeyState(int key) { return IsKeyDown(static_cast<UINT>(key)) ? KEY_DOWN_BIT : 0; }
SHORT GetAsyncKeyState(int key) { return GetKeyState(key); }

BOOL GetCursorPos(LPPOINT out)
{
    platform::Backend* screen = platform::InstalledBackend();
    if (!out || !screen)
        return FALSE;
    *out = screen->CursorPos();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    platform::Backend* screen = platform::InstalledBackend();
    if (!screen)
        return FALSE;
    screen->SetCursorPos(POINT { x, y });
    platform::InputEvent ev;
    ev.type = platform::InputEvent::Type::MouseMove;
    ev.screen = POINT { x, y };
    HandleInputEvent(ev);
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    InputState& s = S();
    HCURSOR old = s.cursor;
    if (cursor != old) {
        s.cursor = cursor;
        ShowChosenCursor(s);
    }
    return old;
}

HCURSOR GetCursor() { return S().cursor; }

int ShowCursor(BOOL show)
{
    InputState& s = S();
    s.cursorShowCount += show ? 1 : -1;
    ShowChosenCursor(s);
    return s.cursorShowCount;
}

HWND SetFocus(HWND hwnd)
{
    InputState& s = S();
    Window* w = hwnd ? FromHandle(hwnd) : nullptr;
    if (hwnd && !w)
        return nullptr;
    Window* old = s.focus;
    if (w == old)
        return old;
    if (w && w->TopLevel() != s.active)
        Activate(w->TopLevel(), WA_ACTIVE);
    if (s.focus != old) // activation moved the focus itself
        old = s.focus;
    s.focus = w;
    if (old && Tree().IsLive(old))
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(w), 0);
    if (w && Tree().IsLive(w) && s.focus == w)
        SendMessage(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() { return S().focus; }

HWND GetActiveWindow() { return S().active; }

HWND SetActiveWindow(HWND hwnd)
{
    Window* old = S().active;
    Window* w = FromHandle(hwnd);
    if (w)
        Activate(w->TopLevel(), WA_ACTIVE);
    return old;
}

HWND GetForegroundWindow() { return S().active; }

BOOL SetForegroundWindow(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    Window* top = w->TopLevel();
    Activate(top, WA_ACTIVE);
    // The desktop may have covered or minimised the window meanwhile,
    // unbeknown to the window system: the screen brings it forward, and the
    // program's own stacking (its top-most windows above) goes out again.
    if (Tree().IsLive(top) && top->IsReallyVisible()) {
        platform::CurrentBackend().BringToFront(top);
        Tree().PublishStacking();
    }
    return TRUE;
}

HWND WindowFromPoint(POINT pt)
{
    int hit = 0;
    return HitTest(pt, hit);
}
