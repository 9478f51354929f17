#include "tests/platform/x11/X11Fixture.h"

#include "platform/gdi/Surface.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace test {

namespace {

unsigned long XPixel(COLORREF c) { return gdi::PixelFromColorRef(c); }

} // namespace

std::map<HWND, X11Test::Info>& X11Test::Infos()
{
    static std::map<HWND, Info> infos;
    return infos;
}

void X11Test::SetUp()
{
    std::string why;
    Start started = Open(true, why);
    if (started == Start::NoXvfb)
        GTEST_SKIP() << why;
    ASSERT_EQ(started, Start::Running) << why;
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc {};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = "InkveilX11Test";
        RegisterClass(&wc);
        registered = true;
    }
}

void X11Test::TearDown()
{
    if (hand_)
        for (::Window w : others_)
            XDestroyWindow(hand_, w);
    Close();
    Infos().clear();
}

LRESULT X11Test::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto it = Infos().find(hwnd);
    if (it != Infos().end() && it->second.handler)
        if (auto r = it->second.handler(hwnd, msg, wp, lp))
            return *r;
    if (msg == WM_PAINT && it != Infos().end()) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH b = CreateSolidBrush(it->second.colour);
        FillRect(dc, &r, b);
        DeleteObject(b);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wp, lp);
}

HWND X11Test::MakeWindow(DWORD style, DWORD exStyle, RECT rect, COLORREF colour, Handler handler)
{
    HWND hwnd = CreateWindowEx(exStyle, "InkveilX11Test", "x11 test", style, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
    Infos()[hwnd] = Info { colour, std::move(handler) };
    return hwnd;
}

::Window X11Test::OtherWindow(RECT rect, COLORREF colour, long eventMask)
{
    XSetWindowAttributes a {};
    a.background_pixel = XPixel(colour);
    a.override_redirect = True;
    a.event_mask = eventMask;
    ::Window w = XCreateWindow(hand_, DefaultRootWindow(hand_), rect.left, rect.top,
        static_cast<unsigned>(rect.right - rect.left), static_cast<unsigned>(rect.bottom - rect.top), 0, CopyFromParent,
        InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect | CWEventMask, &a);
    XMapWindow(hand_, w);
    XSync(hand_, False);
    others_.push_back(w);
    return w;
}

void X11Test::MoveTo(int x, int y)
{
    XTestFakeMotionEvent(hand_, -1, x, y, CurrentTime);
    XSync(hand_, False);
}

void X11Test::Button(bool down, unsigned button)
{
    XTestFakeButtonEvent(hand_, button, down ? True : False, CurrentTime);
    XSync(hand_, False);
}

bool X11Test::OtherGot(::Window window, int type, XEvent* out)
{
    XSync(hand_, False);
    XEvent ev;
    if (!XCheckTypedWindowEvent(hand_, window, type, &ev))
        return false;
    if (out)
        *out = ev;
    return true;
}

} // namespace test
