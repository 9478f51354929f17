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
            SetPos(w, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
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
