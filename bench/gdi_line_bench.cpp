// How long the drawing tools' rubber bands take on a full-HD surface: one
// wide inverting LineTo per mouse move for a freehand stroke, and erasing
// plus redrawing a rectangle or an ellipse for the shape tools.

#include "platform/gdi/Gdi.h"

#include <benchmark/benchmark.h>

namespace {

// A 1920x1080 32-bit memory DC in R2_NOTXORPEN with a pen of the given width.
class XorSurface {
public:
    explicit XorSurface(int penWidth)
        : dc_(CreateCompatibleDC(nullptr))
        , bitmap_(CreateBitmap(1920, 1080, 1, 32, nullptr))
        , pen_(CreatePen(PS_SOLID, penWidth, RGB(30, 60, 200)))
    {
        oldBitmap_ = SelectObject(dc_, bitmap_);
        oldPen_ = SelectObject(dc_, pen_);
        oldBrush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
        SetROP2(dc_, R2_NOTXORPEN);
    }
    ~XorSurface()
    {
        SelectObject(dc_, oldBitmap_);
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        DeleteObject(bitmap_);
        DeleteObject(pen_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HPEN pen_;
    HGDIOBJ oldBitmap_, oldPen_, oldBrush_;
};

void BM_XorLineTo200Width3(benchmark::State& state)
{
    XorSurface s(3);
    for (auto _ : state) {
        // 200 pixels long, at a slant so that it is neither one span nor
        // one pixel per row.
        MoveToEx(s.dc(), 800, 500, nullptr);
        benchmark::DoNotOptimize(LineTo(s.dc(), 960, 620));
    }
}
BENCHMARK(BM_XorLineTo200Width3);

void BM_XorArc400x300(benchmark::State& state)
{
    XorSurface s(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Arc(s.dc(), 700, 400, 1100, 700, 0, 0, 0, 0));
}
BENCHMARK(BM_XorArc400x300)->Arg(1)->Arg(3);

// One rubber-band step of the shape tools: erase the old figure, draw the
// new one a pixel bigger.
void BM_RubberBandEllipseStep(benchmark::State& state)
{
    XorSurface s(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Ellipse(s.dc(), 700, 400, 1100, 700);
        benchmark::DoNotOptimize(Ellipse(s.dc(), 700, 400, 1101, 701));
    }
}
BENCHMARK(BM_RubberBandEllipseStep)->Arg(1)->Arg(3);

void BM_RubberBandRectangleStep(benchmark::State& state)
{
    XorSurface s(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Rectangle(s.dc(), 700, 400, 1100, 700);
        benchmark::DoNotOptimize(Rectangle(s.dc(), 700, 400, 1101, 701));
    }
}
BENCHMARK(BM_RubberBandRectangleStep)->Arg(1)->Arg(3);

} // namespace
