// The tool palette: its auto-hide check, which runs twenty times a second
// for the program's whole life (one cursor query, one rectangle query, one
// resolution query, and no move when nothing changes), and the mode switch
// into still picture mode on a full-HD screen (the snapshot, the board's
// window and its first paint).

#include "app/InkveilApp.h"
#include "app/InkveilDlg.h"
#include "bench/GdiplusScope.h"
#include "board/MyWnd.h"
#include "camera/VideoDlg.h"
#include "platform/headless/Driver.h"
#include "platform/v4l2/EmulatedDevice.h"
#include "platform/window/ControlClasses.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The program's windows on a headless screen without a camera: the main
// window, made as the program makes it, and its palette.
struct Program {
    Program(int width, int height)
        : driver(width, height)
    {
        ws::ctl::EnsureControlClasses();
        main = std::make_unique<CVideoDlg>();
        app.m_pMainWnd = main.get();
        app.m_pMainDlg = main.get();
        main->Create(CVideoDlg::IDD, nullptr);
        driver.Pump();
    }
    ~Program()
    {
        main->DestroyWindow();
        main.reset();
        app.m_pMainWnd = nullptr;
    }
    CInkveilDlg& Palette() { return *main->m_pPalette; }
    void Command(int id)
    {
        CWnd* control = Palette().GetDlgItem(id);
        Palette().SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control->m_hWnd));
    }

    headless::Driver driver;
    v4l2::EmulatedDeviceSystem devices;
    v4l2::ScopedDeviceSystem use { devices };
    bench::GdiplusScope gdiplus;
    CInkveilApp app;
    std::unique_ptr<CVideoDlg> main;
};

// One check with the cursor away from the palette and auto-hide off: the
// steady state of a running program.
void BM_PaletteDockCheck(benchmark::State& state)
{
    Program p(1366, 768);
    p.driver.MoveTo(300, 300);
    CRect before;
    p.Palette().GetWindowRect(&before);
    for (auto _ : state)
        benchmark::DoNotOptimize(p.Palette().SendMessage(WM_DOCK_CHECK));
    CRect after;
    p.Palette().GetWindowRect(&after);
    if (after != before)
        state.SkipWithError("the check moved the palette");
}
BENCHMARK(BM_PaletteDockCheck);

// The same check on a folded palette with auto-hide on: the strip is where
// it belongs, so nothing moves either.
void BM_PaletteDockCheckFolded(benchmark::State& state)
{
    Program p(1366, 768);
    p.Command(CInkveilDlg::IDC_MIN);
    p.driver.MoveTo(300, 300);
    p.driver.Advance(50);
    CRect before;
    p.Palette().GetWindowRect(&before);
    for (auto _ : state)
        benchmark::DoNotOptimize(p.Palette().SendMessage(WM_DOCK_CHECK));
    CRect after;
    p.Palette().GetWindowRect(&after);
    if (after != before || before.Width() != 4)
        state.SkipWithError("the folded palette moved");
}
BENCHMARK(BM_PaletteDockCheckFolded);

// Live to still on 1920 x 1080: the snapshot, the board's window over it
// and every message up to its first paint on the screen. The way back
// (the board destroyed) is not timed.
void BM_PaletteModeSwitchToStill1920x1080(benchmark::State& state)
{
    Program p(1920, 1080);
    for (auto _ : state) {
        p.Command(CInkveilDlg::IDC_MODE);
        p.driver.Pump();
        state.PauseTiming();
        if (!p.Palette().Board())
            state.SkipWithError("no board");
        p.Command(CInkveilDlg::IDC_MODE);
        p.driver.Pump();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PaletteModeSwitchToStill1920x1080)->Unit(benchmark::kMillisecond);

} // namespace
