// Showing, hiding, moving, resizing and restacking: ShowWindow and
// SetWindowPos with the messages they send, in the order they send them.

#include "platform/window/Backend.h"
#include "platform/window/Input.h"
#include "platform/window/Messages.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowTree.h"

#include <algorithm>

namespace ws {

namespace {

RECT MaximisedRect(const Window* w)
{
    SIZE screen = platform::CurrentBackend().ScreenSize();
    int frame = NonClientInsets(w->style, w->exStyle).left;
    // The frame lies just off the screen; the caption stays on it.
    return RECT { -frame, -frame, screen.cx + frame, screen.cy + frame };
}

} // namespace

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
    bool unminimized = false;
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
            unminimized = true;
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
        if (IsLive(w) && unminimized && w->IsReallyVisible()) {
            // Its flag never went: the screen shows it again, and it paints.
            if (!w->IsChild())
                platform::CurrentBackend().SetWindowVisible(w, true);
            Invalidate(w, nullptr, true);
            InvalidateFrame(w);
            RefreshWindowDcs();
        }
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
    if (nowVisible && (sized || !wasVisible || frameChanged || (redraw && w->IsChild() && (moved || zChanged)))) {
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

} // namespace ws
