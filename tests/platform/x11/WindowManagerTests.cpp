// What the X screen tells and hears from a window manager: which windows
// are left to it, their hints, close requests and moves made from outside;
// and the wait for input that another thread can end.

#include "tests/platform/x11/X11Fixture.h"

#include <X11/Xatom.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace {

using test::X11Test;

std::vector<std::string> StateOf(Display* d, ::Window w)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<std::string> names;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM, &type, &format, &count,
            &after, &data)
            == Success
        && data) {
        auto* atoms = reinterpret_cast<Atom*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            char* name = XGetAtomName(d, atoms[i]);
            names.emplace_back(name);
            XFree(name);
        }
        XFree(data);
    }
    return names;
}

bool Has(const std::vector<std::string>& list, const char* name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

TEST_F(X11Test, WindowsWithACaptionAreLeftToTheWindowManagerAndPopupsAreNot)
{
    HWND main = MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, RECT { 50, 50, 650, 450 }, RGB(1, 2, 3));
    HWND tool = MakeWindow(WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, RECT { 700, 50, 760, 400 }, RGB(4, 5, 6));
    ShowWindow(main, SW_MAXIMIZE);
    ShowWindow(tool, SW_SHOWNA);
    ASSERT_TRUE(RunUntil([] { return true; }));

    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(hand_, screen_->XWindowOf(main), &a));
    EXPECT_FALSE(a.override_redirect);
    // The X window is the client area: the manager's frame replaces ours.
    RECT client;
    GetClientRect(main, &client);
    POINT origin { 0, 0 };
    ClientToScreen(main, &origin);
    EXPECT_EQ((POINT { a.x, a.y }), origin);
    EXPECT_EQ(a.width, client.right);
    EXPECT_EQ(a.height, client.bottom);
    std::vector<std::string> state = StateOf(hand_, screen_->XWindowOf(main));
    EXPECT_TRUE(Has(state, "_NET_WM_STATE_MAXIMIZED_VERT") && Has(state, "_NET_WM_STATE_MAXIMIZED_HORZ"));
    EXPECT_FALSE(Has(state, "_NET_WM_STATE_SKIP_TASKBAR"));
    Atom* protocols = nullptr;
    int count = 0;
    ASSERT_TRUE(XGetWMProtocols(hand_, screen_->XWindowOf(main), &protocols, &count));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(protocols[0], XInternAtom(hand_, "WM_DELETE_WINDOW", False));
    XFree(protocols);

    ASSERT_TRUE(XGetWindowAttributes(hand_, screen_->XWindowOf(tool), &a));
    EXPECT_TRUE(a.override_redirect);
    EXPECT_EQ((RECT { a.x, a.y, a.x + a.width, a.y + a.height }), (RECT { 700, 50, 760, 400 }));
    state = StateOf(hand_, screen_->XWindowOf(tool));
    EXPECT_TRUE(Has(state, "_NET_WM_STATE_SKIP_TASKBAR"));
    EXPECT_TRUE(Has(state, "_NET_WM_STATE_ABOVE"));
}

TEST_F(X11Test, TheWindowManagersCloseAndMovesReachTheWindow)
{
    bool closeAsked = false;
    HWND main = MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, RECT { 50, 50, 650, 450 }, RGB(1, 2, 3),
        [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_CLOSE)
                return std::nullopt;
            closeAsked = true;
            return 0; // the window decides; this one stays
        });
    ShowWindow(main, SW_SHOW);
    ASSERT_TRUE(RunUntil([] { return true; }));
    ::Window x = screen_->XWindowOf(main);

    XEvent ev {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = x;
    ev.xclient.message_type = XInternAtom(hand_, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(hand_, "WM_DELETE_WINDOW", False));
    XSendEvent(hand_, x, False, NoEventMask, &ev);
    EXPECT_TRUE(RunUntil([&] { return closeAsked; }));
    EXPECT_TRUE(IsWindow(main));

    // Moved and resized from outside, as a manager would: the window
    // rectangle follows, frame and all.
    RECT before;
    GetWindowRect(main, &before);
    RECT client;
    GetClientRect(main, &client);
    int frameLeft = 0, frameTop = 0;
    {
        POINT o { 0, 0 };
        ClientToScreen(main, &o);
        frameLeft = o.x - before.left;
        frameTop = o.y - before.top;
    }
    XMoveResizeWindow(hand_, x, 200, 150, 300, 200);
    XSync(hand_, False);
    RECT now {};
    EXPECT_TRUE(RunUntil([&] {
        GetWindowRect(main, &now);
        return now.left == 200 - frameLeft;
    }));
    EXPECT_EQ(now.top, 150 - frameTop);
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
}

// Whether a thread of this process is asleep in the kernel.
bool Sleeping(pid_t tid)
{
    std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    auto close = all.rfind(')');
    return close != std::string::npos && close + 2 < all.size() && all[close + 2] == 'S';
}

TEST_F(X11Test, AMessagePostedFromAnotherThreadEndsTheWait)
{
    HWND w = MakeWindow(WS_POPUP, 0, RECT { 10, 10, 50, 50 }, RGB(9, 9, 9));
    ASSERT_TRUE(RunUntil([] { return true; }));
    // A guard: should the wake be lost, this timer ends the wait instead.
    SetTimer(w, 7, 5000, nullptr);
    pid_t self = gettid();
    std::atomic<bool> posted { false };
    std::thread poster([&] {
        // Post once the loop sleeps, so that only the wake can end it.
        for (int i = 0; i < 2000000 && !Sleeping(self); ++i)
            std::this_thread::yield();
        PostMessage(w, WM_USER + 5, 0, 0);
        posted = true;
    });
    auto start = std::chrono::steady_clock::now();
    MSG m;
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    auto waited = std::chrono::steady_clock::now() - start;
    poster.join();
    EXPECT_TRUE(posted);
    EXPECT_EQ(m.message, WM_USER + 5u);
    EXPECT_LT(waited, std::chrono::seconds(2));
    KillTimer(w, 7);
}

} // namespace
