#include "platform/window/Window.h"

#include "platform/window/WindowTree.h"

namespace ws {

RECT NonClientInsets(DWORD style, DWORD exStyle)
{
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = GetSystemMetrics(SM_CXFRAME);
    else if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        frame = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        frame = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE)
        frame += 2;
    int caption = (style & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0;
    return RECT { frame, frame + caption, frame, frame };
}

RECT Window::ClientInWindow() const
{
    RECT in = NonClientInsets(style, exStyle);
    RECT c { in.left, in.top, Width() - in.right, Height() - in.bottom };
    if (c.right < c.left)
        c.right = c.left;
    if (c.bottom < c.top)
        c.bottom = c.top;
    return c;
}

Window* Window::TopLevel()
{
    Window* w = this;
    while (w->IsChild() && w->parent)
        w = w->parent;
    return w;
}

POINT Window::ScreenOrigin() const
{
    if (!IsChild() || !parent)
        return POINT { rect.left, rect.top };
    POINT p = parent->ClientScreenOrigin();
    return POINT { p.x + rect.left, p.y + rect.top };
}

POINT Window::ClientScreenOrigin() const
{
    POINT o = ScreenOrigin();
    RECT c = ClientInWindow();
    return POINT { o.x + c.left, o.y + c.top };
}

POINT Window::OriginInTopLevel() const
{
    const Window* top = this;
    while (top->IsChild() && top->parent)
        top = top->parent;
    POINT me = ScreenOrigin();
    POINT t = top->ScreenOrigin();
    return POINT { me.x - t.x, me.y - t.y };
}

bool Window::IsReallyVisible() const
{
    for (const Window* w = this; w; w = w->IsChild() ? w->parent : nullptr) {
        if (!w->IsVisibleFlag() || w->minimized)
            return false;
    }
    return true;
}

Window* FromHandle(HWND hwnd) { return Tree().IsLive(hwnd) ? static_cast<Window*>(hwnd) : nullptr; }

} // namespace ws
