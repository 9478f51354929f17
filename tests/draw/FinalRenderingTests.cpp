// The final, anti-aliased renderings: colour and alpha, dashes, arrow caps,
// round ends, fills without outlines, the circle's truncated radius.

#include "draw/DrawCircle.h"
#include "draw/DrawObj.h"
#include "draw/DrawSettings.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using test::AlphaOf;
using test::MakeObject;
using test::MakeOverlay;
using test::PixelOf;

void Feed(CDrawObj& obj, std::initializer_list<CPoint> points, CDC* dc = nullptr)
{
    for (const CPoint& p : points)
        obj.AddPoint(p.x, p.y, dc);
}

TEST(FinalRendering, OpacityFiftyGivesAlpha127InTheImage)
{
    auto overlay = MakeOverlay(100, 60);
    auto pen = MakeObject(TOOL_PEN, 9, RGB(255, 0, 0), 50);
    Feed(*pen, { { 10, 30 }, { 50, 30 }, { 90, 30 } });
    pen->DrawOnImage(overlay.get());
    EXPECT_EQ(PixelOf(overlay.get(), 50, 30), 0x7FFF0000u);
    EXPECT_EQ(PixelOf(overlay.get(), 50, 10), 0u) << "far from the stroke nothing changes";
}

TEST(FinalRendering, OnTheSurfaceTheStrokeBlendsOverWhatLiesBeneath)
{
    test::TestDc surface(100, 60, RGB(255, 255, 255));
    CDC* dc = CDC::FromHandle(surface.dc());
    auto line = MakeObject(TOOL_LINE, 9, RGB(255, 0, 0), 50);
    Feed(*line, { { 10, 30 }, { 90, 30 } }, dc);
    line->DrawFinal(dc);
    // Red at alpha 127 over white: green and blue keep 128 of 255.
    COLORREF mid = surface.At(50, 30);
    EXPECT_EQ(GetRValue(mid), 255);
    EXPECT_NEAR(GetGValue(mid), 128, 1);
    EXPECT_NEAR(GetBValue(mid), 128, 1);
    CDC::DeleteTempMap();
}

TEST(FinalRendering, ADashedWidthFiveLineRepeats25InkAnd10Gap)
{
    auto overlay = MakeOverlay(220, 40);
    auto line = MakeObject(TOOL_LINE, 5, RGB(0, 0, 255), 100, LINE_DASHED);
    Feed(*line, { { 10, 20 }, { 200, 20 } });
    line->DrawOnImage(overlay.get());
    // Sum the ink along the middle row, one dash period at a time.
    for (int period = 0; period < 5; ++period) {
        int start = 10 + period * 35;
        double ink = 0;
        for (int x = start - 2; x < start + 33; ++x)
            ink += AlphaOf(overlay.get(), x, 20) / 254.0;
        EXPECT_NEAR(ink, 25.0, 1.0) << "period " << period;
        EXPECT_EQ(AlphaOf(overlay.get(), start + 30, 20), 0) << "the middle of the gap";
        EXPECT_EQ(AlphaOf(overlay.get(), start + 12, 20), 254) << "the middle of the dash";
    }
}

TEST(FinalRendering, TheArrowLineTypePutsADotAtTheStartAndAHeadAtTheEnd)
{
    auto overlay = MakeOverlay(240, 100);
    auto line = MakeObject(TOOL_LINE, 5, RGB(0, 128, 0), 100, LINE_ARROW);
    Feed(*line, { { 40, 50 }, { 200, 50 } });
    line->DrawOnImage(overlay.get());
    // The body is 5 wide (rows 48..52); the dot has radius 5 around (40, 50).
    EXPECT_EQ(AlphaOf(overlay.get(), 100, 54), 0) << "beside the body";
    EXPECT_GT(AlphaOf(overlay.get(), 40, 54), 200) << "inside the start dot";
    EXPECT_GT(AlphaOf(overlay.get(), 37, 50), 200) << "the dot reaches behind the start";
    EXPECT_EQ(AlphaOf(overlay.get(), 33, 50), 0);
    // The head: an equilateral triangle of side 10 with its tip on (200, 50).
    EXPECT_GT(AlphaOf(overlay.get(), 193, 53), 200) << "the head is wider than the body";
    EXPECT_GT(AlphaOf(overlay.get(), 198, 50), 100) << "the head reaches the tip";
    EXPECT_EQ(AlphaOf(overlay.get(), 202, 50), 0) << "nothing beyond the tip";
}

TEST(FinalRendering, APenStrokeInAnImageHasRoundEndsWhateverItsLineType)
{
    auto overlay = MakeOverlay(160, 80);
    auto pen = MakeObject(TOOL_PEN, 10, RGB(0, 0, 0), 100, LINE_ARROW);
    Feed(*pen, { { 40, 40 }, { 80, 40 }, { 120, 40 } });
    pen->DrawOnImage(overlay.get());
    EXPECT_GT(AlphaOf(overlay.get(), 123, 40), 200) << "a round end reaches past the last point";
    EXPECT_EQ(AlphaOf(overlay.get(), 124, 45), 0) << "but not into the corner a square end would fill";
    EXPECT_GT(AlphaOf(overlay.get(), 37, 40), 200) << "round at the start too";
    EXPECT_EQ(AlphaOf(overlay.get(), 108, 46), 0) << "no arrow head";
}

TEST(FinalRendering, AFilledShapeHasNoOutline)
{
    for (int tool : { TOOL_RECTFILL, TOOL_CIRCLEFILL, TOOL_ELLIPSEFILL }) {
        SCOPED_TRACE(tool);
        auto overlay = MakeOverlay(120, 120);
        auto shape = MakeObject(tool, 12, RGB(255, 0, 0), 100, 0, RGB(0, 0, 255));
        Feed(*shape, { { 60, 60 }, { 90, 90 } });
        shape->DrawOnImage(overlay.get());
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x)
                ASSERT_EQ((PixelOf(overlay.get(), x, y) >> 16) & 0xFF, 0u) << "red outline at " << x << "," << y;
        EXPECT_EQ(PixelOf(overlay.get(), 75, 75), 0xFE0000FFu) << "the inside is the fill colour";
    }
    // The rectangle's fill stops at its box: an outline of width 12 would
    // reach 6 pixels beyond it.
    auto overlay = MakeOverlay(120, 120);
    auto rect = MakeObject(TOOL_RECTFILL, 12, RGB(255, 0, 0), 100, 0, RGB(0, 0, 255));
    Feed(*rect, { { 90, 90 }, { 60, 60 } });
    rect->DrawOnImage(overlay.get());
    EXPECT_EQ(AlphaOf(overlay.get(), 57, 75), 0);
    EXPECT_EQ(AlphaOf(overlay.get(), 93, 75), 0);
}

TEST(FinalRendering, RectanglesDraggedEitherWayAreTheSame)
{
    auto a = MakeOverlay(100, 100);
    auto b = MakeOverlay(100, 100);
    auto down = MakeObject(TOOL_RECTANGLE, 3, RGB(10, 20, 30));
    auto up = MakeObject(TOOL_RECTANGLE, 3, RGB(10, 20, 30));
    Feed(*down, { { 20, 25 }, { 50, 50 }, { 70, 80 } });
    Feed(*up, { { 70, 80 }, { 40, 40 }, { 20, 25 } });
    down->DrawOnImage(a.get());
    up->DrawOnImage(b.get());
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(PixelOf(a.get(), x, y), PixelOf(b.get(), x, y)) << x << "," << y;
    EXPECT_GT(AlphaOf(a.get(), 20, 50), 200) << "the left side lies on x = 20";
}

TEST(FinalRendering, TheCircleFollowsTheTruncatedRadius)
{
    struct Case {
        CPoint s, e;
        int radius;
    };
    const Case cases[] = {
        { { 100, 100 }, { 103, 104 }, 5 },
        { { 100, 100 }, { 101, 101 }, 1 },
        { { 100, 100 }, { 103, 103 }, 4 },
        { { 100, 100 }, { 100, 100 }, 0 },
        { { 50, 60 }, { 38, 55 }, 13 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDrawCircle::Radius(c.s, c.e), c.radius);

    // Radius 5 round (100, 100): the box (95, 95, 10, 10).
    auto overlay = MakeOverlay(200, 200);
    auto circle = MakeObject(TOOL_CIRCLEFILL, 1, RGB(0, 0, 0), 100, 0, RGB(0, 0, 0));
    Feed(*circle, { { 100, 100 }, { 103, 104 } });
    circle->DrawOnImage(overlay.get());
    EXPECT_EQ(AlphaOf(overlay.get(), 100, 100), 254);
    EXPECT_GT(AlphaOf(overlay.get(), 96, 100), 200);
    EXPECT_EQ(AlphaOf(overlay.get(), 93, 100), 0);
    EXPECT_EQ(AlphaOf(overlay.get(), 106, 100), 0);
    EXPECT_EQ(AlphaOf(overlay.get(), 100, 93), 0);
}

TEST(FinalRendering, APenStrokeEndsWhereThePenWasLifted)
{
    // The video view adds the release point after the last move to the same
    // place, so the stroke's last point comes twice; a fast last move makes
    // the last step long. The stroke still ends within half its width (and a
    // pixel of smoothing) of the release point.
    constexpr int kWidth = 7;
    constexpr int kRelease = 240;
    struct Case {
        const char* name;
        std::initializer_list<CPoint> points;
    };
    const Case cases[] = {
        { "straight on", { { 20, 40 }, { 60, 40 }, { kRelease, 40 }, { kRelease, 40 } } },
        { "arriving from below", { { 20, 70 }, { 200, 70 }, { kRelease, 40 }, { kRelease, 40 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto overlay = MakeOverlay(320, 90);
        auto pen = MakeObject(TOOL_PEN, kWidth, RGB(0, 0, 0));
        Feed(*pen, c.points);
        pen->DrawOnImage(overlay.get());
        int right = -1;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 320; ++x)
                if (AlphaOf(overlay.get(), x, y) != 0)
                    right = std::max(right, x);
        EXPECT_GE(right, kRelease) << "the stroke reaches the release point";
        EXPECT_LE(right, kRelease + kWidth / 2 + 1) << "and stops there";
    }
}

TEST(FinalRendering, APressWithoutMovementDrawsNoPenStroke)
{
    test::TestDc surface(40, 40);
    surface.FillNoise(3);
    auto before = surface.Pixels();
    CDC* dc = CDC::FromHandle(surface.dc());
    auto pen = MakeObject(TOOL_PEN, 5, RGB(255, 0, 0));
    pen->AddPoint(20, 20, dc);
    EXPECT_EQ(surface.CountChanged(before), 0) << "the first point draws nothing";
    pen->DrawFinal(dc);
    EXPECT_EQ(surface.CountChanged(before), 0) << "a curve of one point draws nothing";
    CDC::DeleteTempMap();
}

} // namespace
