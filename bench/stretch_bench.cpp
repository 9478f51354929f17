// Camera frames onto the off-screen picture: StretchDIBits of a 1280x720
// 24-bit bottom-up frame onto a 1920x1080 memory DC, measured beside
// libyuv's nearest-neighbour scaling of the same picture (ARGBScale on a
// 32-bit copy of the frame, which is the destination's format, and RGBScale
// on the 24-bit frame itself), and BitBlt SRCCOPY of a whole 1920x1080
// picture.

#include "platform/gdi/Gdi.h"

#include <benchmark/benchmark.h>
#include <libyuv.h>
#include <libyuv/scale_rgb.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kFrameW = 1280, kFrameH = 720;
constexpr int kScreenW = 1920, kScreenH = 1080;

// A frame of fixed-seed noise, so that no shortcut for flat colour helps.
std::vector<std::uint8_t> Noise(std::size_t bytes)
{
    std::vector<std::uint8_t> v(bytes);
    std::mt19937 rng(1234);
    for (auto& b : v)
        b = static_cast<std::uint8_t>(rng());
    return v;
}

// A memory DC holding a 32-bit bitmap, as the program's off-screen picture.
struct OffScreen {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(kScreenW, kScreenH, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ~OffScreen()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

void BM_StretchDIBits_Frame24(benchmark::State& state)
{
    const std::vector<std::uint8_t> frame = Noise(static_cast<std::size_t>(kFrameW) * 3 * kFrameH);
    BITMAPINFO bmi {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = kFrameW;
    bmi.bmiHeader.biHeight = kFrameH; // bottom-up, as the camera delivers it
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    OffScreen screen;
    SetStretchBltMode(screen.dc, COLORONCOLOR);
    for (auto _ : state) {
        int lines = StretchDIBits(screen.dc, 0, 0, kScreenW, kScreenH, 0, 0, kFrameW, kFrameH, frame.data(), &bmi,
            DIB_RGB_COLORS, SRCCOPY);
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * kScreenW * kScreenH);
}
BENCHMARK(BM_StretchDIBits_Frame24)->Unit(benchmark::kMillisecond);

void BM_Libyuv_ARGBScale_None(benchmark::State& state)
{
    const std::vector<std::uint8_t> frame = Noise(static_cast<std::size_t>(kFrameW) * 4 * kFrameH);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kScreenW) * 4 * kScreenH);
    for (auto _ : state) {
        int r = libyuv::ARGBScale(frame.data(), kFrameW * 4, kFrameW, kFrameH, out.data(), kScreenW * 4, kScreenW,
            kScreenH, libyuv::kFilterNone);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kScreenW * kScreenH);
}
BENCHMARK(BM_Libyuv_ARGBScale_None)->Unit(benchmark::kMillisecond);

void BM_Libyuv_RGBScale_None(benchmark::State& state)
{
    const std::vector<std::uint8_t> frame = Noise(static_cast<std::size_t>(kFrameW) * 3 * kFrameH);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kScreenW) * 3 * kScreenH);
    for (auto _ : state) {
        int r = libyuv::RGBScale(frame.data(), kFrameW * 3, kFrameW, kFrameH, out.data(), kScreenW * 3, kScreenW,
            kScreenH, libyuv::kFilterNone);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kScreenW * kScreenH);
}
BENCHMARK(BM_Libyuv_RGBScale_None)->Unit(benchmark::kMillisecond);

void BM_BitBlt_SrcCopy_1080p(benchmark::State& state)
{
    OffScreen from, to;
    for (auto _ : state) {
        BOOL ok = BitBlt(to.dc, 0, 0, kScreenW, kScreenH, from.dc, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * kScreenW * kScreenH);
}
BENCHMARK(BM_BitBlt_SrcCopy_1080p)->Unit(benchmark::kMillisecond);

} // namespace
