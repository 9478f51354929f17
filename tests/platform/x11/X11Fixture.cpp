#include "tests/platform/x11/X11Fixture.h"

#include "platform/gdi/Surface.h"
#include "platform/window/MessageLoop.h"
#include "platform/x11/PixelFormat.h"
#include "tests/platform/x11/XvfbServer.h"

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
    XvfbServer& server = XvfbServer::Shared();
    if (!server.Installed())
        GTEST_SKIP() << "no Xvfb on this machine: the X screen is not tested";
    ASSERT_FALSE(server.Display().empty()) << server.Error();
    std::string why;
    screen_ = platform::x11::Screen::Open(server.Display().c_str(), why);
    ASSERT_TRUE(screen_) << why;
    platform::ResetQueue();
    platform::InstallBackend(screen_.get());
    hand_ = XOpenDisplay(server.Display().c_str());
    ASSERT_TRUE(hand_);
    width_ = DisplayWidth(hand_, DefaultScreen(hand_));
    height_ = DisplayHeight(hand_, DefaultScreen(hand_));
    ::Window root = DefaultRootWindow(hand_);
    XSetWindowBackground(hand_, root, XPixel(kDesktop));
    XClearWindow(hand_, root);
    // The pointer starts where no test puts a window.
    XTestFakeMotionEvent(hand_, -1, width_ - 1, height_ - 1, CurrentTime);
    XSync(hand_, False);

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
    while (HWND top = GetTopWindow(nullptr))
        DestroyWindow(top);
    Infos().clear();
    platform::ResetQueue();
    platform::InstallBackend(nullptr);
    screen_.reset();
    if (hand_) {
        for (::Window w : others_)
            XDestroyWindow(hand_, w);
        XCloseDisplay(hand_);
    }
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
        static_cast<unsigned>(rect.right - rect.left), static_cast<unsigned>(rect.bottom - rect.top), 0,
        CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect | CWEventMask, &a);
    XMapWindow(hand_, w);
    XSync(hand_, False);
    others_.push_back(w);
    return w;
}

bool X11Test::RunUntil(const std::function<bool()>& done, int rounds)
{
    // A thread timer bounds every wait, so that a round never sleeps long.
    UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    bool held = false;
    for (int i = 0; i < rounds && !held; ++i) {
        XSync(hand_, False);
        MSG m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
        // What the program asked of the server is done before anyone looks.
        XSync(screen_->Connection(), False);
        held = done();
        if (!held)
            WaitMessage();
    }
    KillTimer(nullptr, timer);
    return held;
}

std::vector<COLORREF> X11Test::RootPicture()
{
    XImage* image = XGetImage(hand_, DefaultRootWindow(hand_), 0, 0, static_cast<unsigned>(width_),
        static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    std::vector<COLORREF> out;
    if (!image)
        return out;
    platform::x11::PixelFormat format(*image);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width_));
    out.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        format.FromImage(image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line, width_, row.data());
        for (std::uint32_t p : row)
            out.push_back(gdi::ColorRefFromPixel(p));
    }
    XDestroyImage(image);
    return out;
}

COLORREF X11Test::RootPixel(int x, int y)
{
    XImage* image = XGetImage(hand_, DefaultRootWindow(hand_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return CLR_INVALID;
    std::uint32_t p = 0;
    platform::x11::PixelFormat(*image).FromImage(image->data, 1, &p);
    XDestroyImage(image);
    return gdi::ColorRefFromPixel(p);
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
