// Drawing objects: the cost of one rubber-band step while the mouse moves,
// and of a long stroke's final rendering.

#include "bench/GdiplusScope.h"
#include "draw/DrawObj.h"
#include "draw/DrawSettings.h"
#include "platform/afx/Dc.h"
#include "platform/gdiplus/GdiPlusFlat.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

using Gdiplus = bench::GdiplusScope;

// A 1920x1080 off-screen surface like the one the video view draws on.
struct Screen {
    Screen()
    {
        dc.CreateCompatibleDC(nullptr);
        HDC screen = ::CreateDC("DISPLAY", nullptr, nullptr, nullptr);
        bitmap.Attach(::CreateCompatibleBitmap(screen, 1920, 1080));
        ::DeleteDC(screen);
        old = dc.SelectObject(&bitmap);
    }
    ~Screen() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old;
};

// A hand's path: small random steps from a starting point, kept inside a box.
std::vector<CPoint> Walk(int count, int width, int height, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> step(-6, 6);
    std::vector<CPoint> points;
    CPoint p(width / 2, height / 2);
    for (int i = 0; i < count; ++i) {
        p.x = std::clamp(p.x + step(rng), 0, width - 1);
        p.y = std::clamp(p.y + step(rng), 0, height - 1);
        points.push_back(p);
    }
    return points;
}

std::unique_ptr<CDrawObj> Make(int tool, int width)
{
    std::unique_ptr<CDrawObj> obj(CreateDrawObj(tool));
    obj->SetAlpha(AlphaFromPercent(50));
    obj->SetPen(PS_SOLID, width, RGB(255, 0, 0));
    obj->SetLineType(LINE_FREE);
    return obj;
}

void BM_PenStrokeDrawOnImage(benchmark::State& state)
{
    Gdiplus gdiplus;
    GpBitmap* overlay = nullptr;
    GdipCreateBitmapFromScan0(1274, 956, 0, PixelFormat32bppARGB, nullptr, &overlay);
    auto pen = Make(TOOL_PEN, 3);
    for (const CPoint& p : Walk(2000, 1274, 956, 1))
        pen->m_points.push_back(p);
    for (auto _ : state)
        pen->DrawOnImage(overlay);
    GdipDisposeImage(overlay);
}
BENCHMARK(BM_PenStrokeDrawOnImage)->Unit(benchmark::kMillisecond);

// One mouse move on the board: the pen draws one segment.
void BM_PenAddPoint(benchmark::State& state)
{
    Gdiplus gdiplus;
    Screen screen;
    auto pen = Make(TOOL_PEN, 3);
    auto path = Walk(4096, 1920, 1080, 2);
    std::size_t i = 0;
    for (auto _ : state) {
        const CPoint& p = path[i++ % path.size()];
        pen->AddPoint(p.x, p.y, &screen.dc);
    }
}
BENCHMARK(BM_PenAddPoint)->Unit(benchmark::kMicrosecond);

// One mouse move with the circle: the old circle off, the new one on.
void BM_CircleAddPoint(benchmark::State& state)
{
    Gdiplus gdiplus;
    Screen screen;
    auto circle = Make(TOOL_CIRCLE, 3);
    circle->AddPoint(960, 540, &screen.dc);
    auto path = Walk(4096, 1920, 1080, 3);
    std::size_t i = 0;
    for (auto _ : state) {
        // Radii of 100 to 400 pixels, as a teacher draws them.
        const CPoint& p = path[i++ % path.size()];
        circle->AddPoint(960 + 100 + p.x % 300, 540 + p.y % 100, &screen.dc);
    }
}
BENCHMARK(BM_CircleAddPoint)->Unit(benchmark::kMicrosecond);

// One mouse move on the live video late in a long stroke: the whole stroke
// so far is drawn again, scaled.
void BM_PenAddPointZoomed500(benchmark::State& state)
{
    Gdiplus gdiplus;
    Screen screen;
    float saved = g_zoomFactor;
    g_zoomFactor = 1.5f;
    auto pen = Make(TOOL_PEN, 3);
    for (const CPoint& p : Walk(499, 1200, 700, 4))
        pen->m_points.push_back(p);
    for (auto _ : state) {
        pen->AddPointZoomed(600, 350, &screen.dc, nullptr, nullptr);
        pen->m_points.pop_back();
    }
    g_zoomFactor = saved;
}
BENCHMARK(BM_PenAddPointZoomed500)->Unit(benchmark::kMicrosecond);

} // namespace
