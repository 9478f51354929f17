// A freehand stroke as the program renders it: one GdipDrawCurveI through
// 2,000 points, width 3, round caps and joins, anti-aliased, alpha 127, into
// a 1274 x 956 bitmap (the camera frame's size).

#include "platform/gdiplus/GdiPlusFlat.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 1274;
constexpr int kHeight = 956;

// A wandering hand: small steps whose direction drifts, kept inside the
// frame, with the occasional repeated point where the pen rested.
std::vector<GpPoint> FreehandPoints(int count)
{
    std::mt19937 rng(20240611);
    std::normal_distribution<double> turn(0.0, 0.35);
    std::uniform_int_distribution<int> rest(0, 19);
    std::vector<GpPoint> pts;
    double x = kWidth / 2.0, y = kHeight / 2.0, heading = 0.0;
    while (static_cast<int>(pts.size()) < count) {
        heading += turn(rng);
        x = std::clamp(x + 4.0 * std::cos(heading), 10.0, kWidth - 10.0);
        y = std::clamp(y + 4.0 * std::sin(heading), 10.0, kHeight - 10.0);
        pts.push_back(GpPoint { static_cast<INT>(std::lround(x)), static_cast<INT>(std::lround(y)) });
        if (rest(rng) == 0)
            pts.push_back(pts.back());
    }
    pts.resize(static_cast<std::size_t>(count));
    return pts;
}

// A started library, a cleared frame-sized bitmap, its graphics and the
// stroke's pen.
class StrokeScene {
public:
    explicit StrokeScene(bool dashed)
    {
        GdiplusStartupInput input;
        GdiplusStartup(&token_, &input, nullptr);
        ok_ = GdipCreateBitmapFromScan0(kWidth, kHeight, 0, PixelFormat32bppARGB, nullptr, &bitmap_) == Ok
            && GdipGetImageGraphicsContext(bitmap_, &graphics_) == Ok
            && GdipCreatePen1(0x7FD02020, 3.0f, UnitWorld, &pen_) == Ok;
        if (!ok_)
            return;
        GdipGraphicsClear(graphics_, 0xFFFFFFFF);
        GdipSetSmoothingMode(graphics_, SmoothingModeAntiAlias);
        GdipSetPenStartCap(pen_, LineCapRound);
        GdipSetPenEndCap(pen_, LineCapRound);
        GdipSetPenLineJoin(pen_, LineJoinRound);
        const REAL dashes[] = { 3, 1 };
        if (dashed)
            GdipSetPenDashArray(pen_, dashes, 2);
    }
    ~StrokeScene()
    {
        if (pen_)
            GdipDeletePen(pen_);
        if (graphics_)
            GdipDeleteGraphics(graphics_);
        if (bitmap_)
            GdipDisposeImage(bitmap_);
        GdiplusShutdown(token_);
    }
    StrokeScene(const StrokeScene&) = delete;
    StrokeScene& operator=(const StrokeScene&) = delete;

    bool ok() const { return ok_; }
    GpStatus Draw(const std::vector<GpPoint>& pts)
    {
        return GdipDrawCurveI(graphics_, pen_, pts.data(), static_cast<INT>(pts.size()));
    }

private:
    ULONG_PTR token_ = 0;
    GpBitmap* bitmap_ = nullptr;
    GpGraphics* graphics_ = nullptr;
    GpPen* pen_ = nullptr;
    bool ok_ = false;
};

void RunStroke(benchmark::State& state, bool dashed)
{
    StrokeScene scene(dashed);
    if (!scene.ok()) {
        state.SkipWithError("no bitmap graphics");
        return;
    }
    const std::vector<GpPoint> pts = FreehandPoints(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (scene.Draw(pts) != Ok) {
            state.SkipWithError("drawing failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FreehandCurve(benchmark::State& state) { RunStroke(state, false); }
BENCHMARK(BM_FreehandCurve)->Arg(2000)->Unit(benchmark::kMillisecond);

// The same stroke dashed, which goes through a coverage mask.
void BM_DashedFreehandCurve(benchmark::State& state) { RunStroke(state, true); }
BENCHMARK(BM_DashedFreehandCurve)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
