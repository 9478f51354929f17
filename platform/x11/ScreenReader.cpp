#include "platform/x11/ScreenReader.h"

#include <algorithm>

namespace platform::x11 {

namespace {

// Whether the server is a Wayland compositor's X server, which may run
// rootless: windows without a desktop picture behind them.
bool MayBeRootless(Display* display)
{
    int opcode = 0, event = 0, error = 0;
    return XQueryExtension(display, "XWAYLAND", &opcode, &event, &error) != 0;
}

} // namespace

ScreenReader::ScreenReader(Display* display, int screen)
    : display_(display)
    , root_(RootWindow(display, screen))
    , width_(DisplayWidth(display, screen))
    , height_(DisplayHeight(display, screen))
    , rootless_(MayBeRootless(display))
    , image_(display, DefaultVisual(display, screen), DefaultDepth(display, screen), true)
{
}

bool ScreenReader::Read(gdi::Surface& out)
{
    if (!image_.Reserve(width_, height_, true) || !image_.Format()->Supported())
        return false;
    if (!image_.Get(root_, 0, 0, out))
        return false;
    // A black screen is a real picture on an ordinary server. On one that
    // may run rootless, a black read while other programs' windows are
    // shown means the server had nothing to give.
    if (rootless_ && AllBlack(out) && OtherWindowsShown())
        return false;
    out.MarkDirty(out.Bounds());
    return true;
}

bool ScreenReader::AllBlack(const gdi::Surface& pixels) const
{
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint32_t* row = pixels.Row(y);
        if (std::any_of(row, row + pixels.Width(), [](std::uint32_t p) { return (p & 0x00FFFFFF) != 0; }))
            return false;
    }
    return true;
}

bool ScreenReader::OtherWindowsShown() const
{
    ::Window rootReturn = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, root_, &rootReturn, &parent, &children, &count))
        return false;
    bool shown = false;
    for (unsigned i = 0; i < count && !shown; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(display_, children[i], &a) && a.map_state == IsViewable && a.width > 1 && a.height > 1)
            shown = true;
    }
    if (children)
        XFree(children);
    return shown;
}

} // namespace platform::x11
