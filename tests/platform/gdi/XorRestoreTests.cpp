// Every figure drawn twice in R2_NOTXORPEN must give back the surface it
// started from, pixel for pixel, whatever the pen width, clip and window
// origin: the rubber bands of the drawing tools depend on it. This holds
// only when one call touches each pixel at most once, which the second
// test checks directly.

#include "FigureTestUtil.h"

#include "platform/gdi/Surface.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Figure {
    std::string name;
    std::function<void(HDC)> draw;
};

void Line(HDC dc, int x0, int y0, int x1, int y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

std::vector<Figure> Figures()
{
    std::vector<Figure> f;
    // Eight directions out of the middle, then the other figures.
    const int dirs[8][2] = { { 1, 0 }, { 1, -1 }, { 0, -1 }, { -1, -1 }, { -1, 0 }, { -1, 1 }, { 0, 1 }, { 1, 1 } };
    for (const auto& d : dirs)
        f.push_back({ "line " + std::to_string(d[0]) + "," + std::to_string(d[1]),
            [d](HDC dc) { Line(dc, 32, 30, 32 + 22 * d[0], 30 + 22 * d[1]); } });
    f.push_back({ "shallow line", [](HDC dc) { Line(dc, 3, 40, 60, 27); } });
    f.push_back({ "steep line", [](HDC dc) { Line(dc, 25, 2, 38, 61); } });
    f.push_back(
        { "crossing polyline", [](HDC dc) {
             const POINT p[] = { { 5, 5 }, { 50, 40 }, { 10, 45 }, { 55, 8 }, { 30, 60 }, { 30, 60 }, { 5, 5 } };
             Polyline(dc, p, 7);
         } });
    f.push_back({ "full arc", [](HDC dc) { Arc(dc, 8, 10, 56, 50, 3, 3, 3, 3); } });
    f.push_back({ "partial arc", [](HDC dc) { Arc(dc, 8, 10, 56, 50, 60, 30, 10, 5); } });
    f.push_back({ "ellipse", [](HDC dc) { Ellipse(dc, 6, 8, 50, 44); } });
    f.push_back({ "rectangle", [](HDC dc) { Rectangle(dc, 10, 12, 50, 40); } });
    f.push_back({ "rectangle, corners swapped", [](HDC dc) { Rectangle(dc, 50, 40, 10, 12); } });
    return f;
}

enum class Setting { Plain, Clipped, Shifted };

class XorRestore : public testing::TestWithParam<std::tuple<int, Setting>> { };

TEST_P(XorRestore, EveryFigureDrawnTwiceRestoresTheSurface)
{
    auto [width, setting] = GetParam();
    for (const Figure& figure : Figures()) {
        SCOPED_TRACE(figure.name);
        test::TestDc t(64, 64);
        figtest::Tools tools(t.dc(), PS_SOLID, width, RGB(40, 200, 90), false, RGB(200, 30, 160));
        // A clip that cuts through every figure, in two pieces.
        HRGN clip = CreateRectRgn(0, 0, 40, 64);
        HRGN cut = CreateRectRgn(20, 18, 64, 36);
        CombineRgn(clip, clip, cut, RGN_XOR);
        if (setting == Setting::Clipped)
            SelectClipRgn(t.dc(), clip);
        if (setting == Setting::Shifted)
            SetWindowOrgEx(t.dc(), -7, 5, nullptr);
        SetROP2(t.dc(), R2_NOTXORPEN);
        t.FillNoise(1234);
        const std::vector<std::uint32_t> before = t.Pixels();
        t.surface().TakeDirty();

        figure.draw(t.dc());
        // Neither pen nor brush is white, so every pixel touched changes.
        figtest::PixelSet changed;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (t.surface().At(x, y) != before[static_cast<std::size_t>(y) * 64 + x])
                    changed.insert({ x, y });
        EXPECT_FALSE(changed.empty());
        EXPECT_EQ(t.surface().Dirty(), figtest::BoxOf(changed)) << "the dirty box is what changed";
        if (setting == Setting::Clipped) {
            for (auto [x, y] : changed)
                ASSERT_TRUE(PtInRegion(clip, x, y)) << "painted outside the clip at " << x << "," << y;
        }

        figure.draw(t.dc());
        EXPECT_EQ(t.CountChanged(before), 0);
        DeleteObject(clip);
        DeleteObject(cut);
    }
}

INSTANTIATE_TEST_SUITE_P(WidthsAndSettings, XorRestore,
    testing::Combine(testing::Values(1, 3, 30), testing::Values(Setting::Plain, Setting::Clipped, Setting::Shifted)));

TEST(FigureCoverage, OneCallTouchesEachPixelOnce)
{
    // R2_NOT inverts white to black, and a pixel hit twice would come back
    // white; so inverting must ink exactly what a black pen and brush ink.
    for (int width : { 1, 3, 30 }) {
        for (const Figure& figure : Figures()) {
            SCOPED_TRACE(figure.name + ", width " + std::to_string(width));
            test::TestDc copied(64, 64), inverted(64, 64);
            figtest::Tools a(copied.dc(), PS_SOLID, width, RGB(0, 0, 0), false, RGB(0, 0, 0));
            figtest::Tools b(inverted.dc(), PS_SOLID, width, RGB(0, 0, 0), false, RGB(0, 0, 0));
            SetROP2(inverted.dc(), R2_NOT);
            figure.draw(copied.dc());
            figure.draw(inverted.dc());
            EXPECT_EQ(inverted.Mask(RGB(0, 0, 0)), copied.Mask(RGB(0, 0, 0)));
        }
    }
}

} // namespace
