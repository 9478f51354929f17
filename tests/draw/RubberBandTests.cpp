// The rubber band of every figure: whatever was drawn while the mouse moved
// is gone, pixel for pixel, after the removal step.

#include "draw/DrawObj.h"
#include "draw/DrawSettings.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Figure {
    const char* name;
    int tool;
    std::vector<CPoint> points; // press, moves...
};

// Strokes chosen to cross, retrace and turn back: duplicate points, a
// rectangle dragged up and left, shapes that grow and shrink again.
const std::vector<Figure>& Figures()
{
    static const std::vector<Figure> figures = {
        { "pen", TOOL_PEN, { { 10, 10 }, { 14, 12 }, { 14, 12 }, { 30, 40 }, { 30, 40 }, { 50, 20 }, { 12, 44 } } },
        { "line", TOOL_LINE, { { 20, 20 }, { 60, 30 }, { 40, 55 }, { 5, 50 } } },
        { "rectangle down-right", TOOL_RECTANGLE, { { 10, 12 }, { 30, 30 }, { 50, 45 } } },
        { "rectangle up-left", TOOL_RECTANGLE, { { 55, 50 }, { 30, 30 }, { 8, 6 } } },
        { "filled rectangle", TOOL_RECTFILL, { { 20, 20 }, { 40, 35 } } },
        { "circle", TOOL_CIRCLE, { { 32, 30 }, { 40, 34 }, { 50, 30 }, { 33, 31 } } },
        { "filled circle", TOOL_CIRCLEFILL, { { 32, 30 }, { 45, 44 } } },
        { "ellipse", TOOL_ELLIPSE, { { 10, 15 }, { 40, 30 }, { 55, 50 } } },
        { "ellipse up-left", TOOL_ELLIPSE, { { 50, 50 }, { 20, 40 }, { 5, 8 } } },
    };
    return figures;
}

class RubberBand : public ::testing::TestWithParam<std::tuple<int, int>> { };

TEST_P(RubberBand, RemovalRestoresEveryPixel)
{
    const Figure& fig = Figures()[static_cast<std::size_t>(std::get<0>(GetParam()))];
    int width = std::get<1>(GetParam());
    SCOPED_TRACE(std::string(fig.name) + ", width " + std::to_string(width));

    test::TestDc surface(64, 60);
    surface.FillNoise(7u + static_cast<std::uint32_t>(width));
    auto before = surface.Pixels();
    CDC* dc = CDC::FromHandle(surface.dc());

    auto obj = test::MakeObject(fig.tool, width, RGB(200, 30, 90));
    ASSERT_TRUE(obj);
    test::WithoutFinalRendering(*obj);
    bool showed = false;
    for (const CPoint& p : fig.points) {
        obj->AddPoint(p.x, p.y, dc);
        showed |= surface.CountChanged(before) > 0;
    }
    EXPECT_TRUE(showed) << "the rubber band never showed";
    obj->DrawFinal(dc);
    EXPECT_EQ(surface.CountChanged(before), 0);
    EXPECT_EQ(obj->m_points.size(), fig.points.size()) << "every point is kept";
    CDC::DeleteTempMap();
}

INSTANTIATE_TEST_SUITE_P(EveryFigure, RubberBand,
    ::testing::Combine(::testing::Range(0, 9), ::testing::Values(1, 3, 30)));

TEST(RubberBand, AShapeReleasedWhereItWasPressedLeavesNoBand)
{
    for (int tool :
        { TOOL_LINE, TOOL_RECTANGLE, TOOL_RECTFILL, TOOL_CIRCLE, TOOL_CIRCLEFILL, TOOL_ELLIPSE, TOOL_ELLIPSEFILL }) {
        for (int width : { 1, 3, 30 }) {
            SCOPED_TRACE("tool " + std::to_string(tool) + ", width " + std::to_string(width));
            test::TestDc surface(64, 60);
            surface.FillNoise(11);
            const auto before = surface.Pixels();
            CDC* dc = CDC::FromHandle(surface.dc());
            auto obj = test::MakeObject(tool, width, RGB(200, 30, 90));
            test::WithoutFinalRendering(*obj);
            // The press, and the release at the same point as the board
            // finishes it.
            obj->AddPoint(30, 30, dc);
            EXPECT_EQ(surface.CountChanged(before), 0) << "the press";
            obj->DrawFinal(dc);
            EXPECT_EQ(surface.CountChanged(before), 0) << "the release";
            CDC::DeleteTempMap();
        }
    }
}

// The video view repaints before every zoomed step, so a step only draws;
// drawing the same figure again must take it off again, and it must land
// where the zoom factor puts it.
class ZoomedRubberBand : public ::testing::TestWithParam<std::tuple<int, float>> { };

TEST_P(ZoomedRubberBand, DrawsTheScaledFigureInXor)
{
    const Figure& fig = Figures()[static_cast<std::size_t>(std::get<0>(GetParam()))];
    float zoom = std::get<1>(GetParam());
    SCOPED_TRACE(std::string(fig.name) + ", zoom " + std::to_string(zoom));
    const float savedZoom = g_zoomFactor;
    g_zoomFactor = zoom;

    test::TestDc surface(640, 600);
    surface.FillNoise(99);
    auto before = surface.Pixels();
    test::TestDc scratch(640, 600);
    CDC* dc = CDC::FromHandle(surface.dc());
    CDC* scratchDc = CDC::FromHandle(scratch.dc());

    // Two objects fed the same points; the last step of both lands on the
    // surface, so the second must undo the first.
    auto a = test::MakeObject(fig.tool, 3, RGB(20, 200, 90));
    auto b = test::MakeObject(fig.tool, 3, RGB(20, 200, 90));
    ASSERT_TRUE(a && b);
    for (std::size_t i = 0; i + 1 < fig.points.size(); ++i) {
        a->AddPointZoomed(fig.points[i].x, fig.points[i].y, scratchDc, nullptr, nullptr);
        b->AddPointZoomed(fig.points[i].x, fig.points[i].y, scratchDc, nullptr, nullptr);
    }
    const CPoint& last = fig.points.back();
    a->AddPointZoomed(last.x, last.y, dc, nullptr, nullptr);
    int changed = surface.CountChanged(before);
    EXPECT_GT(changed, 0);

    // Everything drawn lies within the scaled reach of the figure.
    int reach = 2;
    for (const CPoint& p : fig.points)
        reach = std::max({ reach, std::abs(p.x - fig.points[0].x), std::abs(p.y - fig.points[0].y) });
    if (fig.tool == TOOL_CIRCLE || fig.tool == TOOL_CIRCLEFILL)
        reach *= 2;
    int limitX = static_cast<int>((fig.points[0].x + reach + 2) * zoom) + 2;
    int limitY = static_cast<int>((fig.points[0].y + reach + 2) * zoom) + 2;
    auto now = surface.Pixels();
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (now[static_cast<std::size_t>(y * surface.width() + x)]
                != before[static_cast<std::size_t>(y * surface.width() + x)]) {
                ASSERT_TRUE(x <= limitX && y <= limitY) << "pixel " << x << "," << y << " beyond the scaled figure";
            }

    b->AddPointZoomed(last.x, last.y, dc, nullptr, nullptr);
    EXPECT_EQ(surface.CountChanged(before), 0);
    g_zoomFactor = savedZoom;
    CDC::DeleteTempMap();
}

INSTANTIATE_TEST_SUITE_P(EveryFigure, ZoomedRubberBand,
    ::testing::Combine(::testing::Range(0, 9), ::testing::Values(0.5f, 1.5f, 10.0f)));

TEST(ZoomedPoints, ATruncatedScaleDecidesWhereTheBandLands)
{
    // At factor 1.5 the point (3, 3) lands on (4, 4): 4.5 truncated.
    const float savedZoom = g_zoomFactor;
    g_zoomFactor = 1.5f;
    test::TestDc surface(16, 16);
    CDC* dc = CDC::FromHandle(surface.dc());
    auto line = test::MakeObject(TOOL_LINE, 1, RGB(0, 0, 0));
    line->AddPointZoomed(3, 3, dc, nullptr, nullptr);
    line->AddPointZoomed(9, 3, dc, nullptr, nullptr);
    // White XOR-NOT black is black: the band is black from (4, 4) up to,
    // not including, (13, 4).
    EXPECT_EQ(surface.At(4, 4), RGB(0, 0, 0));
    EXPECT_EQ(surface.At(12, 4), RGB(0, 0, 0));
    EXPECT_EQ(surface.At(13, 4), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(3, 4), RGB(255, 255, 255));
    EXPECT_EQ(surface.Count(RGB(0, 0, 0)), 9);
    g_zoomFactor = savedZoom;
    CDC::DeleteTempMap();
}

} // namespace
