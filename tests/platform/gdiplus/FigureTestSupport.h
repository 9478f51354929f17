#pragma once

// Shared pieces of the graphics, pen and figure tests: owners for graphics,
// pens and brushes, and measurements of what a drawing inked on a test DC.

#include "platform/gdiplus/GdiPlusFlat.h"
#include "tests/platform/gdiplus/ImagingTestSupport.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace figuretest {

using imagingtest::GdiplusFixture;

struct GraphicsDeleter {
    void operator()(GpGraphics* g) const { GdipDeleteGraphics(g); }
};
struct PenDeleter {
    void operator()(GpPen* p) const { GdipDeletePen(p); }
};
struct BrushDeleter {
    void operator()(GpSolidFill* b) const { GdipDeleteBrush(b); }
};
using GraphicsPtr = std::unique_ptr<GpGraphics, GraphicsDeleter>;
using PenPtr = std::unique_ptr<GpPen, PenDeleter>;
using BrushPtr = std::unique_ptr<GpSolidFill, BrushDeleter>;

// A graphics on a DC or a bitmap, in the given smoothing mode.
inline GraphicsPtr WithMode(GpStatus made, GpGraphics* g, SmoothingMode mode)
{
    EXPECT_EQ(made, Ok);
    EXPECT_TRUE(g && GdipSetSmoothingMode(g, mode) == Ok);
    return GraphicsPtr(g);
}
inline GraphicsPtr GraphicsOn(HDC dc, SmoothingMode mode = SmoothingModeDefault)
{
    GpGraphics* g = nullptr;
    GpStatus made = GdipCreateFromHDC(dc, &g);
    return WithMode(made, g, mode);
}
inline GraphicsPtr GraphicsOn(GpBitmap* bitmap, SmoothingMode mode = SmoothingModeDefault)
{
    GpGraphics* g = nullptr;
    GpStatus made = GdipGetImageGraphicsContext(bitmap, &g);
    return WithMode(made, g, mode);
}

inline PenPtr MakePen(ARGB color, REAL width, GpLineCap start = LineCapFlat, GpLineCap end = LineCapFlat,
    GpLineJoin join = LineJoinMiter)
{
    GpPen* p = nullptr;
    EXPECT_EQ(GdipCreatePen1(color, width, UnitWorld, &p), Ok);
    if (p) {
        EXPECT_EQ(GdipSetPenStartCap(p, start), Ok);
        EXPECT_EQ(GdipSetPenEndCap(p, end), Ok);
        EXPECT_EQ(GdipSetPenLineJoin(p, join), Ok);
    }
    return PenPtr(p);
}

inline BrushPtr MakeBrush(ARGB color)
{
    GpSolidFill* b = nullptr;
    EXPECT_EQ(GdipCreateSolidFill(color, &b), Ok);
    return BrushPtr(b);
}

// The bounding box of the pixels that are not the background colour;
// empty (all zero) when there are none.
inline RECT InkBox(const test::TestDc& dc, COLORREF background = RGB(255, 255, 255))
{
    RECT box { dc.width(), dc.height(), 0, 0 };
    for (int y = 0; y < dc.height(); ++y)
        for (int x = 0; x < dc.width(); ++x)
            if (dc.At(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.left < box.right ? box : RECT { 0, 0, 0, 0 };
}

// The rows of column x (or the columns of row y) that hold ink, as a
// [first, last + 1) range; empty when there are none.
struct InkRun {
    int first;
    int end;
    bool operator==(const InkRun&) const = default;
};
inline InkRun InkInColumn(const test::TestDc& dc, int x, COLORREF background = RGB(255, 255, 255))
{
    InkRun r { 0, 0 };
    for (int y = 0; y < dc.height(); ++y)
        if (dc.At(x, y) != background) {
            if (r.first == r.end)
                r.first = y;
            r.end = y + 1;
        }
    return r;
}

// The alternating lengths of ink and background along row y from x0 on,
// starting with ink.
inline std::vector<int> RunsInRow(const test::TestDc& dc, int y, int x0, COLORREF background = RGB(255, 255, 255))
{
    std::vector<int> runs;
    bool ink = true;
    int length = 0;
    for (int x = x0; x < dc.width(); ++x) {
        bool here = dc.At(x, y) != background;
        if (here != ink) {
            runs.push_back(length);
            ink = here;
            length = 0;
        }
        ++length;
    }
    runs.push_back(length);
    return runs;
}

inline std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ","
        + std::to_string(r.bottom) + ")";
}

inline std::ostream& operator<<(std::ostream& os, const InkRun& r)
{
    return os << "[" << r.first << "," << r.end << ")";
}

// Run ends may differ by one pixel where an edge meets pixel centres.
inline void ExpectNear(const InkRun& got, const InkRun& want)
{
    EXPECT_TRUE(std::abs(got.first - want.first) <= 1 && std::abs(got.end - want.end) <= 1)
        << "got " << got << ", want about " << want;
}

} // namespace figuretest
