#include "tests/platform/x11/X11Session.h"

#include "platform/gdi/Surface.h"
#include "platform/window/MessageLoop.h"
#include "platform/x11/ErrorTrap.h"
#include "platform/x11/PixelFormat.h"
#include "tests/platform/x11/XvfbServer.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>

namespace test {

X11Session::Start X11Session::Open(bool sharedMemory, std::string& why)
{
    XvfbServer& server = sharedMemory ? XvfbServer::Shared() : XvfbServer::WithoutSharedMemory();
    if (!server.Installed()) {
        why = "no Xvfb on this machine: the X screen is not tested";
        return Start::NoXvfb;
    }
    if (server.Display().empty()) {
        why = server.Error();
        return Start::Failed;
    }
    screen_ = platform::x11::Screen::Open(server.Display().c_str(), why);
    if (!screen_)
        return Start::Failed;
    platform::ResetQueue();
    platform::InstallBackend(screen_.get());
    hand_ = XOpenDisplay(server.Display().c_str());
    if (!hand_) {
        why = "no second connection";
        return Start::Failed;
    }
    if ((XShmQueryExtension(hand_) != False) != sharedMemory) {
        why = "the server's shared memory is not as asked";
        return Start::Failed;
    }
    width_ = DisplayWidth(hand_, DefaultScreen(hand_));
    height_ = DisplayHeight(hand_, DefaultScreen(hand_));
    ::Window root = DefaultRootWindow(hand_);
    XSetWindowBackground(hand_, root, gdi::PixelFromColorRef(kDesktop));
    XClearWindow(hand_, root);
    // The pointer starts where no test puts a window.
    XTestFakeMotionEvent(hand_, -1, width_ - 1, height_ - 1, CurrentTime);
    XSync(hand_, False);
    return Start::Running;
}

void X11Session::Close()
{
    while (HWND top = GetTopWindow(nullptr))
        DestroyWindow(top);
    platform::ResetQueue();
    platform::InstallBackend(nullptr);
    screen_.reset();
    if (hand_) {
        // The screen's error handler serves this connection too: what it
        // noted must not be read as the next connection's at the same
        // address.
        XSync(hand_, False);
        platform::x11::ErrorTrap::Forget(hand_);
        XCloseDisplay(hand_);
    }
    hand_ = nullptr;
}

bool X11Session::RunUntil(const std::function<bool()>& done, int rounds)
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

std::vector<COLORREF> X11Session::RootPicture()
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

COLORREF X11Session::RootPixel(int x, int y)
{
    XImage* image = XGetImage(hand_, DefaultRootWindow(hand_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return CLR_INVALID;
    std::uint32_t p = 0;
    platform::x11::PixelFormat(*image).FromImage(image->data, 1, &p);
    XDestroyImage(image);
    return gdi::ColorRefFromPixel(p);
}

} // namespace test
