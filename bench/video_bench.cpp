// The video view's costs per repaint and per mouse move: a 1274 x 956 view
// (the main window's 4:3 area on a 1920 x 1080 screen) showing a 1280 x 720
// frame, and a 1920 x 1080 view showing 1920 x 1080 and 2048 x 1536 frames,
// with an overlay inked everywhere, at every angle, at zoom 1 and at zoom
// 10; the composition of one mouse move while a 500-point pen stroke is
// drawn; a repaint that nothing asks for (the timer's tick over an
// unchanged picture); and the frame path alone (turn and stretch, without
// overlay and copy to the screen), beside the same work done by a pipeline
// built only from libyuv (YUY2 to ARGB, ARGBRotate, ARGBScale with nearest
// neighbour), so that their ratio is read from one run.
//
// At each zoom and angle the view's host window is as large as the view at
// zoom 1, turned with it, so the visible part has the same number of pixels
// and the costs can be compared: at zoom 10 the control is ten times that
// size in each direction.

#include "app/InkveilApp.h"
#include "camera/FrameRotation.h"
#include "camera/LatestFrame.h"
#include "camera/TurnedStretch.h"
#include "camera/VideoStatic.h"
#include "draw/DrawSettings.h"
#include "platform/v4l2/EmulatedDevice.h"
#include "platform/window/Backend.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/ControlStyles.h"
#include "platform/window/MessageLoop.h"

#include <benchmark/benchmark.h>
#include <libyuv/convert_argb.h>
#include <libyuv/rotate_argb.h>
#include <libyuv/scale_argb.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// The sizes of one case: the view at zoom 1 and upright, and the frame.
// The last is the program's own view on a 1920x1080 screen (a 4:3 area 100
// pixels less high than the screen) showing a 1920x1080 camera.
struct Sizes {
    int viewWidth, viewHeight, frameWidth, frameHeight;
};
constexpr Sizes kSizes[] = { { 1274, 956, 1280, 720 }, { 1920, 1080, 1920, 1080 }, { 1920, 1080, 2048, 1536 },
    { 1306, 980, 1920, 1080 } };

// A frame of noise, 24-bit bottom-up rows as the grabber publishes them.
std::vector<BYTE> NoiseFrame(int width, int height)
{
    std::mt19937 rng(11);
    std::vector<BYTE> frame(DibRowBytes24(width) * static_cast<std::size_t>(height));
    for (BYTE& b : frame)
        b = static_cast<BYTE>(rng());
    return frame;
}

// A screen that shows nothing and whose clock stands still: what is
// measured is the view's own painting, not a screen backend composing the
// window's pixels (done once for all windows after each message), and no
// timer runs in between.
class QuietScreen final : public platform::Backend {
public:
    QuietScreen() { platform::InstallBackend(this); }
    ~QuietScreen() override { platform::InstallBackend(nullptr); }
    SIZE ScreenSize() const override { return SIZE { 2048, 2048 }; }
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
    gdi::Surface pixels_ { 2048, 2048 };
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
    Scene(int angle, int zoomPercent, const Sizes& sizes = kSizes[0], bool inked = true)
        : sizes_(sizes)
    {
        ws::ctl::EnsureControlClasses();
        app_.m_nPenWidth = 3;
        const bool sideways = angle % 180 != 0;
        const int w = sizes.viewWidth, h = sizes.viewHeight;
        host_.CreateEx(0, WC_STATIC, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, sideways ? h : w,
            sideways ? w : h, nullptr, nullptr);
        view.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, w, h), &host_, 1012);
        view.StartVideo();
        if (inked)
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
    // A new frame (the same pixels) and one tick of the repaint timer.
    void NewFrameAndTick()
    {
        PublishFrame();
        view.SendMessage(WM_TIMER, 0);
        view.UpdateWindow();
    }
    // A tick of the repaint timer with nothing changed since the last one.
    void IdleTick()
    {
        view.SendMessage(WM_TIMER, 0);
        view.UpdateWindow();
    }

private:
    Sizes sizes_;
    std::vector<BYTE> frame_ = NoiseFrame(sizes_.frameWidth, sizes_.frameHeight);
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
        GpRect all { 0, 0, sizes_.viewWidth, sizes_.viewHeight };
        GdipBitmapLockBits(view.m_pOverlay, &all, ImageLockModeWrite, PixelFormat32bppARGB, &data);
        for (int y = 0; y < sizes_.viewHeight; ++y) {
            auto* row = reinterpret_cast<ARGB*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride);
            for (int x = 0; x < sizes_.viewWidth; ++x)
                row[x] = 0x80000000u | static_cast<ARGB>((x * 7) & 0xFF) << 16 | static_cast<ARGB>(y & 0xFF) << 8;
        }
        GdipBitmapUnlockBits(view.m_pOverlay, &data);
    }

    void PublishFrame()
    {
        g_latestFrame.Publish(frame_.data(), static_cast<std::int32_t>(frame_.size()), sizes_.frameWidth,
            sizes_.frameHeight);
    }
};

// One 20 ms repaint: the frame turned and stretched, the overlay laid over
// it, all off screen, then one copy to the window.
void BM_Repaint(benchmark::State& state)
{
    Scene scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
        kSizes[static_cast<std::size_t>(state.range(2))]);
    for (auto _ : state)
        scene.Repaint();
}
BENCHMARK(BM_Repaint)
    ->ArgNames({ "angle", "zoom", "sizes" })
    ->ArgsProduct({ { 0, 90, 180, 270 }, { 100 }, { 0, 1, 2 } })
    ->Args({ 0, 1000, 0 })
    ->Args({ 90, 1000, 0 })
    ->Unit(benchmark::kMillisecond);

// The same repaint with nothing drawn on the overlay: what a repaint costs
// in class before the teacher draws, the overlay's empty tiles skipped.
void BM_RepaintBlankOverlay(benchmark::State& state)
{
    Scene scene(static_cast<int>(state.range(0)), 100, kSizes[static_cast<std::size_t>(state.range(1))], false);
    for (auto _ : state)
        scene.Repaint();
}
BENCHMARK(BM_RepaintBlankOverlay)
    ->ArgNames({ "angle", "sizes" })
    ->ArgsProduct({ { 0, 90 }, { 0, 1, 2, 3 } })
    ->Unit(benchmark::kMillisecond);

// A timer tick after a new frame (a repaint), and one with nothing new: the
// latter must cost next to nothing.
void BM_Tick(benchmark::State& state)
{
    Scene scene(0, 100);
    scene.Repaint();
    for (auto _ : state) {
        if (state.range(0))
            scene.NewFrameAndTick();
        else
            scene.IdleTick();
    }
}
BENCHMARK(BM_Tick)->ArgName("newFrame")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// What the frame path benchmarks share: the angle and sizes their
// arguments name, the view's size turned with the picture, and a frame of
// noise at the camera's size.
struct FrameCase {
    int angle;
    const Sizes& s;
    SIZE target;
    std::vector<BYTE> frame;
    BITMAPINFOHEADER bih;

    explicit FrameCase(const benchmark::State& state)
        : angle(static_cast<int>(state.range(0)))
        , s(kSizes[static_cast<std::size_t>(state.range(1))])
        , target(angle % 180 != 0 ? SIZE { s.viewHeight, s.viewWidth } : SIZE { s.viewWidth, s.viewHeight })
        , frame(NoiseFrame(s.frameWidth, s.frameHeight))
        , bih(DibHeader24(s.frameWidth, s.frameHeight))
    {
    }
};

// The view's frame path alone: the frame turned and stretched into the
// view's 32-bit composition bitmap.
void BM_FramePath(benchmark::State& state)
{
    const FrameCase c(state);
    const auto& [angle, s, target, frame, bih] = c;
    std::vector<std::uint32_t> out(static_cast<std::size_t>(target.cx) * static_cast<std::size_t>(target.cy));
    CTurnedStretch stretch;
    const RECT all { 0, 0, target.cx, target.cy };
    for (auto _ : state) {
        stretch.Draw(frame.data(), frame.size(), bih, angle, target, all, PixelRows { out.data(), target.cx });
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_FramePath)
    ->ArgNames({ "angle", "sizes" })
    ->ArgsProduct({ { 0, 90, 180, 270 }, { 0, 1, 2, 3 } })
    ->Unit(benchmark::kMillisecond);

// The same from a pipeline built only from libyuv: the camera's YUY2 frame
// converted to ARGB, turned with ARGBRotate (not at 0) and stretched by
// nearest neighbour with ARGBScale onto the view's size.
void BM_LibyuvReference(benchmark::State& state)
{
    const int angle = static_cast<int>(state.range(0));
    const Sizes& s = kSizes[static_cast<std::size_t>(state.range(1))];
    const bool sideways = angle % 180 != 0;
    const int tw = sideways ? s.frameHeight : s.frameWidth, th = sideways ? s.frameWidth : s.frameHeight;
    const int vw = sideways ? s.viewHeight : s.viewWidth, vh = sideways ? s.viewWidth : s.viewHeight;
    std::mt19937 rng(11);
    std::vector<std::uint8_t> yuy2(
        static_cast<std::size_t>(s.frameWidth) * 2 * static_cast<std::size_t>(s.frameHeight));
    for (std::uint8_t& b : yuy2)
        b = static_cast<std::uint8_t>(rng());
    std::vector<std::uint8_t> argb(
        static_cast<std::size_t>(s.frameWidth) * 4 * static_cast<std::size_t>(s.frameHeight));
    std::vector<std::uint8_t> turned(argb.size());
    std::vector<std::uint8_t> view(static_cast<std::size_t>(vw) * 4 * static_cast<std::size_t>(vh));
    const auto mode = angle == 90 ? libyuv::kRotate90 : angle == 180 ? libyuv::kRotate180 : libyuv::kRotate270;
    for (auto _ : state) {
        libyuv::YUY2ToARGB(yuy2.data(), s.frameWidth * 2, argb.data(), s.frameWidth * 4, s.frameWidth, s.frameHeight);
        const std::uint8_t* shown = argb.data();
        if (angle != 0) {
            libyuv::ARGBRotate(argb.data(), s.frameWidth * 4, turned.data(), tw * 4, s.frameWidth, s.frameHeight, mode);
            shown = turned.data();
        }
        libyuv::ARGBScale(shown, tw * 4, tw, th, view.data(), vw * 4, vw, vh, libyuv::kFilterNone);
        benchmark::DoNotOptimize(view.data());
    }
}
BENCHMARK(BM_LibyuvReference)
    ->ArgNames({ "angle", "sizes" })
    ->ArgsProduct({ { 0, 90, 180, 270 }, { 0, 1, 2 } })
    ->Unit(benchmark::kMillisecond);

// The frame path as it was before the one-pass turn: the visible part
// turned into a 24-bit work buffer, then stretched with StretchDIBits into a
// 32-bit bitmap of the view's size.
void BM_FramePathTwoPass(benchmark::State& state)
{
    const FrameCase c(state);
    const auto& [angle, s, target, frame, bih] = c;
    std::vector<BYTE> work(frame.size() + DibRowBytes24(s.frameHeight) * 4);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, target.cx, target.cy);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    const RECT all { 0, 0, target.cx, target.cy };
    for (auto _ : state) {
        const BITMAPINFOHEADER turned = TurnedHeader(bih, angle);
        const RECT needed = StretchedRegion(turned, target, all);
        const DisplayFrame shown = RotateFrame(frame.data(), frame.size(), bih, angle, work.data(), work.size(),
            &needed);
        StretchDIBits(dc, 0, 0, target.cx, target.cy, 0, 0, turned.biWidth, std::labs(turned.biHeight), shown.pixels,
            &shown.info, DIB_RGB_COLORS, SRCCOPY);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
BENCHMARK(BM_FramePathTwoPass)
    ->ArgNames({ "angle", "sizes" })
    ->ArgsProduct({ { 0, 90 }, { 0, 1, 2 } })
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
