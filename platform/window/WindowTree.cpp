#include "platform/window/WindowTree.h"

#include "platform/window/Backend.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowClass.h"

#include <algorithm>

namespace ws {

WindowTree& Tree()
{
    static WindowTree tree;
    return tree;
}

namespace {

platform::WindowTraits TraitsOf(const Window* w)
{
    platform::WindowTraits t;
    t.managed = (w->style & WS_CAPTION) == WS_CAPTION && !(w->exStyle & WS_EX_TOOLWINDOW);
    t.topmost = w->IsTopmost();
    t.toolWindow = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
    t.maximized = w->maximized;
    t.frame = NonClientInsets(w->style, w->exStyle);
    t.title = w->text.c_str();
    return t;
}

RECT MaximisedRect(const Window* w)
{
    SIZE screen = platform::CurrentBackend().ScreenSize();
    int frame = NonClientInsets(w->style, w->exStyle).left;
    // The frame lies just off the screen; the caption stays on it.
    return RECT { -frame, -frame, screen.cx + frame, screen.cy + frame };
}

} // namespace

Window* WindowTree::Create(const CREATESTRUCT& cs, const WindowClass* cls)
{
    Window* parent = nullptr;
    Window* owner = nullptr;
    if (cs.style & WS_CHILD) {
        parent = FromHandle(cs.hwndParent);
        if (!parent)
            return nullptr;
    } else if (cs.hwndParent) {
        Window* given = FromHandle(cs.hwndParent);
        if (!given)
            return nullptr;
        owner = given->TopLevel();
    }

    auto* w = new Window;
    w->className = cls->name;
    w->windowClass = cls;
    w->proc = cls->proc;
    w->text = cs.lpszName ? cs.lpszName : "";
    w->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    w->exStyle = cs.dwExStyle;
    w->parent = parent;
    w->owner = owner;
    w->rect = RECT { cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0) };
    w->instance = cs.hInstance;
    if (parent)
        w->id = static_cast<LONG_PTR>(reinterpret_cast<ULONG_PTR>(cs.hMenu));
    {
        std::lock_guard lock(liveLock_);
        live_.insert(w);
    }

    if (parent) {
        // New children go to the bottom, so that creation order is tab order.
        parent->children.push_back(w);
    } else {
        ResizePixels(w);
        topLevels_.insert(topLevels_.begin(), w);
        PlaceInZOrder(w, HWND_TOP);
        platform::Backend& b = platform::CurrentBackend();
        b.AddWindow(w, TraitsOf(w));
        b.SetWindowRect(w, w->rect);
        PublishStacking();
    }

    CREATESTRUCT copy = cs;
    platform::CallCreateHook(w, copy);
    if (!IsLive(w))
        return nullptr;
    if (!SendMessage(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&copy)) || !IsLive(w)) {
        if (IsLive(w))
            Destroy(w);
        return nullptr;
    }
    // The client area follows from the styles; the answer to WM_NCCALCSIZE
    // is not read back, but a window sees the message where it expects it.
    RECT proposed = w->rect;
    SendMessage(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
    if (!IsLive(w))
        return nullptr;
    if (SendMessage(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&copy)) == -1 || !IsLive(w)) {
        if (IsLive(w))
            Destroy(w);
        return nullptr;
    }
    w->sizePending = !parent && !(w->style & WS_POPUP);
    if (!w->sizePending)
        SendSizeAndMove(w);
    if (IsLive(w))
        NotifyParent(w, WM_CREATE);
    if (!IsLive(w))
        return nullptr;
    if (cs.style & WS_MAXIMIZE)
        Show(w, SW_MAXIMIZE);
    else if (cs.style & WS_VISIBLE)
        Show(w, SW_SHOW);
    return w;
}

bool WindowTree::IsLiveFromAnyThread(HWND h) const
{
    std::lock_guard lock(liveLock_);
    return IsLive(h);
}

void WindowTree::SendSizeAndMove(Window* w)
{
    RECT c = w->ClientInWindow();
    WPARAM kind = w->maximized ? SIZE_MAXIMIZED : w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
    SendMessage(w, WM_SIZE, kind, MAKELPARAM(static_cast<WORD>(c.right - c.left), static_cast<WORD>(c.bottom - c.top)));
    if (IsLive(w))
        SendMessage(w, WM_MOVE, 0,
            MAKELPARAM(static_cast<WORD>(w->rect.left + c.left), static_cast<WORD>(w->rect.top + c.top)));
}

void WindowTree::NotifyParent(Window* w, UINT event)
{
    // Only the direct parent hears of it, and not from a child that asked
    // for quiet.
    if (!w->IsChild() || !w->parent || !IsLive(w->parent) || (w->exStyle & WS_EX_NOPARENTNOTIFY))
        return;
    SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(event), static_cast<WORD>(w->id)),
        reinterpret_cast<LPARAM>(w));
}

void WindowTree::ResizePixels(Window* w)
{
    int width = std::max(w->Width(), 1);
    int height = std::max(w->Height(), 1);
    if (w->pixels && w->pixels->Width() == width && w->pixels->Height() == height)
        return;
    w->pixels = std::make_unique<gdi::Surface>(width, height);
}

bool WindowTree::Destroy(Window* w)
{
    if (!w || w->destroying)
        return false;
    w->destroying = true;

    // The parent hears first; then the window goes out of sight (a child
    // as ShowWindow hides it, a top-level window without WM_SHOWWINDOW).
    NotifyParent(w, WM_DESTROY);
    if (IsLive(w) && w->IsVisibleFlag()) {
        if (w->IsChild())
            Show(w, SW_HIDE);
        else
            SetPos(w, nullptr, 0, 0, 0, 0,
                SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    if (!IsLive(w))
        return true;

    // Owned windows go next, whole.
    std::vector<Window*> owned;
    for (Window* t : topLevels_)
        if (t->owner == w)
            owned.push_back(t);
    for (Window* t : owned)
        if (IsLive(t))
            Destroy(t);
    if (!IsLive(w))
        return true;

    if (!w->IsChild())
        ActivateNextAfter(w);
    ForgetWindowInput(w);

    // WM_DESTROY reaches the window before its children.
    std::vector<Window*> order;
    auto collect = [&](auto&& self, Window* x) -> void {
        order.push_back(x);
        for (Window* c : x->children)
            self(self, c);
    };
    collect(collect, w);
    for (Window* x : order) {
        x->destroying = true;
        if (IsLive(x))
            SendMessage(x, WM_DESTROY, 0, 0);
    }
    // WM_NCDESTROY reaches the children before the window; then each goes.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Window* x = *it;
        if (!IsLive(x))
            continue;
        SendMessage(x, WM_NCDESTROY, 0, 0);
        StopWindowTimers(x);
        RemoveWindowMessages(x);
        ForgetWindowDcs(x);
        Unlink(x);
        {
            std::lock_guard lock(liveLock_);
            live_.erase(x);
        }
        if (!x->IsChild())
            platform::CurrentBackend().RemoveWindow(x);
        delete x;
    }
    PublishStacking();
    return true;
}

void WindowTree::Unlink(Window* w)
{
    if (w->parent) {
        auto& sib = w->parent->children;
        sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
    } else {
        topLevels_.erase(std::remove(topLevels_.begin(), topLevels_.end(), w), topLevels_.end());
        for (Window* t : topLevels_)
            if (t->owner == w)
                t->owner = nullptr;
    }
}

void WindowTree::PlaceInZOrder(Window* w, HWND insertAfter)
{
    std::vector<Window*>& list = w->parent ? w->parent->children : topLevels_;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());

    auto bandStart = [&]() {
        if (w->parent || w->IsTopmost())
            return list.begin();
        return std::find_if(list.begin(), list.end(), [](Window* x) { return !x->IsTopmost(); });
    };
    auto bandEnd = [&]() {
        if (w->parent || !w->IsTopmost())
            return list.end();
        return std::find_if(list.begin(), list.end(), [](Window* x) { return !x->IsTopmost(); });
    };

    std::vector<Window*>::iterator pos;
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        pos = bandStart();
    } else if (insertAfter == HWND_BOTTOM) {
        pos = bandEnd();
    } else {
        auto after = std::find(list.begin(), list.end(), static_cast<Window*>(insertAfter));
        pos = after == list.end() ? bandStart() : after + 1;
        // Keep the window within its band.
        pos = std::clamp(pos, bandStart(), bandEnd());
        // An owned window asked to go below its owner stays directly in
        // front of it instead: owned windows are never behind their owner.
        if (!w->parent && w->owner) {
            auto owner = std::find(list.begin(), list.end(), w->owner);
            if (owner != list.end() && pos > owner && w->IsTopmost() == w->owner->IsTopmost())
                pos = owner;
        }
    }
    list.insert(pos, w);

    if (!w->parent && (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) {
        // Owned windows stay above their owner.
        std::vector<Window*> owned;
        for (Window* t : list)
            if (t->owner == w && t->IsTopmost() == w->IsTopmost())
                owned.push_back(t);
        for (Window* t : owned) {
            list.erase(std::remove(list.begin(), list.end(), t), list.end());
            list.insert(std::find(list.begin(), list.end(), w), t);
        }
    }
}

void WindowTree::PublishStacking()
{
    std::vector<HWND> order(topLevels_.begin(), topLevels_.end());
    platform::CurrentBackend().SetStacking(order);
}

bool WindowTree::ZOrderWouldChange(Window* w, HWND insertAfter)
{
    DWORD exStyle = w->exStyle;
    if (insertAfter == HWND_TOPMOST && !w->IsChild())
        w->exStyle |= WS_EX_TOPMOST;
    else if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM)
        w->exStyle &= ~WS_EX_TOPMOST;
    std::vector<Window*>& list = w->parent ? w->parent->children : topLevels_;
    std::vector<Window*> before = list;
    PlaceInZOrder(w, insertAfter);
    bool changed = list != before || w->exStyle != exStyle;
    list = std::move(before);
    w->exStyle = exStyle;
    return changed;
}

void WindowTree::Raise(Window* w)
{
    if (w->IsChild() || !ZOrderWouldChange(w, HWND_TOP))
        return;
    PlaceInZOrder(w, HWND_TOP);
    PublishStacking();
}

bool WindowTree::ShowChildOfHiddenParent(Window* w, bool show)
{
    // Nothing of it can be seen either way: only the flag changes.
    if (!w->IsChild() || !w->parent || w->parent->IsReallyVisible())
        return false;
    if (show)
        w->style |= WS_VISIBLE;
    else
        w->style &= ~WS_VISIBLE;
    if (!show)
        FocusLeaves(w);
    return true;
}

bool WindowTree::Show(Window* w, int cmd)
{
    bool wasVisible = w->IsVisibleFlag();
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible)
            return false;
        SendMessage(w, WM_SHOWWINDOW, FALSE, 0);
        if (!IsLive(w) || ShowChildOfHiddenParent(w, false))
            return true;
        SetPos(w, HWND_TOP, 0, 0, 0, 0,
            SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW | (w->IsChild() ? SWP_NOZORDER | SWP_NOACTIVATE : 0));
        // Unlike SetWindowPos, hiding with ShowWindow hands the activation on,
        // so that the keyboard keeps working after a popup hides itself.
        if (IsLive(w) && !w->IsChild())
            ActivateNextAfter(w);
        return true;
    case SW_MAXIMIZE: {
        if (!w->maximized) {
            w->restoreRect = w->rect;
            w->maximized = true;
            w->minimized = false;
            w->style |= WS_MAXIMIZE;
            w->style &= ~WS_MINIMIZE;
        }
        RECT r = MaximisedRect(w);
        if (!wasVisible)
            SendMessage(w, WM_SHOWWINDOW, TRUE, 0);
        SetPos(w, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        break;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        w->minimized = true;
        w->style |= WS_MINIMIZE;
        if (!w->IsChild())
            platform::CurrentBackend().SetWindowVisible(w, false);
        FocusLeaves(w);
        if (!w->IsChild())
            ActivateNextAfter(w);
        RefreshWindowDcs();
        SendMessage(w, WM_SIZE, SIZE_MINIMIZED, 0);
        return wasVisible;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (w->minimized) {
            w->minimized = false;
            w->style &= ~WS_MINIMIZE;
        } else if (w->maximized && cmd == SW_RESTORE) {
            w->maximized = false;
            w->style &= ~WS_MAXIMIZE;
            RECT r = w->restoreRect;
            SetPos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_FRAMECHANGED);
        }
        [[fallthrough]];
    default: {
        // Showing what is already shown changes nothing.
        if (wasVisible && (cmd == SW_SHOW || cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE))
            return true;
        if (!wasVisible)
            SendMessage(w, WM_SHOWWINDOW, TRUE, 0);
        if (!IsLive(w) || ShowChildOfHiddenParent(w, true))
            return wasVisible;
        UINT f = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;
        if (w->IsChild())
            f |= SWP_NOZORDER | SWP_NOACTIVATE;
        else if (cmd == SW_SHOWNA)
            f |= SWP_NOACTIVATE;
        else if (cmd == SW_SHOWNOACTIVATE)
            f |= SWP_NOACTIVATE | SWP_NOZORDER;
        SetPos(w, HWND_TOP, 0, 0, 0, 0, f);
        if (IsLive(w) && w->minimized && !w->IsChild())
            platform::CurrentBackend().SetWindowVisible(w, false);
        break;
    }
    }
    if (IsLive(w) && w->sizePending && w->IsVisibleFlag()) {
        w->sizePending = false;
        SendSizeAndMove(w);
    }
    return wasVisible;
}

bool WindowTree::SetPos(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    WINDOWPOS pos { w, insertAfter, x, y, cx, cy, flags };
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->Width();
        pos.cy = w->Height();
    }
    SendMessage(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!IsLive(w))
        return false;
    // The handler may have changed the request.
    flags = pos.flags;
    insertAfter = pos.hwndInsertAfter;

    RECT oldRect = w->rect;
    RECT newRect = oldRect;
    if (!(flags & SWP_NOMOVE))
        OffsetRect(&newRect, pos.x - oldRect.left, pos.y - oldRect.top);
    if (!(flags & SWP_NOSIZE)) {
        newRect.right = newRect.left + std::max(pos.cx, 0);
        newRect.bottom = newRect.top + std::max(pos.cy, 0);
    }
    bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    bool sized = (newRect.right - newRect.left) != (oldRect.right - oldRect.left)
        || (newRect.bottom - newRect.top) != (oldRect.bottom - oldRect.top);
    bool show = (flags & SWP_SHOWWINDOW) && !w->IsVisibleFlag();
    bool hide = (flags & SWP_HIDEWINDOW) && w->IsVisibleFlag();
    // A window going out of sight keeps its place in the stacking.
    bool zChanged = !(flags & SWP_NOZORDER) && !hide && ZOrderWouldChange(w, insertAfter);
    bool frameChanged = (flags & SWP_FRAMECHANGED) != 0;
    bool willBeVisible = (w->IsVisibleFlag() || show) && !hide && (!w->IsChild() || w->parent->IsReallyVisible());
    bool activate = willBeVisible && !w->IsChild() && !(flags & SWP_NOACTIVATE) && !(w->exStyle & WS_EX_NOACTIVATE)
        && ActiveWindow() != w;
    // A request that changes nothing ends after WM_WINDOWPOSCHANGING.
    if (!moved && !sized && !zChanged && !show && !hide && !frameChanged && !activate)
        return true;

    if (sized || frameChanged) {
        RECT oldClient = w->ClientInWindow();
        OffsetRect(&oldClient, oldRect.left, oldRect.top);
        NCCALCSIZE_PARAMS calc { { newRect, oldRect, oldClient }, &pos };
        SendMessage(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&calc));
        if (!IsLive(w))
            return false;
    }

    bool wasVisible = w->IsReallyVisible();
    w->rect = newRect;
    if (zChanged) {
        if (insertAfter == HWND_TOPMOST && !w->IsChild())
            w->exStyle |= WS_EX_TOPMOST;
        else if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM)
            w->exStyle &= ~WS_EX_TOPMOST;
        PlaceInZOrder(w, insertAfter);
    }
    if (show)
        w->style |= WS_VISIBLE;
    if (hide)
        w->style &= ~WS_VISIBLE;
    bool nowVisible = w->IsReallyVisible();

    bool redraw = !(flags & SWP_NOREDRAW);
    if (!w->IsChild()) {
        platform::Backend& b = platform::CurrentBackend();
        if (sized)
            ResizePixels(w);
        if (moved || sized)
            b.SetWindowRect(w, w->rect);
        if (frameChanged || zChanged)
            b.SetWindowTraits(w, TraitsOf(w));
        if (zChanged)
            PublishStacking();
        if (nowVisible != wasVisible)
            b.SetWindowVisible(w, nowVisible && !w->minimized);
    } else if (redraw && wasVisible && (moved || sized || !nowVisible)) {
        // What the child no longer covers is painted again by its parent;
        // what it covers now it paints itself.
        InvalidateParentArea(w, oldRect);
    }
    if (w->IsChild() && zChanged && nowVisible) {
        // Siblings it now lies under paint their part again.
        for (Window* sib : w->parent->children) {
            RECT overlap;
            if (sib != w && sib->IsReallyVisible() && IntersectRect(&overlap, &sib->rect, &newRect)) {
                OffsetRect(&overlap, -sib->rect.left, -sib->rect.top);
                gdi::Region part(overlap);
                Invalidate(sib, &part, true);
            }
        }
    }
    if (nowVisible
        && (sized || !wasVisible || frameChanged || (redraw && w->IsChild() && (moved || zChanged)))) {
        Invalidate(w, nullptr, true);
        InvalidateFrame(w);
    }

    RefreshWindowDcs();
    if (activate && IsLive(w))
        Activate(w, WA_ACTIVE);
    if (!IsLive(w))
        return false;
    if (!frameChanged) {
        pos.flags |= moved ? 0 : SWP_NOCLIENTMOVE;
        pos.flags |= sized ? 0 : SWP_NOCLIENTSIZE;
    }
    SendMessage(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    // A focus inside a child that went out of sight moves to its parent.
    if (wasVisible && !nowVisible && IsLive(w))
        FocusLeaves(w);
    return true;
}

void WindowTree::SetRegion(Window* w, std::optional<gdi::Region> region, bool redraw)
{
    w->windowRegion = std::move(region);
    if (!w->IsChild()) {
        platform::CurrentBackend().SetWindowShape(w, w->windowRegion ? &*w->windowRegion : nullptr);
    } else if (redraw) {
        InvalidateParentArea(w, w->rect);
    }
    if (redraw) {
        Invalidate(w, nullptr, true);
        InvalidateFrame(w);
    }
    RefreshWindowDcs();
}

void WindowTree::SetStyle(Window* w, DWORD style)
{
    bool wasVisible = w->IsVisibleFlag();
    w->style = style;
    if (wasVisible != w->IsVisibleFlag()) {
        w->style ^= WS_VISIBLE;
        Show(w, wasVisible ? SW_HIDE : SW_SHOWNA);
    }
}

void WindowTree::SetExStyle(Window* w, DWORD exStyle)
{
    bool wasTopmost = w->IsTopmost();
    w->exStyle = exStyle;
    if (!w->IsChild()) {
        platform::CurrentBackend().SetWindowTraits(w, TraitsOf(w));
        if (wasTopmost != w->IsTopmost()) {
            PlaceInZOrder(w, HWND_TOP);
            PublishStacking();
        }
    }
}

} // namespace ws
