// Memory over a school day, measured by hand (each run takes minutes; CI
// never runs benchmarks). Both drive the live video view through the window
// system on the headless screen, its clock virtual:
//
// - BM_TenThousandStrokes: 10,000 pen strokes of 200 points each, drawn with
//   the mouse; the process's resident memory is sampled every 1,000 strokes.
// - BM_HourOfBlinking: one hour of the view repainting at 50 Hz from a camera
//   delivering 30 frames a second through the grabber callback, a blinking
//   stroke drawn every three seconds (each vanishes four seconds after it
//   first shows); resident memory is sampled every virtual minute.
//
// The samples are printed as they are taken; the counters give the growth
// over the run, and for the hour the spread after its first minute.
//
//   build/release/bench/soak_bench --benchmark_filter=Strokes

#include "draw/DrawSettings.h"
#include "app/InkveilApp.h"
#include "bench/GdiplusScope.h"
#include "camera/LatestFrame.h"
#include "camera/SampleGrabberCB.h"
#include "camera/VideoStatic.h"
#include "platform/headless/Driver.h"
#include "platform/v4l2/EmulatedDevice.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/ControlStyles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

// Resident memory of the process in megabytes.
double ResidentMb()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// A live view on the headless screen, without a camera device: frames come
// through the grabber callback as the capture graph would deliver them.
class LiveView {
public:
    LiveView(int width, int height)
        : driver_(width + 40, height + 40)
    {
        ws::ctl::EnsureControlClasses();
        // The thinnest pen: what a stroke keeps does not depend on its
        // width, and thin rubber bands keep the run short.
        app_.m_nPenWidth = 1;
        host_.CreateEx(0, WC_STATIC, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width + 40, height + 40,
            nullptr, nullptr);
        view.Create("", WS_CHILD | WS_VISIBLE | SS_GRAYRECT | SS_NOTIFY, CRect(20, 20, 20 + width, 20 + height),
            &host_, 1012);
        view.StartVideo();
        view.SetTool(TOOL_PEN);
        g_grabberCB.m_nWidth = kFrameWidth;
        g_grabberCB.m_nHeight = kFrameHeight;
        frame_.resize(static_cast<std::size_t>(kFrameWidth) * kFrameHeight * 3);
        DeliverFrame();
        driver_.Pump();
    }
    ~LiveView()
    {
        host_.DestroyWindow();
        g_latestFrame.ClearFrame();
    }
    LiveView(const LiveView&) = delete;
    LiveView& operator=(const LiveView&) = delete;

    // The next camera frame, a little different from the last.
    void DeliverFrame()
    {
        for (std::size_t i = 0; i < frame_.size(); i += 97)
            frame_[i] = static_cast<BYTE>(frame_[i] + 1);
        g_grabberCB.BufferCB(0.0, frame_.data(), static_cast<LONG>(frame_.size()));
    }

    // A pen stroke of that many points zigzagging across the view.
    void Stroke(int points, int seed)
    {
        CRect client;
        view.GetClientRect(&client);
        auto at = [&](int i) {
            POINT p { 2 + (seed * 13 + i * 7) % (client.Width() - 4), 2 + (seed * 5 + i * 3) % (client.Height() - 4) };
            view.ClientToScreen(&p);
            return p;
        };
        driver_.MoveTo(at(0));
        driver_.Press();
        for (int i = 1; i < points; ++i)
            driver_.MoveTo(at(i));
        driver_.Release();
    }

    headless::Driver& driver() { return driver_; }

    static constexpr int kFrameWidth = 64;
    static constexpr int kFrameHeight = 48;

private:
    headless::Driver driver_;
    v4l2::EmulatedDeviceSystem devices_;
    v4l2::ScopedDeviceSystem useDevices_ { devices_ };
    bench::GdiplusScope gdiplus_;
    CInkveilApp app_;
    CWnd host_;
    std::vector<BYTE> frame_;

public:
    CVideoStatic view;
};

// The argument is the number of strokes (10,000 for the figure; fewer for a
// quick look); the memory is sampled ten times over them.
void BM_TenThousandStrokes(benchmark::State& state)
{
    const int strokes = static_cast<int>(state.range(0));
    for (auto _ : state) {
        LiveView live(160, 120);
        live.Stroke(200, 0); // the first stroke's one-time costs
        const double start = ResidentMb();
        std::fprintf(stderr, "strokes      0: %7.1f MB\n", start);
        double last = start;
        for (int stroke = 1; stroke <= strokes; ++stroke) {
            live.Stroke(200, stroke);
            live.driver().Advance(20); // a repaint between strokes
            if (stroke % (strokes / 10) == 0) {
                last = ResidentMb();
                std::fprintf(stderr, "strokes %6d: %7.1f MB\n", stroke, last);
            }
        }
        state.counters["rss_start_mb"] = start;
        state.counters["rss_growth_mb"] = last - start;
        state.counters["objects_kept"] = static_cast<double>(live.view.m_objects.size());
    }
}
BENCHMARK(BM_TenThousandStrokes)->Arg(10000)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

void BM_HourOfBlinking(benchmark::State& state)
{
    constexpr DWORD kHourMs = 60 * 60 * 1000;
    constexpr DWORD kStepMs = 10; // frames are due at 30 Hz, repaints at 50 Hz
    for (auto _ : state) {
        LiveView live(320, 240);
        live.view.SetBlink(1);
        std::vector<double> samples;
        DWORD now = 0;
        double nextFrame = 0;
        int strokes = 0;
        while (now < kHourMs) {
            if (now % 3000 == 0)
                live.Stroke(50, ++strokes);
            for (; nextFrame <= now; nextFrame += 1000.0 / 30.0)
                live.DeliverFrame();
            live.driver().Advance(kStepMs);
            now += kStepMs;
            if (now % 60000 == 0) {
                samples.push_back(ResidentMb());
                std::fprintf(stderr, "minute %2u: %7.1f MB, %zu blinking\n", now / 60000, samples.back(),
                    live.view.m_pBlinkLayer->Objects().size());
            }
        }
        const auto [low, high] = std::minmax_element(samples.begin() + 1, samples.end());
        state.counters["rss_first_minute_mb"] = samples.front();
        state.counters["rss_spread_after_first_minute_mb"] = *high - *low;
        state.counters["rss_growth_mb"] = samples.back() - samples.front();
        state.counters["strokes"] = strokes;
    }
}
BENCHMARK(BM_HourOfBlinking)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
