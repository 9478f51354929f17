// What the camera toolbar costs: one full paint of it (the skin, the ten
// hover buttons, the two sliders and the device list), and one step of a
// zoom-slider drag carried through to the video view's repaint: press on
// the thumb, a move of eight pixels, the release that zooms the view, and
// the repaints that follow (the view over a 1280 x 720 frame, the grey
// around it). Both on the 1920 x 1040 in-memory screen.

#include "GdiplusScope.h"

#include "app/InkveilApp.h"
#include "app/InkveilDlg.h"
#include "camera/LatestFrame.h"
#include "camera/VideoConfigDlg.h"
#include "camera/VideoDlg.h"
#include "camera/ViewZoom.h"
#include "platform/headless/Driver.h"
#include "platform/v4l2/EmulatedDevice.h"
#include "platform/window/ControlClasses.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// The main window as the program opens it, without a camera, with a
// published frame for the view to show; its 20 ms repaint is stopped so
// that only what the step causes is measured.
struct Program {
    Program()
    {
        ws::ctl::EnsureControlClasses();
        app.m_nPenWidth = 3;
        std::vector<BYTE> frame(1280 * 720 * 3);
        for (std::size_t i = 0; i < frame.size(); ++i)
            frame[i] = static_cast<BYTE>(i * 7 / 3);
        g_latestFrame.Publish(frame.data(), static_cast<std::int32_t>(frame.size()), 1280, 720);
        main = std::make_unique<CVideoDlg>(nullptr);
        app.m_pMainWnd = main.get();
        app.m_pMainDlg = main.get();
        main->Create(CVideoDlg::IDD, nullptr);
        driver.Pump();
        main->m_video.KillTimer(0);
    }
    ~Program()
    {
        main->DestroyWindow();
        main.reset();
        app.m_pMainWnd = nullptr;
        app.m_pMainDlg = nullptr;
        g_latestFrame.ClearFrame();
    }
    CVideoConfigDlg& Toolbar() { return *main->m_pPalette->m_pVideoConfigDlg; }

    headless::Driver driver { 1920, 1040 };
    v4l2::EmulatedDeviceSystem devices;
    v4l2::ScopedDeviceSystem use { devices };
    bench::GdiplusScope gdiplus;
    CInkveilApp app;
    std::unique_ptr<CVideoDlg> main;
};

void BM_ToolbarFullPaint(benchmark::State& state)
{
    Program program;
    CVideoConfigDlg& toolbar = program.Toolbar();
    for (auto _ : state) {
        toolbar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        program.driver.Pump();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToolbarFullPaint)->Unit(benchmark::kMicrosecond);

void BM_ZoomSliderDragStep(benchmark::State& state)
{
    Program program;
    CBitmapSlider& slider = program.Toolbar().m_sliderZoom;
    CRect r;
    slider.GetWindowRect(&r);
    const int y = r.top + 6;
    // The thumb of 100 % stands at x = 26 of the 90-pixel channel; the steps
    // go 8 pixels right and back (about 61 % either way).
    int from = r.left + 26;
    for (auto _ : state) {
        const int to = from == r.left + 26 ? from + 8 : r.left + 26;
        program.driver.MoveTo(from, y);
        program.driver.Press();
        program.driver.MoveTo(to, y);
        program.driver.Release();
        program.main->UpdateWindow();
        from = to;
    }
    state.SetItemsProcessed(state.iterations());
    // The zoom the last step left, to show that the steps reached the view.
    state.counters["zoom_percent"] = g_zoomFactor * 100;
}
BENCHMARK(BM_ZoomSliderDragStep)->Unit(benchmark::kMillisecond);

} // namespace
