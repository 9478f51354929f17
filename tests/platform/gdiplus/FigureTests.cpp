// Lines, curves, rectangles, arcs and ellipses: where they ink, measured in
// exact pixels on small DCs wherever the geometry makes the answer exact.

#include "platform/gdiplus/CardinalSpline.h"
#include "tests/platform/gdiplus/FigureTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using namespace figuretest;
using gdiplus::CardinalBezierPoints;
using gdiplus::PointD;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr ARGB kOpaqueBlack = 0xFF000000;

class FigureTest : public GdiplusFixture { };

TEST(CardinalSplineTest, ControlPointsFollowTheNeighbouringChords)
{
    struct Case {
        const char* name;
        std::vector<GpPoint> points;
        std::vector<PointD> expected;
    };
    // T / 3 = 1/6: each control point sits a sixth of the chord between the
    // neighbours away from its end point.
    const Case cases[] = {
        { "two points: control points on the line", { { 0, 0 }, { 60, 0 } },
            { { 0, 0 }, { 10, 0 }, { 50, 0 }, { 60, 0 } } },
        { "three points", { { 0, 0 }, { 60, 60 }, { 120, 0 } },
            { { 0, 0 }, { 10, 10 }, { 40, 60 }, { 60, 60 }, { 80, 60 }, { 110, 10 }, { 120, 0 } } },
        { "four points", { { 0, 0 }, { 6, 12 }, { 18, 12 }, { 24, 0 } },
            { { 0, 0 }, { 1, 2 }, { 3, 10 }, { 6, 12 }, { 9, 14 }, { 15, 14 }, { 18, 12 }, { 21, 10 }, { 23, 2 },
                { 24, 0 } } },
        { "a repeated point: no length between, its neighbours take their chords to it",
            { { 0, 0 }, { 6, 6 }, { 6, 6 }, { 12, 0 } },
            { { 0, 0 }, { 1, 1 }, { 5, 5 }, { 6, 6 }, { 6, 6 }, { 6, 6 }, { 6, 6 }, { 7, 5 }, { 11, 1 }, { 12, 0 } } },
        { "every point the same", { { 5, 7 }, { 5, 7 }, { 5, 7 } },
            { { 5, 7 }, { 5, 7 }, { 5, 7 }, { 5, 7 }, { 5, 7 }, { 5, 7 }, { 5, 7 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<PointD> got = CardinalBezierPoints(c.points.data(), static_cast<int>(c.points.size()));
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_DOUBLE_EQ(got[i].x, c.expected[i].x) << "point " << i;
            EXPECT_DOUBLE_EQ(got[i].y, c.expected[i].y) << "point " << i;
        }
    }
    GpPoint one { 1, 1 };
    EXPECT_TRUE(CardinalBezierPoints(&one, 1).empty());
    EXPECT_TRUE(CardinalBezierPoints(nullptr, 3).empty());
}

TEST_F(FigureTest, AliasedOnePixelLineInksExactlyItsRow)
{
    for (SmoothingMode mode : { SmoothingModeDefault, SmoothingModeNone, SmoothingModeHighSpeed }) {
        SCOPED_TRACE(mode);
        test::TestDc dc(20, 12);
        auto g = GraphicsOn(dc.dc(), mode);
        auto pen = MakePen(kOpaqueBlack, 1);
        ASSERT_EQ(GdipDrawLineI(g.get(), pen.get(), 3, 5, 15, 5), Ok);
        RECT ink = InkBox(dc);
        EXPECT_EQ(ink.top, 5) << dc.Mask(0);
        EXPECT_EQ(ink.bottom, 6) << dc.Mask(0);
        EXPECT_EQ(ink.left, 3);
        EXPECT_GE(ink.right, 15);
        EXPECT_LE(ink.right, 16);
        // Pure black: aliased drawing has no partial pixels.
        EXPECT_EQ(dc.Count(0) + dc.Count(kWhite), 20 * 12);
    }
}

TEST_F(FigureTest, SmoothingModesComeInTwoKinds)
{
    auto draw = [](SmoothingMode mode) {
        test::TestDc dc(40, 40);
        auto g = GraphicsOn(dc.dc(), mode);
        auto pen = MakePen(kOpaqueBlack, 3);
        EXPECT_EQ(GdipDrawEllipseI(g.get(), pen.get(), 5, 7, 28, 21), Ok);
        return dc.Pixels();
    };
    auto aliased = draw(SmoothingModeDefault);
    auto smooth = draw(SmoothingModeAntiAlias);
    EXPECT_EQ(draw(SmoothingModeNone), aliased);
    EXPECT_EQ(draw(SmoothingModeHighSpeed), aliased);
    EXPECT_EQ(draw(SmoothingModeHighQuality), smooth);
    EXPECT_NE(aliased, smooth);
    auto grey = [](std::uint32_t p) { return p != 0 && p != gdi::kWhitePixel; };
    EXPECT_EQ(std::count_if(aliased.begin(), aliased.end(), grey), 0);
    EXPECT_GT(std::count_if(smooth.begin(), smooth.end(), grey), 20);
}

TEST_F(FigureTest, WideLinePaintsItsHalfPixelBox)
{
    // The program's 20-pixel marker: it must paint x 140..210, y 75..95.
    test::TestDc dc(260, 130);
    auto g = GraphicsOn(dc.dc(), SmoothingModeHighQuality);
    auto pen = MakePen(0xFF0000FF, 20);
    ASSERT_EQ(GdipDrawLineI(g.get(), pen.get(), 140, 85, 210, 85), Ok);
    RECT ink = InkBox(dc);
    EXPECT_EQ(Describe(ink), Describe(RECT { 140, 75, 211, 96 }));
    // Inside the edges the blue is solid.
    EXPECT_EQ(dc.At(141, 76), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(209, 94), RGB(0, 0, 255));
}

TEST_F(FigureTest, CapsHaveTheirShapesAtWidthTen)
{
    // A line from (20, 30) to (60, 30) with each end cap: how far ink goes
    // past x = 60, and which rows are inked 4 before the end (x = 56) and
    // 17 before it (x = 43). The body covers rows 25 .. 34.
    struct Case {
        GpLineCap cap;
        int beyond; // rightmost inked column minus 60, give or take one
        InkRun at56, at43;
    };
    const InkRun body { 25, 35 };
    const Case cases[] = {
        { LineCapFlat, -1, body, body },
        { LineCapNoAnchor, -1, body, body },
        { LineCapRound, 4, body, body }, // radius w/2
        { LineCapSquare, 4, body, body },
        { LineCapTriangle, 4, body, body },
        { LineCapRoundAnchor, 9, { 21, 40 }, body }, // a disc of radius w
        { LineCapSquareAnchor, 9, { 20, 40 }, body }, // a square of side 2w
        { LineCapDiamondAnchor, 9, { 24, 37 }, body },
        // Equilateral, side 2w, tip on the end: 4.6 wide at x = 56, where a
        // body reaching the end would show all ten rows; 19.6 wide at x = 43.
        { LineCapArrowAnchor, -1, { 28, 33 }, { 21, 40 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cap);
        test::TestDc dc(100, 60);
        auto g = GraphicsOn(dc.dc());
        auto pen = MakePen(kOpaqueBlack, 10, LineCapFlat, c.cap);
        ASSERT_EQ(GdipDrawLineI(g.get(), pen.get(), 20, 30, 60, 30), Ok);
        EXPECT_LE(std::abs(InkBox(dc).right - 1 - 60 - c.beyond), 1) << dc.Mask(0);
        ExpectNear(InkInColumn(dc, 56), c.at56);
        ExpectNear(InkInColumn(dc, 43), c.at43);
        EXPECT_EQ(InkInColumn(dc, 30), body);
    }
}

TEST_F(FigureTest, DashesAreWidthMultiplesWithFlatEnds)
{
    // Width 5 with 5, 2, 5, 2: 25 on, 10 off, from the line's start.
    for (GpLineCap cap : { LineCapFlat, LineCapRound }) {
        SCOPED_TRACE(cap);
        test::TestDc dc(220, 20);
        auto g = GraphicsOn(dc.dc());
        auto pen = MakePen(kOpaqueBlack, 5, cap, cap);
        const REAL dashes[] = { 5, 2, 5, 2 };
        ASSERT_EQ(GdipSetPenDashArray(pen.get(), dashes, 4), Ok);
        // 10 .. 190 is 180 long: five whole periods of 35, then a dash cut
        // short at 5.
        ASSERT_EQ(GdipDrawLineI(g.get(), pen.get(), 10, 10, 190, 10), Ok);
        // The round caps reach 2.5 past the figure's start (columns 8, 9) and
        // past its end, which lies in a dash (columns 190 .. 192); the
        // dashes' own ends stay flat.
        const bool round = cap == LineCapRound;
        EXPECT_EQ(RunsInRow(dc, 10, round ? 8 : 10),
            round ? (std::vector<int> { 27, 10, 25, 10, 25, 10, 25, 10, 25, 10, 8, 27 })
                  : (std::vector<int> { 25, 10, 25, 10, 25, 10, 25, 10, 25, 10, 5, 30 }))
            << dc.Mask(0);
        for (int x : { 34, 45, 69, 80 })
            EXPECT_EQ(InkInColumn(dc, x), (InkRun { 8, 13 })) << "column " << x;
        for (int x : { 35, 44, 70, 79 })
            EXPECT_EQ(InkInColumn(dc, x), (InkRun { 0, 0 })) << "column " << x;
    }
}

TEST_F(FigureTest, AnchorCapsStaySolidOnADashedPen)
{
    test::TestDc dc(120, 40);
    auto g = GraphicsOn(dc.dc());
    auto pen = MakePen(kOpaqueBlack, 4, LineCapRoundAnchor, LineCapRoundAnchor);
    const REAL dashes[] = { 1, 3 };
    ASSERT_EQ(GdipSetPenDashArray(pen.get(), dashes, 2), Ok);
    // 20 .. 94 is 74 long: the end falls in a gap (64 .. 76), yet the end
    // anchor is a whole disc of radius 4.
    ASSERT_EQ(GdipDrawLineI(g.get(), pen.get(), 20, 20, 94, 20), Ok);
    ExpectNear(InkInColumn(dc, 94), { 16, 25 });
    ExpectNear(InkInColumn(dc, 20), { 16, 25 });
    // In a gap away from the caps there is nothing.
    EXPECT_EQ(InkInColumn(dc, 40), (InkRun { 0, 0 }));
}

TEST_F(FigureTest, TranslucentStrokeBlendsSourceOver)
{
    // Alpha 127 red over white: red 255, green and blue 255 * 128 / 255.
    struct Case {
        const char* name;
        GpLineCap start, end;
    };
    const Case cases[] = {
        { "plain", LineCapFlat, LineCapFlat },
        { "round caps", LineCapRound, LineCapRound },
        { "drawn through a mask", LineCapRoundAnchor, LineCapArrowAnchor },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestDc dc(80, 40);
        auto g = GraphicsOn(dc.dc(), SmoothingModeAntiAlias);
        auto pen = MakePen(0x7FFF0000, 12, c.start, c.end, LineJoinRound);
        ASSERT_EQ(GdipDrawLineI(g.get(), pen.get(), 15, 20, 65, 20), Ok);
        COLORREF mid = dc.At(40, 20);
        EXPECT_EQ(GetRValue(mid), 255);
        EXPECT_LE(std::abs(GetGValue(mid) - 128), 1) << std::hex << mid;
        EXPECT_LE(std::abs(GetBValue(mid) - 128), 1) << std::hex << mid;
    }
}

TEST_F(FigureTest, SelfCrossingTranslucentCurveIsUniform)
{
    // A loop that crosses itself at about (40, 40), drawn once.
    const GpPoint loop[] = { { 10, 10 }, { 40, 40 }, { 70, 70 }, { 70, 10 }, { 40, 40 }, { 10, 70 } };
    struct Case {
        const char* name;
        GpLineCap start, end;
    };
    const Case cases[] = {
        { "round caps and joins", LineCapRound, LineCapRound },
        { "anchors", LineCapRoundAnchor, LineCapArrowAnchor },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestDc dc(90, 90);
        auto g = GraphicsOn(dc.dc(), SmoothingModeAntiAlias);
        auto pen = MakePen(0x7F0000FF, 9, c.start, c.end, LineJoinRound);
        ASSERT_EQ(GdipDrawCurveI(g.get(), pen.get(), loop, 6), Ok);
        COLORREF crossing = dc.At(40, 40);
        EXPECT_NE(crossing, kWhite);
        EXPECT_EQ(crossing, dc.At(25, 25)) << "crossing vs. a single pass";
        EXPECT_EQ(crossing, dc.At(55, 55));
    }
}

TEST_F(FigureTest, FreehandStrokeWithRepeatedPointsDraws)
{
    // A freehand stroke repeats points where the hand rested.
    std::vector<GpPoint> pts;
    for (int i = 0; i < 40; ++i) {
        pts.push_back(GpPoint { 5 + i * 2, 30 });
        pts.push_back(GpPoint { 5 + i * 2, 30 });
    }
    test::TestDc dc(100, 60);
    auto g = GraphicsOn(dc.dc(), SmoothingModeAntiAlias);
    auto pen = MakePen(0xFE000000, 6, LineCapRound, LineCapRound, LineJoinRound);
    ASSERT_EQ(GdipDrawCurveI(g.get(), pen.get(), pts.data(), static_cast<INT>(pts.size())), Ok);
    RECT ink = InkBox(dc);
    EXPECT_EQ(Describe(ink), Describe(RECT { 2, 27, 87, 34 }));
    EXPECT_EQ(InkInColumn(dc, 40), (InkRun { 27, 34 }));
}

TEST_F(FigureTest, CurveWithARepeatedPointDrawsAsWithItOnce)
{
    // A stroke that ends where the pointer stopped gets its last point twice.
    // A repeated point is a segment of no length: it must not swing out
    // along the neighbours' chord and back. At either end the curve draws
    // exactly as with the point given once; inside, the curve meets the
    // repeated point without a bulge beyond it.
    const GpPoint straight[] = { { 50, 40 }, { 150, 40 }, { 450, 40 } };
    const GpPoint corner[] = { { 100, 200 }, { 300, 200 }, { 300, 60 } };
    struct Case {
        const char* name;
        std::vector<GpPoint> once, repeated;
        REAL width;
        GpLineCap cap;
    };
    const Case cases[] = {
        { "a long last step, hairline", { straight, straight + 3 },
            { straight[0], straight[1], straight[2], straight[2] }, 1, LineCapFlat },
        { "a long last step, round caps", { straight, straight + 3 },
            { straight[0], straight[1], straight[2], straight[2] }, 5, LineCapRound },
        { "a corner as the last point", { corner, corner + 3 }, { corner[0], corner[1], corner[2], corner[2] }, 3,
            LineCapRound },
        { "the first point twice", { corner, corner + 3 }, { corner[0], corner[0], corner[1], corner[2] }, 3,
            LineCapFlat },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestDc once(500, 260), repeated(500, 260);
        for (auto [dc, pts] : { std::pair { &once, &c.once }, std::pair { &repeated, &c.repeated } }) {
            auto g = GraphicsOn(dc->dc(), SmoothingModeHighQuality);
            auto pen = MakePen(kOpaqueBlack, c.width, c.cap, c.cap, LineJoinRound);
            ASSERT_EQ(GdipDrawCurveI(g.get(), pen.get(), pts->data(), static_cast<INT>(pts->size())), Ok);
        }
        EXPECT_EQ(repeated.CountChanged(once.Pixels()), 0) << "pixels unlike the point given once";
        // The ink ends within half the width (and a pixel of smoothing) of
        // the last point.
        const GpPoint last = c.repeated.back();
        const RECT ink = InkBox(repeated);
        const int reach = static_cast<int>(c.width / 2) + 1;
        if (last.Y == c.repeated.front().Y)
            EXPECT_LE(ink.right - 1, last.X + reach) << Describe(ink);
        else
            EXPECT_GE(ink.top, last.Y - reach) << Describe(ink);
    }

    // Inside a stroke: a corner point given twice is met along the chords to
    // it, so nothing bulges past the corner.
    const GpPoint inner[] = { corner[0], corner[1], corner[1], corner[2] };
    test::TestDc dc(500, 260);
    auto g = GraphicsOn(dc.dc(), SmoothingModeHighQuality);
    auto pen = MakePen(kOpaqueBlack, 1);
    ASSERT_EQ(GdipDrawCurveI(g.get(), pen.get(), inner, 4), Ok);
    EXPECT_EQ(Describe(InkBox(dc)), Describe(RECT { 100, 60, 301, 201 }));
}

TEST_F(FigureTest, FillRectangleCoversExactlyItsPixels)
{
    struct Case {
        int x, y, w, h;
    };
    for (const Case& c : { Case { 2, 3, 5, 4 }, Case { 0, 0, 1, 1 }, Case { 10, 1, 6, 9 }, Case { -3, -2, 6, 5 } }) {
        test::TestDc dc(20, 12);
        auto g = GraphicsOn(dc.dc());
        auto brush = MakeBrush(0xFF00FF00);
        ASSERT_EQ(GdipFillRectangleI(g.get(), brush.get(), c.x, c.y, c.w, c.h), Ok);
        RECT expected { std::max(c.x, 0), std::max(c.y, 0), c.x + c.w, c.y + c.h };
        EXPECT_EQ(Describe(InkBox(dc)), Describe(expected));
        EXPECT_EQ(dc.Count(RGB(0, 255, 0)), (expected.right - expected.left) * (expected.bottom - expected.top));
    }
}

TEST_F(FigureTest, EmptyBoxesDrawNothing)
{
    test::TestDc dc(30, 30);
    auto g = GraphicsOn(dc.dc(), SmoothingModeAntiAlias);
    auto pen = MakePen(kOpaqueBlack, 3, LineCapRoundAnchor, LineCapRoundAnchor);
    auto brush = MakeBrush(kOpaqueBlack);
    const int sizes[][2] = { { 0, 10 }, { 10, 0 }, { -5, 10 }, { 10, -5 }, { 0, 0 } };
    for (const auto& s : sizes) {
        SCOPED_TRACE(::testing::Message() << s[0] << "x" << s[1]);
        EXPECT_EQ(GdipDrawRectangleI(g.get(), pen.get(), 10, 10, s[0], s[1]), Ok);
        EXPECT_EQ(GdipFillRectangleI(g.get(), brush.get(), 10, 10, s[0], s[1]), Ok);
        EXPECT_EQ(GdipDrawEllipseI(g.get(), pen.get(), 10, 10, s[0], s[1]), Ok);
        EXPECT_EQ(GdipFillEllipseI(g.get(), brush.get(), 10, 10, s[0], s[1]), Ok);
        EXPECT_EQ(GdipDrawArcI(g.get(), pen.get(), 10, 10, s[0], s[1], 0, 90), Ok);
    }
    EXPECT_EQ(GdipDrawArcI(g.get(), pen.get(), 10, 10, 10, 10, 45, 0), Ok);
    EXPECT_EQ(dc.Count(kWhite), 30 * 30);
}

TEST_F(FigureTest, RectangleOutlineIsClosedWithSquareCorners)
{
    // Width 4 around (5, 5, 20, 10): the outer edge at 3 .. 27 and 3 .. 17,
    // the inner at 7 .. 23 and 7 .. 13; miter joins fill the corners.
    test::TestDc dc(32, 22);
    auto g = GraphicsOn(dc.dc());
    auto pen = MakePen(kOpaqueBlack, 4);
    ASSERT_EQ(GdipDrawRectangleI(g.get(), pen.get(), 5, 5, 20, 10), Ok);
    EXPECT_EQ(Describe(InkBox(dc)), Describe(RECT { 3, 3, 27, 17 })) << dc.Mask(0);
    EXPECT_EQ(dc.At(3, 3), RGB(0, 0, 0));
    EXPECT_EQ(dc.At(26, 16), RGB(0, 0, 0));
    EXPECT_EQ(dc.Count(0), 24 * 14 - 16 * 6) << dc.Mask(0);
}

TEST_F(FigureTest, FillEllipseStaysInItsBox)
{
    test::TestDc dc(40, 30);
    auto g = GraphicsOn(dc.dc());
    auto brush = MakeBrush(kOpaqueBlack);
    ASSERT_EQ(GdipFillEllipseI(g.get(), brush.get(), 6, 4, 24, 16), Ok);
    RECT ink = InkBox(dc);
    EXPECT_EQ(Describe(ink), Describe(RECT { 6, 4, 30, 20 })) << dc.Mask(0);
    // Symmetric about the box's centre (18, 12). The ellipse passes exactly
    // through the centres of the pixels at the ends of its axes, which the
    // fill rule takes on one side only; the rest must mirror.
    for (int y = 5; y < 20; ++y)
        for (int x = 7; x < 30; ++x)
            ASSERT_EQ(dc.At(x, y), dc.At(36 - x, 24 - y)) << x << "," << y << "\n" << dc.Mask(0);
    EXPECT_EQ(dc.At(6, 4), kWhite);
    EXPECT_EQ(dc.At(18, 12), RGB(0, 0, 0));
}

TEST_F(FigureTest, ArcAnglesAreRayDirectionsClockwiseOnScreen)
{
    // The ellipse in (0, 20, 100, 40): centre (50, 40), radii 50 and 20. A
    // round anchor at the arc's end marks where it ends.
    struct Case {
        REAL start, sweep;
        double endX, endY; // where the ray at start + sweep meets the ellipse
    };
    const Case cases[] = {
        { 0, 90, 50, 60 }, // clockwise: down
        { 0, -90, 50, 20 }, // anticlockwise: up
        { 0, 45, 50 + 18.57, 40 + 18.57 }, // the ray y = x, not the parametric 45 degrees
        { 180, 90, 50, 20 }, { 0, 360, 100, 40 }, // a whole turn ends where it started
        { 90, 720, 50, 60 }, // more than a turn is one turn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " + " << c.sweep);
        test::TestDc dc(130, 80);
        auto g = GraphicsOn(dc.dc());
        auto wide = MakePen(kOpaqueBlack, 4, LineCapFlat, LineCapRoundAnchor);
        ASSERT_EQ(GdipDrawArcI(g.get(), wide.get(), 0, 20, 100, 40, c.start, c.sweep), Ok);
        // The end disc (radius 4) is the only ink reaching 3 from the end
        // point on all four sides: the stroke is 2 either side of the arc.
        auto disc = [&](int x, int y) {
            return dc.At(x + 3, y) != kWhite && dc.At(x - 3, y) != kWhite && dc.At(x, y + 3) != kWhite
                && dc.At(x, y - 3) != kWhite;
        };
        int ex = static_cast<int>(std::lround(c.endX)), ey = static_cast<int>(std::lround(c.endY));
        EXPECT_TRUE(disc(ex, ey) || disc(ex - 1, ey) || disc(ex, ey - 1) || disc(ex - 1, ey - 1)) << dc.Mask(0);
    }
}

TEST_F(FigureTest, FullArcIsOpenWithItsCapsAtTheRightmostPoint)
{
    test::TestDc dc(80, 60);
    auto g = GraphicsOn(dc.dc());
    auto pen = MakePen(kOpaqueBlack, 3, LineCapRoundAnchor, LineCapRoundAnchor);
    ASSERT_EQ(GdipDrawArcI(g.get(), pen.get(), 10, 10, 50, 40, 0, 360), Ok);
    // A disc of radius 3 around (60, 30) reaches 63; the ellipse elsewhere
    // only reaches its half-width past its box.
    RECT ink = InkBox(dc);
    EXPECT_LE(std::abs(ink.right - 64), 1) << dc.Mask(0);
    EXPECT_LE(std::abs(ink.left - 9), 1) << Describe(ink);
    ExpectNear(InkInColumn(dc, 62), { 28, 33 });
}

} // namespace
