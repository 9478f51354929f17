// The X screen against a private Xvfb: what presenting a window's pixels
// costs, in full and for a small dirty area, and how long a pointer move
// takes to show as a rubber band on the screen. Every figure includes the
// server's work: each presentation waits until the server has done it.

#include "platform/gdi/Gdi.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WinUser.h"
#include "platform/window/Window.h"
#include "platform/x11/X11Screen.h"
#include "tests/platform/x11/XvfbServer.h"

#include <benchmark/benchmark.h>

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <memory>

namespace {

struct Session {
    std::unique_ptr<platform::x11::Screen> screen;
    Display* hand = nullptr;
    std::string error;
};

// One server and one screen for every measurement of the run.
Session& Shared()
{
    static Session s = [] {
        Session made;
        test::XvfbServer& server = test::XvfbServer::Shared();
        if (server.Display().empty()) {
            made.error = server.Installed() ? server.Error() : "no Xvfb on this machine";
            return made;
        }
        std::string why;
        made.screen = platform::x11::Screen::Open(server.Display().c_str(), why);
        if (!made.screen) {
            made.error = why;
            return made;
        }
        platform::InstallBackend(made.screen.get());
        made.hand = XOpenDisplay(server.Display().c_str());
        return made;
    }();
    return s;
}

LRESULT Plain(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

HWND FullScreenWindow(WNDPROC proc, const char* className)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = className;
    RegisterClass(&wc);
    SIZE size = platform::CurrentBackend().ScreenSize();
    HWND w = CreateWindowEx(0, className, "", WS_POPUP, 0, 0, size.cx, size.cy, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(w, SW_SHOW);
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&m);
    return w;
}

COLORREF ScreenPixel(Display* d, int x, int y)
{
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return CLR_INVALID;
    unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Present(benchmark::State& state, RECT area)
{
    Session& s = Shared();
    if (!s.screen) {
        state.SkipWithError(s.error.c_str());
        return;
    }
    HWND w = FullScreenWindow(Plain, "InkveilBenchPresent");
    gdi::Surface& pixels = *ws::FromHandle(w)->pixels;
    // A colour of its own, so that the screen can be seen to show it.
    const std::uint32_t kColour = 0x00336699;
    for (int y = 0; y < pixels.Height(); ++y)
        std::fill(pixels.Row(y), pixels.Row(y) + pixels.Width(), kColour);
    Display* d = s.screen->Connection();
    for (auto _ : state) {
        s.screen->Present(w, pixels, area);
        XSync(d, False);
    }
    if (ScreenPixel(s.hand, area.left, area.top) != gdi::ColorRefFromPixel(kColour))
        state.SkipWithError("the presented pixels are not on the screen");
    state.SetLabel(s.screen->UsesSharedMemory() ? "shared memory" : "through the connection");
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations()) * (area.right - area.left) * (area.bottom - area.top) * 4);
    DestroyWindow(w);
}

void BM_PresentFullWindow(benchmark::State& state) { Present(state, RECT { 0, 0, 1366, 768 }); }
BENCHMARK(BM_PresentFullWindow)->Unit(benchmark::kMillisecond);

void BM_PresentDirty100x100(benchmark::State& state) { Present(state, RECT { 600, 300, 700, 400 }); }
BENCHMARK(BM_PresentDirty100x100)->Unit(benchmark::kMicrosecond);

// The rubber band: a rectangle from a fixed corner to the pointer, drawn
// and taken back in NOT-XOR, as the drawing objects draw while the mouse
// moves.
POINT g_band { -1, -1 };
constexpr POINT kAnchor { 100, 100 };

void Band(HWND hwnd, POINT to)
{
    HDC dc = GetDC(hwnd);
    SetROP2(dc, R2_NOTXORPEN);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    if (g_band.x >= 0)
        Rectangle(dc, kAnchor.x, kAnchor.y, g_band.x, g_band.y);
    Rectangle(dc, kAnchor.x, kAnchor.y, to.x, to.y);
    g_band = to;
    SelectObject(dc, oldBrush);
    ReleaseDC(hwnd, dc);
}

LRESULT RubberBand(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_MOUSEMOVE) {
        Band(h, POINT { GET_X_LPARAM(l), GET_Y_LPARAM(l) });
        return 0;
    }
    if (m == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(h, &r);
        FillRect(reinterpret_cast<HDC>(w), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    return DefWindowProc(h, m, w, l);
}

void BM_MotionToRubberBandOnScreen(benchmark::State& state)
{
    Session& s = Shared();
    if (!s.screen || !s.hand) {
        state.SkipWithError(s.error.empty() ? "no second connection" : s.error.c_str());
        return;
    }
    g_band = POINT { -1, -1 };
    HWND w = FullScreenWindow(RubberBand, "InkveilBenchBand");
    // A guard against a lost event: no wait lasts longer than this.
    SetTimer(w, 1, 1000, nullptr);
    const POINT corners[] = { { 600, 400 }, { 640, 430 } };
    int n = 0;
    for (auto _ : state) {
        POINT to = corners[n++ % 2];
        XTestFakeMotionEvent(s.hand, -1, to.x, to.y, CurrentTime);
        XFlush(s.hand);
        // The band's far corner is its last pixel inside the rectangle.
        for (int tries = 0; tries < 100 && ScreenPixel(s.hand, to.x - 1, to.y - 1) != RGB(0, 0, 0); ++tries) {
            MSG m;
            if (!PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
                WaitMessage();
                continue;
            }
            DispatchMessage(&m);
            XSync(s.screen->Connection(), False);
        }
    }
    KillTimer(w, 1);
    DestroyWindow(w);
}
BENCHMARK(BM_MotionToRubberBandOnScreen)->Unit(benchmark::kMicrosecond);

} // namespace
