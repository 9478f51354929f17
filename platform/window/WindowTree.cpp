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
    // A top-level window needs a screen to show on; without one installed
    // the creation fails and the caller says so.
    if (!parent && !platform::InstalledBackend())
        return nullptr;

    auto* w = new Window;
    w->className = cls->name;
    w->windowClass = cls;
    w->proc = cls->proc;
    w->text = cs.lpszName ? cs.lpszName : "";
    w->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    w->exStyle = cs.dwExStyle;
    // A window owned by a top-most window is top-most itself, so that it
    // can come up in front of its owner.
    if (owner && owner->IsTopmost())
        w->exStyle |= WS_EX_TOPMOST;
    w->parent = parent;
    w->owner = owner;
    w->rect = RECT { cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0) };
    w->instance = cs.hInstance;
    if (parent)
        w->id = static_cast<LONG_PTR>(reinterpret_cast<ULONG_PTR>(cs.hMenu));
    live_.insert(w);

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
    if (SendMessage(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&copy)) == -1 || !IsLive(w)) {
        if (IsLive(w))
            Destroy(w);
        return nullptr;
    }
    if (cs.style & WS_MAXIMIZE)
        Show(w, SW_MAXIMIZE);
    else if (cs.style & WS_VISIBLE)
        Show(w, SW_SHOW);
    return w;
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

    // Owned windows go first, whole.
    std::vector<Window*> owned;
    for (Window* t : topLevels_)
        if (t->owner == w)
            owned.push_back(t);
    for (Window* t : owned)
        if (IsLive(t))
            Destroy(t);

    if (w->IsVisibleFlag())
        SetPos(w, nullptr, 0, 0, 0, 0,
            SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
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
        live_.erase(x);
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

bool WindowTree::Show(Window* w, int cmd)
{
    bool wasVisible = w->IsVisibleFlag();
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    switch (cmd) {
    case SW_HIDE:
        if (wasVisible) {
            SendMessage(w, WM_SHOWWINDOW, FALSE, 0);
            SetPos(w, nullptr, 0, 0, 0, 0, flags | SWP_HIDEWINDOW | SWP_NOACTIVATE);
        }
        return wasVisible;
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
        SendMessage(w, WM_SIZE, SIZE_MAXIMIZED,
            MAKELPARAM(static_cast<WORD>(w->ClientInWindow().right - w->ClientInWindow().left),
                static_cast<WORD>(w->ClientInWindow().bottom - w->ClientInWindow().top)));
        return wasVisible;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        w->minimized = true;
        w->style |= WS_MINIMIZE;
        if (!w->IsChild())
            platform::CurrentBackend().SetWindowVisible(w, false);
        WindowHidden(w);
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
        bool activate = cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE;
        if (!wasVisible)
            SendMessage(w, WM_SHOWWINDOW, TRUE, 0);
        UINT f = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | (activate ? 0 : SWP_NOACTIVATE);
        SetPos(w, activate ? HWND_TOP : nullptr, 0, 0, 0, 0, f | (activate && !w->IsChild() ? 0 : SWP_NOZORDER));
        if (w->minimized && !w->IsChild()) {
            platform::CurrentBackend().SetWindowVisible(w, false);
        }
        return wasVisible;
    }
    }
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

    RECT oldRect = w->rect;
    bool wasVisible = w->IsReallyVisible();
    RECT newRect { pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0) };
    bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    bool sized = (newRect.right - newRect.left) != (oldRect.right - oldRect.left)
        || (newRect.bottom - newRect.top) != (oldRect.bottom - oldRect.top);
    w->rect = newRect;

    bool zChanged = false;
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST && !w->IsChild())
            w->exStyle |= WS_EX_TOPMOST;
        else if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM)
            w->exStyle &= ~WS_EX_TOPMOST;
        PlaceInZOrder(w, insertAfter);
        zChanged = true;
    }
    if (flags & SWP_SHOWWINDOW)
        w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    bool nowVisible = w->IsReallyVisible();

    bool redraw = !(flags & SWP_NOREDRAW);
    if (!w->IsChild()) {
        platform::Backend& b = platform::CurrentBackend();
        if (sized)
            ResizePixels(w);
        if (moved || sized)
            b.SetWindowRect(w, w->rect);
        if ((flags & SWP_FRAMECHANGED) || zChanged)
            b.SetWindowTraits(w, TraitsOf(w));
        if (zChanged)
            PublishStacking();
        if (nowVisible != wasVisible)
            b.SetWindowVisible(w, nowVisible && !w->minimized);
    } else if (redraw && (wasVisible || nowVisible) && (moved || sized || nowVisible != wasVisible || zChanged)) {
        // What the child covered and now covers is painted again by its parent.
        if (wasVisible)
            InvalidateParentArea(w, oldRect);
        if (nowVisible)
            InvalidateParentArea(w, newRect);
    }
    if (nowVisible && (sized || !wasVisible || (flags & SWP_FRAMECHANGED) || (redraw && w->IsChild() && moved))) {
        Invalidate(w, nullptr, true);
        InvalidateFrame(w);
    }
    if (wasVisible && !nowVisible)
        WindowHidden(w);

    RefreshWindowDcs();
    SendMessage(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (IsLive(w) && nowVisible && !w->IsChild() && !(flags & SWP_NOACTIVATE) && (!wasVisible || zChanged)
        && !(w->exStyle & WS_EX_NOACTIVATE))
        Activate(w, WA_ACTIVE);
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
