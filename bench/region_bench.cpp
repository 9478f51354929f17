// Regions built the way a skinned window builds its outline, one rectangle
// one pixel high per run of non-key pixels, and the queries made on them.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kSkinWidth = 1366;
constexpr int kSkinHeight = 93;

// A two-colour skin bitmap: a bar with round ends filling the whole width,
// with five round holes of different sizes along its middle, so that rows
// hold between one and six runs. True marks a pixel of the window.
const std::vector<bool>& SkinBitmap()
{
    static const std::vector<bool> bits = [] {
        std::vector<bool> b(static_cast<std::size_t>(kSkinWidth) * kSkinHeight);
        const double radius = kSkinHeight / 2.0;
        const double holeX[] = { 250, 450, 650, 850, 1050 };
        const double holeR[] = { 10, 16, 22, 28, 34 };
        for (int y = 0; y < kSkinHeight; ++y) {
            for (int x = 0; x < kSkinWidth; ++x) {
                double px = x + 0.5, py = y + 0.5;
                double cx = std::clamp(px, radius, kSkinWidth - radius);
                bool inside = std::hypot(px - cx, py - radius) <= radius;
                for (int h = 0; h < 5; ++h)
                    inside = inside && std::hypot(px - holeX[h], py - radius) > holeR[h];
                b[static_cast<std::size_t>(y) * kSkinWidth + x] = inside;
            }
        }
        return b;
    }();
    return bits;
}

// Builds the outline as the skin code does: scan each row, and add every
// maximal run of window pixels with CreateRectRgn + CombineRgn(RGN_OR).
HRGN BuildSkinRegion(int* runCount = nullptr)
{
    const std::vector<bool>& bits = SkinBitmap();
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    int runs = 0;
    for (int y = 0; y < kSkinHeight; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * kSkinWidth;
        for (int x = 0; x < kSkinWidth;) {
            if (!bits[row + x]) {
                ++x;
                continue;
            }
            int end = x;
            while (end < kSkinWidth && bits[row + end])
                ++end;
            HRGN run = CreateRectRgn(x, y, end, y + 1);
            CombineRgn(rgn, rgn, run, RGN_OR);
            DeleteObject(run);
            ++runs;
            x = end;
        }
    }
    if (runCount)
        *runCount = runs;
    return rgn;
}

void BM_SkinRegionRunByRun(benchmark::State& state)
{
    SkinBitmap();
    int runs = 0;
    std::size_t bands = 0;
    for (auto _ : state) {
        HRGN rgn = BuildSkinRegion(&runs);
        benchmark::DoNotOptimize(rgn);
        bands = gdi::ObjectAs<gdi::RegionObject>(rgn)->region.Bands().size();
        DeleteObject(rgn);
    }
    state.counters["runs"] = runs;
    state.counters["bands"] = static_cast<double>(bands);
}
BENCHMARK(BM_SkinRegionRunByRun)->Unit(benchmark::kMicrosecond);

// 2,000 one-pixel rows of changing extent, added top to bottom.
void BM_UnionOfOnePixelRows(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        for (int y = 0; y < rows; ++y) {
            int left = (y * 37) % 200;
            HRGN run = CreateRectRgn(left, y, left + 100 + (y * 13) % 300, y + 1);
            CombineRgn(rgn, rgn, run, RGN_OR);
            DeleteObject(run);
        }
        benchmark::DoNotOptimize(rgn);
        DeleteObject(rgn);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_UnionOfOnePixelRows)->Arg(2000)->Arg(8000)->Unit(benchmark::kMicrosecond);

void BM_PtInSkinRegion(benchmark::State& state)
{
    HRGN rgn = BuildSkinRegion();
    std::mt19937 rng(77);
    std::vector<POINT> points(4096);
    for (POINT& p : points)
        p = POINT { static_cast<LONG>(rng() % (kSkinWidth + 20)) - 10,
            static_cast<LONG>(rng() % (kSkinHeight + 20)) - 10 };
    std::size_t i = 0;
    int inside = 0;
    for (auto _ : state) {
        const POINT& p = points[i++ & (points.size() - 1)];
        inside += PtInRegion(rgn, p.x, p.y);
    }
    benchmark::DoNotOptimize(inside);
    state.SetItemsProcessed(state.iterations());
    DeleteObject(rgn);
}
BENCHMARK(BM_PtInSkinRegion);

// The general combination on two regions of n rows each with up to six
// runs: its time should grow in proportion to n.
void BM_GeneralXor(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    std::mt19937 rng(5);
    HRGN a = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < rows; ++y) {
        int x = static_cast<int>(rng() % 20);
        for (int k = static_cast<int>(rng() % 6); k >= 0; --k) {
            int len = 1 + static_cast<int>(rng() % 40);
            HRGN run = CreateRectRgn(x, y, x + len, y + 1);
            CombineRgn(a, a, run, RGN_OR);
            DeleteObject(run);
            x += len + 1 + static_cast<int>(rng() % 30);
        }
    }
    HRGN b = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(b, a, nullptr, RGN_COPY);
    OffsetRgn(b, 3, 1);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(CombineRgn(out, a, b, RGN_XOR));
    state.SetComplexityN(rows);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(out);
}
BENCHMARK(BM_GeneralXor)
    ->RangeMultiplier(4)
    ->Range(256, 16384)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

} // namespace
