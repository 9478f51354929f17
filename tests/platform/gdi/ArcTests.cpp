// Arc: the outline of the ellipse inscribed in a box with right and bottom
// exclusive, counter-clockwise between two radials.

#include "FigureTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);

// The distance from (x, y) to the ellipse with centre (cx, cy) and
// semi-axes a and r: a coarse search over the parameter, then a fine one
// around the best sample.
double DistanceToEllipse(double cx, double cy, double a, double r, double x, double y)
{
    auto at = [&](double t) { return std::hypot(x - (cx + a * std::cos(t)), y - (cy + r * std::sin(t))); };
    const double step = 2 * std::numbers::pi / 720;
    double bestT = 0, best = at(0);
    for (int k = 1; k < 720; ++k)
        if (at(k * step) < best)
            best = at(bestT = k * step);
    for (int k = -100; k <= 100; ++k)
        best = std::min(best, at(bestT + step * k / 100));
    return best;
}

figtest::PixelSet DrawArc(int w, int h, RECT box, POINT s, POINT e, int width = 1)
{
    test::TestDc t(w, h);
    figtest::Tools tools(t.dc(), PS_SOLID, width, kInk);
    EXPECT_TRUE(Arc(t.dc(), box.left, box.top, box.right, box.bottom, s.x, s.y, e.x, e.y));
    return figtest::Inked(t, kInk);
}

TEST(Arc, WholeEllipseFillsItsBoxExactly)
{
    // Equal radial points draw the whole ellipse: inside the box with right
    // and bottom exclusive, touching all four sides, symmetric about both
    // axes and connected. Reversed corners name the same box.
    const RECT boxes[] = { { 2, 2, 30, 20 }, { 3, 3, 28, 28 }, { 1, 4, 32, 13 }, { 5, 5, 6, 20 }, { 5, 5, 7, 20 },
        { 4, 4, 31, 6 }, { 4, 4, 31, 5 }, { 10, 10, 11, 11 }, { 0, 0, 34, 24 }, { 30, 20, 2, 2 } };
    for (RECT b : boxes) {
        SCOPED_TRACE(testing::Message() << b.left << "," << b.top << "," << b.right << "," << b.bottom);
        figtest::PixelSet ink = DrawArc(34, 30, b, { 0, 0 }, { 0, 0 });
        RECT n { std::min(b.left, b.right), std::min(b.top, b.bottom), std::max(b.left, b.right),
            std::max(b.top, b.bottom) };
        EXPECT_EQ(figtest::BoxOf(ink), n);
        EXPECT_TRUE(figtest::Connected(ink));
        for (auto [x, y] : ink) {
            EXPECT_TRUE(ink.count({ n.left + n.right - 1 - x, y })) << "mirror of " << x << "," << y;
            EXPECT_TRUE(ink.count({ x, n.top + n.bottom - 1 - y })) << "mirror of " << x << "," << y;
        }
    }
}

TEST(Arc, OutlineIsThinAndFollowsTheCurve)
{
    // Every pixel is the nearest one to the curve along a row or a column,
    // so within half a pixel of it, and no 2x2 block is fully inked.
    const RECT b { 3, 2, 61, 40 };
    figtest::PixelSet ink = DrawArc(64, 42, b, { 1, 1 }, { 1, 1 });
    for (auto [x, y] : ink) {
        EXPECT_LE(DistanceToEllipse(31.5, 20.5, 28.5, 18.5, x, y), 0.5 + 1e-9) << x << "," << y;
        EXPECT_FALSE(ink.count({ x + 1, y }) && ink.count({ x, y + 1 }) && ink.count({ x + 1, y + 1 }));
    }
}

TEST(Arc, SweepsCounterClockwiseBetweenRadials)
{
    // The four quarter arcs from one axis end to the next cover the whole
    // ellipse, each in its own quadrant; a quarter and the three quarters
    // that run the other way round also make up the whole.
    const RECT b { 2, 2, 31, 23 };
    const POINT right { 40, 12 }, top { 16, -5 }, left { -3, 12 }, bottom { 16, 30 };
    figtest::PixelSet whole = DrawArc(34, 26, b, right, right);
    const POINT ends[] = { right, top, left, bottom, right };
    figtest::PixelSet quarters;
    for (int q = 0; q < 4; ++q) {
        figtest::PixelSet part = DrawArc(34, 26, b, ends[q], ends[q + 1]);
        EXPECT_LT(part.size(), whole.size() / 3);
        for (auto [x, y] : part) {
            EXPECT_EQ(x >= 16, q == 0 || q == 3 || x == 16) << "quarter " << q << " at " << x << "," << y;
            EXPECT_EQ(y <= 12, q <= 1 || y == 12) << "quarter " << q << " at " << x << "," << y;
        }
        quarters.insert(part.begin(), part.end());
    }
    EXPECT_EQ(quarters, whole);
    figtest::PixelSet rest = DrawArc(34, 26, b, top, right);
    figtest::PixelSet first = DrawArc(34, 26, b, right, top);
    rest.insert(first.begin(), first.end());
    EXPECT_EQ(rest, whole);
}

TEST(Arc, WideArcCoversTheThinOneAndStaysNearTheCurve)
{
    const RECT b { 6, 5, 58, 39 };
    figtest::PixelSet thin = DrawArc(64, 44, b, { 0, 0 }, { 0, 0 });
    for (int width : { 3, 6 }) {
        SCOPED_TRACE(width);
        figtest::PixelSet wide = DrawArc(64, 44, b, { 0, 0 }, { 0, 0 }, width);
        for (auto p : thin)
            EXPECT_TRUE(wide.count(p)) << p.first << "," << p.second;
        // At most half the width from the curve, plus the flattening
        // tolerance.
        for (auto [x, y] : wide)
            EXPECT_LE(DistanceToEllipse(31.5, 21.5, 25.5, 16.5, x, y), width / 2.0 + 0.25) << x << "," << y;
    }
}

TEST(Arc, DegenerateBoxesAndPositions)
{
    test::TestDc t(16, 16);
    POINT cp { 0, 0 };
    MoveToEx(t.dc(), 3, 4, nullptr);
    EXPECT_TRUE(Arc(t.dc(), 5, 5, 5, 12, 0, 0, 0, 0)) << "no width";
    EXPECT_TRUE(Arc(t.dc(), 5, 9, 12, 9, 0, 0, 0, 0)) << "no height";
    EXPECT_EQ(t.Count(kInk), 0);
    EXPECT_TRUE(Arc(t.dc(), 5, 9, 6, 10, 8, 8, 8, 8));
    EXPECT_EQ(figtest::Inked(t, kInk), (figtest::PixelSet { { 5, 9 } })) << "one pixel";
    GetCurrentPositionEx(t.dc(), &cp);
    EXPECT_EQ(cp, (POINT { 3, 4 })) << "Arc leaves the current position alone";
    EXPECT_FALSE(Arc(nullptr, 0, 0, 4, 4, 0, 0, 0, 0));
    EXPECT_FALSE(Arc(t.dc(), 0, 0, 4, 4, 1 << 30, 0, 0, 0));
}

} // namespace
