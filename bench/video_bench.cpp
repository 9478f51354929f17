// The video view's costs per repaint and per mouse move: a 1274 x 956 view
// (the main window's 4:3 area on a 1920 x 1080 screen) showing a 1280 x 720
// frame with an overlay inked everywhere, upright and turned by a quarter,
// at zoom 1 and at zoom 10; and the composition of one mouse move while a
// 500-point pen stroke is drawn.
//
// At each zoom the view's window is as large as the view at zoom 1, so the
// visible part is the same size and the two costs can be compared: at zoom
// 10 the control is ten times that size in each direction.

#include "app/InkveilApp.h"
#include "camera/LatestFrame.h"
#include "camera/VideoStatic.h"
#include "draw/DrawSettings.h"
#include "platform/v4l2/EmulatedDevice.h"
#include "platform/window/Backend.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/ControlStyles.h"
#include "platform/window/MessageLoop.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kViewWidth = 1274;
constexpr int kViewHeight = 956;

// A screen that shows nothing and whose clock stands still: what is
// measured is the view's own painting, not a screen backend composing the
// window's pixels (done once for all windows after each message), and no
// timer runs in between.
class QuietScreen final : public platform::Backend {
public:
    QuietScreen() { platform::InstallBackend(this); }
    ~QuietScreen() override { platform::InstallBackend(nullptr); }
    SIZE ScreenSize() const override { return SIZE { 1920, 1400 }; }
    int BitsPerPixel() const override { return 32; }
    gdi::Surface* ScreenPixels() override { return &pixels_; }
    void AddWindow(HWND, const platform::WindowTraits&) override { }
    void RemoveWindow(HWND) override { }
    void SetWindowTraits(HWND, const platform::WindowTraits&) override { }
    void SetWindowRect(HWND, const RECT&) override { }
    void SetWindowVisible(HWND, bool) override { }
    void SetWindowShape(HWND, const gdi::Region*) override { }
    void SetStacking(const std::vector<HWND>&) override { }
    void Present(HWND, const gdi::Surface&, const RECT&) override { }
    void SetCursor(HCURSOR__*) override { }
    POINT CursorPos() const override { return POINT { 0, 0 }; }
    void SetCursorPos(POINT) override { }
    void GrabPointer(HWND) override { }
    bool NextEvent(platform::InputEvent&, DWORD) override { return false; }
    DWORD Now() const override { return 1000; }

    static void Pump()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }

private:
    gdi::Surface pixels_ { 1920, 1400 };
};

// GDI+ for the scene's life.
class GdiplusOn {
public:
    GdiplusOn()
    {
        GdiplusStartupInput input;
        GdiplusStartup(&token_, &input, nullptr);
    }
    ~GdiplusOn() { GdiplusShutdown(token_); }
    GdiplusOn(const GdiplusOn&) = delete;
    GdiplusOn& operator=(const GdiplusOn&) = delete;

private:
    ULONG_PTR token_ = 0;
};

// Everything a view needs, with no camera: the frame is published here.
class Scene {
public:
    Scene(int angle, int zoomPercent)
    {
        ws::ctl::EnsureControlClasses();
        app_.m_nPenWidth = 3;
        const bool sideways = angle % 180 != 0;
        host_.CreateEx(0, WC_STATIC, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
            sideways ? kViewHeight : kViewWidth, sideways ? kViewWidth : kViewHeight, nullptr, nullptr);
        view.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, kViewWidth, kViewHeight), &host_, 1012);
        view.StartVideo();
        InkOverlay();
        PublishFrame();
        view.Rotate(angle);
        view.SetZoomPercent(zoomPercent);
        QuietScreen::Pump();
    }
    ~Scene()
    {
        host_.DestroyWindow();
        g_latestFrame.ClearFrame();
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    void Repaint()
    {
        view.Invalidate(FALSE);
        view.SendMessage(WM_PAINT);
    }

private:
    QuietScreen screen_;
    v4l2::EmulatedDeviceSystem devices_;
    v4l2::ScopedDeviceSystem useDevices_ { devices_ };
    GdiplusOn gdiplus_;
    CInkveilApp app_;
    CWnd host_;

public:
    CVideoStatic view;

private:
    // Every overlay pixel half covering, none of the key colour.
    void InkOverlay()
    {
        BitmapData data {};
        GpRect all { 0, 0, kViewWidth, kViewHeight };
        GdipBitmapLockBits(view.m_pOverlay, &all, ImageLockModeWrite, PixelFormat32bppARGB, &data);
        for (int y = 0; y < kViewHeight; ++y) {
            auto* row = reinterpret_cast<ARGB*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride);
            for (int x = 0; x < kViewWidth; ++x)
                row[x] = 0x80000000u | static_cast<ARGB>((x * 7) & 0xFF) << 16 | static_cast<ARGB>(y & 0xFF) << 8;
        }
        GdipBitmapUnlockBits(view.m_pOverlay, &data);
    }

    static void PublishFrame()
    {
        std::mt19937 rng(11);
        std::vector<BYTE> frame(1280u * 720u * 3u);
        for (BYTE& b : frame)
            b = static_cast<BYTE>(rng());
        g_latestFrame.Publish(frame.data(), static_cast<std::int32_t>(frame.size()), 1280, 720);
    }
};

// One 20 ms repaint: the frame turned and stretched, the overlay laid over
// it, all off screen, then one copy to the window.
void BM_Repaint(benchmark::State& state)
{
    Scene scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        scene.Repaint();
}
BENCHMARK(BM_Repaint)
    ->ArgNames({ "angle", "zoom" })
    ->Args({ 0, 100 })
    ->Args({ 90, 100 })
    ->Args({ 0, 1000 })
    ->Args({ 90, 1000 })
    ->Unit(benchmark::kMillisecond);

// One mouse move while a 500-point pen stroke is under way: the frame, the
// whole stroke so far in XOR and the overlay, composed and copied.
void BM_StrokeMove(benchmark::State& state)
{
    Scene scene(0, 100);
    scene.view.SetTool(TOOL_PEN);
    auto at = [](int i) { return MAKELPARAM(100 + (i * 37) % 1000, 100 + (i * 7) % 700 + (i % 2) * 40); };
    scene.view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(0));
    for (int i = 1; i < 500; ++i)
        scene.view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(i));
    for (auto _ : state) {
        scene.view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(500));
        // The stroke stays at 500 points.
        state.PauseTiming();
        scene.view.m_pCurrent->m_points.pop_back();
        state.ResumeTiming();
    }
    scene.view.SendMessage(WM_LBUTTONUP, 0, at(500));
}
BENCHMARK(BM_StrokeMove)->Unit(benchmark::kMillisecond);

} // namespace
