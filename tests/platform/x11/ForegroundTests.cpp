// SetForegroundWindow on the X screen: a window that the desktop covered
// with another program's window, or unmapped as a window manager minimises,
// is shown and put above that window again, the program's top-most windows
// stay above it, and a window manager is asked to activate it.

#include "tests/platform/x11/X11Fixture.h"

namespace {

using test::X11Test;

// The root's children, bottom first.
std::vector<::Window> Stacking(Display* d)
{
    ::Window rootOut = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    std::vector<::Window> order;
    if (XQueryTree(d, DefaultRootWindow(d), &rootOut, &parent, &children, &count)) {
        order.assign(children, children + count);
        XFree(children);
    }
    return order;
}

int Place(const std::vector<::Window>& order, ::Window w)
{
    auto it = std::find(order.begin(), order.end(), w);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

TEST_F(X11Test, TheForegroundWindowComesBackFromUnderOtherWindowsAndFromBeingMinimised)
{
    HWND main = MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, RECT { 50, 50, 650, 450 }, RGB(1, 2, 3));
    HWND tool = MakeWindow(WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, RECT { 700, 50, 760, 400 }, RGB(4, 5, 6));
    ShowWindow(main, SW_SHOW);
    ShowWindow(tool, SW_SHOWNA);
    ASSERT_TRUE(RunUntil([] { return true; }));
    const ::Window mainX = screen_->XWindowOf(main), toolX = screen_->XWindowOf(tool);
    const ::Window root = DefaultRootWindow(hand_);
    // The hand listens as a window manager would to what comes to the root.
    XSelectInput(hand_, root, SubstructureNotifyMask);

    for (bool minimised : { false, true }) {
        SCOPED_TRACE(minimised ? "minimised" : "covered");
        const ::Window other = OtherWindow(RECT { 0, 0, 800, 600 }, RGB(9, 9, 9));
        if (minimised)
            XUnmapWindow(hand_, mainX);
        XSync(hand_, True);
        ASSERT_LT(Place(Stacking(hand_), mainX), Place(Stacking(hand_), other));

        SetForegroundWindow(main);
        ASSERT_TRUE(RunUntil([] { return true; }));
        XSync(hand_, False);
        XWindowAttributes a;
        ASSERT_TRUE(XGetWindowAttributes(hand_, mainX, &a));
        EXPECT_EQ(a.map_state, IsViewable);
        const std::vector<::Window> order = Stacking(hand_);
        EXPECT_GT(Place(order, mainX), Place(order, other)) << "above the other program's window";
        EXPECT_GT(Place(order, toolX), Place(order, mainX)) << "the top-most window stays above";
        EXPECT_EQ(GetForegroundWindow(), main);

        // The request a window manager acts on.
        bool asked = false;
        XEvent ev;
        while (XCheckTypedEvent(hand_, ClientMessage, &ev))
            asked = asked
                || (ev.xclient.window == mainX
                    && ev.xclient.message_type == XInternAtom(hand_, "_NET_ACTIVE_WINDOW", False));
        EXPECT_TRUE(asked);
        XUnmapWindow(hand_, other);
        XSync(hand_, False);
    }
}

} // namespace
