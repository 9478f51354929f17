// The camera's per-frame costs: YUY2 to RGB24 conversion at 720p and 1080p,
// the hand-over of a 1080p frame to the view, and a 2048x1536 photograph.

#include "camera/LatestFrame.h"
#include "camera/SampleGrabberCB.h"
#include "camera/VMR_Capture.h"
#include "platform/dshow/TransformFilter.h"
#include "platform/dshow/Yuy2Converter.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::vector<BYTE> RandomBytes(std::size_t n)
{
    std::mt19937 rng(7);
    std::vector<BYTE> v(n);
    for (BYTE& b : v)
        b = static_cast<BYTE>(rng());
    return v;
}

void BM_Yuy2ToRgb24(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    std::vector<BYTE> src = RandomBytes(static_cast<std::size_t>(w) * h * 2);
    std::vector<BYTE> dst(dshow::DibStride(w, 24) * h);
    std::vector<BYTE> scratch(static_cast<std::size_t>(w) * 4 * dshow::Yuy2Converter::kBandRows);
    for (auto _ : state) {
        dshow::Yuy2Converter::Convert(src.data(), static_cast<std::size_t>(w) * 2, dst.data(), dshow::DibStride(w, 24),
            w, h, scratch.data());
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Yuy2ToRgb24)->Args({ 1280, 720 })->Args({ 1920, 1080 })->Unit(benchmark::kMillisecond);

// BufferCB at 1080p: the copy into the record and the swap under its lock.
void BM_FrameHandOver1080p(benchmark::State& state)
{
    std::vector<BYTE> frame = RandomBytes(1920u * 1080u * 3u);
    g_grabberCB.m_nWidth = 1920;
    g_grabberCB.m_nHeight = 1080;
    for (auto _ : state) {
        g_grabberCB.BufferCB(0.0, frame.data(), static_cast<LONG>(frame.size()));
        benchmark::ClobberMemory();
    }
    g_latestFrame.ClearFrame();
}
BENCHMARK(BM_FrameHandOver1080p)->Unit(benchmark::kMillisecond);

void BM_SaveSnapshot2048x1536(benchmark::State& state)
{
    v4l2::EmulatedDeviceSystem devices;
    devices.Add("/dev/video0", v4l2::EmulatedDevice::Camera("Bench Cam", { { 2048, 1536 } }));
    v4l2::ScopedDeviceSystem use(devices);
    CVMR_Capture cap;
    if (cap.BuildGraph(0, nullptr) != S_OK) {
        state.SkipWithError("the graph did not start");
        return;
    }
    // Waits for the renderer to hold a picture.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (cap.GrabRendererImage() < 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::string path = "/tmp/inkveil-bench-" + std::to_string(getpid()) + ".bmp";
    for (auto _ : state)
        benchmark::DoNotOptimize(cap.SaveSnapshot(path.c_str()));
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveSnapshot2048x1536)->Unit(benchmark::kMillisecond);

} // namespace
