// What the window system costs the program on its busiest paths: a posted
// message on its way round the queue to the window procedure, and a
// screen-sized window invalidated in full and repainted (erase, paint,
// presentation to the headless screen), which is what every 20 ms repaint of
// the video view asks for.

#include "platform/gdi/Gdi.h"
#include "platform/headless/Driver.h"
#include "platform/window/WinUser.h"

#include <benchmark/benchmark.h>

namespace {

constexpr UINT kPing = WM_USER + 1;
int g_pings = 0;

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kPing:
        ++g_pings;
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PatBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
            ps.rcPaint.bottom - ps.rcPaint.top, BLACKNESS);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

HWND MakeWindow(int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc {};
        wc.lpfnWndProc = CountingProc;
        wc.lpszClassName = "BenchWindow";
        RegisterClass(&wc);
        registered = true;
    }
    return CreateWindowEx(0, "BenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr, nullptr,
        nullptr);
}

// PostMessage, then GetMessage and DispatchMessage, as the message loop
// takes it.
void BM_PostedMessageRoundTrip(benchmark::State& state)
{
    headless::Driver driver;
    HWND hwnd = MakeWindow(100, 100);
    driver.Pump();
    MSG msg;
    for (auto _ : state) {
        PostMessage(hwnd, kPing, 0, 0);
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessage(&msg);
    }
    benchmark::DoNotOptimize(g_pings);
    DestroyWindow(hwnd);
}
BENCHMARK(BM_PostedMessageRoundTrip);

// SendMessage straight to the procedure, for comparison.
void BM_SentMessage(benchmark::State& state)
{
    headless::Driver driver;
    HWND hwnd = MakeWindow(100, 100);
    driver.Pump();
    for (auto _ : state)
        SendMessage(hwnd, kPing, 0, 0);
    benchmark::DoNotOptimize(g_pings);
    DestroyWindow(hwnd);
}
BENCHMARK(BM_SentMessage);

// The whole window invalidated, then UpdateWindow: WM_PAINT through
// BeginPaint/EndPaint and the copy of the dirty area to the screen.
void BM_FullRepaint(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    headless::Driver driver(width, height);
    HWND hwnd = MakeWindow(width, height);
    driver.Pump();
    for (auto _ : state) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
    DestroyWindow(hwnd);
}
BENCHMARK(BM_FullRepaint)->Args({ 1366, 768 })->Args({ 1920, 1080 })->Unit(benchmark::kMillisecond);

// A 100 x 100 part of a screen-sized window, as a rubber band's move asks.
void BM_SmallRepaint(benchmark::State& state)
{
    headless::Driver driver;
    HWND hwnd = MakeWindow(1366, 768);
    driver.Pump();
    const RECT part { 600, 300, 700, 400 };
    for (auto _ : state) {
        InvalidateRect(hwnd, &part, TRUE);
        UpdateWindow(hwnd);
    }
    DestroyWindow(hwnd);
}
BENCHMARK(BM_SmallRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
