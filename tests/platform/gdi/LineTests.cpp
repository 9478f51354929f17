// One-pixel and wide lines: which pixels LineTo and Polyline cover, where
// the current position goes, and that clipping and the window origin only
// cut or move a line, never change it.

#include "FigureTestUtil.h"

#include "platform/gdi/GdiObjects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);

void Line(HDC dc, int x0, int y0, int x1, int y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

TEST(LineTo, ShallowLineExactPixels)
{
    test::TestDc t(8, 4);
    Line(t.dc(), 0, 0, 6, 2);
    EXPECT_EQ(t.Mask(kInk),
        "##......\n"
        "..###...\n"
        ".....#..\n"
        "........\n");
}

TEST(LineTo, SteepAndShallowLinesInEveryOctant)
{
    // For each line: one pixel per step along the major axis, the start
    // inked, the end left out, every pixel within half a pixel of the ideal
    // line, and the current position moved to the end.
    const int ends[][2] = { { 9, 0 }, { 9, 1 }, { 9, 4 }, { 9, 5 }, { 9, 9 }, { 5, 9 }, { 4, 9 }, { 1, 9 }, { 0, 9 },
        { 7, 3 }, { 3, 7 }, { 1, 1 }, { 2, 1 }, { 1, 0 } };
    for (const auto& e : ends) {
        for (int sx : { 1, -1 }) {
            for (int sy : { 1, -1 }) {
                int dx = e[0] * sx, dy = e[1] * sy;
                SCOPED_TRACE(testing::Message() << "to " << dx << "," << dy);
                test::TestDc t(21, 21);
                Line(t.dc(), 10, 10, 10 + dx, 10 + dy);
                figtest::PixelSet ink = figtest::Inked(t, kInk);
                int steps = std::max(std::abs(dx), std::abs(dy));
                EXPECT_EQ(static_cast<int>(ink.size()), steps);
                EXPECT_TRUE(ink.count({ 10, 10 }));
                EXPECT_FALSE(ink.count({ 10 + dx, 10 + dy }));
                bool xMajor = std::abs(dx) >= std::abs(dy);
                std::set<int> majors;
                for (auto [x, y] : ink) {
                    majors.insert(xMajor ? x : y);
                    // Distance along the minor axis from the ideal line.
                    double off = xMajor ? (y - 10) - double(dy) * (x - 10) / dx : (x - 10) - double(dx) * (y - 10) / dy;
                    EXPECT_LE(std::abs(off), 0.5) << "pixel " << x << "," << y;
                }
                EXPECT_EQ(static_cast<int>(majors.size()), steps);
                POINT cp {};
                GetCurrentPositionEx(t.dc(), &cp);
                EXPECT_EQ(cp, (POINT { 10 + dx, 10 + dy }));
            }
        }
    }
}

TEST(LineTo, ClipOnlyCutsAway)
{
    // Lines clipped to a region cover exactly the unclipped pixels inside
    // it, including lines from far off the surface, whose first visible
    // pixel is found without walking to it.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> near(-10, 50), far(-5000, 5000);
    for (int i = 0; i < 200; ++i) {
        bool wide = i % 2 == 1;
        int x0 = i % 3 == 0 ? far(rng) : near(rng), y0 = near(rng), x1 = near(rng),
            y1 = i % 5 == 0 ? far(rng) : near(rng);
        SCOPED_TRACE(testing::Message() << x0 << "," << y0 << " -> " << x1 << "," << y1 << (wide ? " wide" : ""));
        test::TestDc whole(40, 40), clipped(40, 40);
        figtest::Tools a(whole.dc(), PS_SOLID, wide ? 4 : 1, kInk), b(clipped.dc(), PS_SOLID, wide ? 4 : 1, kInk);
        HRGN clip = CreateRectRgn(6, 3, 31, 29);
        HRGN hole = CreateRectRgn(12, 10, 20, 18);
        CombineRgn(clip, clip, hole, RGN_DIFF);
        SelectClipRgn(clipped.dc(), clip);
        Line(whole.dc(), x0, y0, x1, y1);
        Line(clipped.dc(), x0, y0, x1, y1);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(clipped.At(x, y), PtInRegion(clip, x, y) ? whole.At(x, y) : RGB(255, 255, 255))
                    << x << "," << y;
        DeleteObject(clip);
        DeleteObject(hole);
    }
}

TEST(LineTo, WideLineIsACapsuleWithBothEnds)
{
    // A pixel is inked exactly when its centre lies within w/2 of the
    // segment, checked here pixel by pixel against the distance itself.
    struct Case {
        int x0, y0, x1, y1, w;
    };
    const Case cases[] = { { 10, 12, 30, 12, 5 }, { 10, 12, 30, 12, 7 }, { 8, 20, 34, 6, 3 }, { 20, 4, 22, 26, 4 },
        { 6, 6, 7, 6, 9 }, { 12, 9, 29, 24, 30 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1 << " w" << c.w);
        test::TestDc t(40, 32);
        figtest::Tools tools(t.dc(), PS_SOLID, c.w, kInk);
        Line(t.dc(), c.x0, c.y0, c.x1, c.y1);
        double dx = c.x1 - c.x0, dy = c.y1 - c.y0, len2 = dx * dx + dy * dy;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 40; ++x) {
                double u = len2 > 0 ? std::clamp(((x - c.x0) * dx + (y - c.y0) * dy) / len2, 0.0, 1.0) : 0.0;
                double ex = x - (c.x0 + u * dx), ey = y - (c.y0 + u * dy);
                double d2 = ex * ex + ey * ey;
                // Keep clear of pixels whose centre sits on the boundary.
                if (std::abs(4 * d2 - c.w * c.w) < 1e-6)
                    continue;
                ASSERT_EQ(t.At(x, y) == kInk, 4 * d2 < c.w * c.w) << x << "," << y;
            }
        }
    }
}

TEST(LineTo, WideLineHasRoundEnds)
{
    test::TestDc t(40, 24);
    figtest::Tools tools(t.dc(), PS_SOLID, 7, kInk);
    Line(t.dc(), 10, 12, 30, 12);
    EXPECT_EQ(t.At(33, 12), kInk) << "beyond the end, within w/2";
    EXPECT_EQ(t.At(7, 12), kInk);
    EXPECT_EQ(t.At(32, 14), kInk);
    EXPECT_NE(t.At(33, 15), kInk) << "a square cap's corner";
    EXPECT_NE(t.At(7, 9), kInk);
    EXPECT_NE(t.At(34, 12), kInk);
}

TEST(Polyline, IsTheUnionOfItsSegments)
{
    // One-pixel segments each leave out their end (so the last point is not
    // drawn); wide segments are capsules. Either way the polyline covers the
    // union of what its segments cover on their own.
    const POINT p[] = { { 3, 4 }, { 30, 20 }, { 8, 26 }, { 33, 3 }, { 33, 3 }, { 18, 28 } };
    for (int width : { 1, 5 }) {
        SCOPED_TRACE(width);
        test::TestDc poly(40, 32), parts(40, 32);
        figtest::Tools a(poly.dc(), PS_SOLID, width, kInk), b(parts.dc(), PS_SOLID, width, kInk);
        EXPECT_TRUE(Polyline(poly.dc(), p, 6));
        for (int i = 0; i + 1 < 6; ++i)
            Line(parts.dc(), p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
        EXPECT_EQ(poly.Mask(kInk), parts.Mask(kInk));
        POINT cp {};
        GetCurrentPositionEx(poly.dc(), &cp);
        EXPECT_EQ(cp, (POINT { 0, 0 })) << "Polyline leaves the current position alone";
    }
    test::TestDc t(4, 4);
    EXPECT_FALSE(Polyline(t.dc(), p, 1));
    EXPECT_FALSE(Polyline(t.dc(), nullptr, 2));
}

TEST(LineTo, PenColourModeAndTarget)
{
    test::TestDc t(8, 2, RGB(10, 20, 30));
    figtest::Tools tools(t.dc(), PS_SOLID, 1, RGB(200, 100, 50));
    Line(t.dc(), 0, 0, 8, 0);
    EXPECT_EQ(t.At(3, 0), RGB(200, 100, 50)) << "R2_COPYPEN draws the pen colour";
    SetROP2(t.dc(), R2_NOTXORPEN);
    Line(t.dc(), 0, 1, 8, 1);
    EXPECT_EQ(t.At(3, 1), ~(RGB(200, 100, 50) ^ RGB(10, 20, 30)) & 0xFFFFFF) << "not (pen xor screen)";

    // A monochrome bitmap holds the nearer of black and white.
    HDC mono = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(mono, 8, 2);
    HGDIOBJ oldBmp = SelectObject(mono, bmp);
    {
        figtest::Tools light(mono, PS_SOLID, 1, RGB(200, 200, 190));
        Line(mono, 0, 1, 8, 1);
    }
    EXPECT_EQ(static_cast<gdi::Bitmap*>(bmp)->surface->At(4, 1), gdi::kWhitePixel);
    SelectObject(mono, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mono);
}

TEST(LineTo, NullPenMovesWithoutDrawingAndOriginShifts)
{
    test::TestDc t(12, 12);
    SelectObject(t.dc(), GetStockObject(NULL_PEN));
    Line(t.dc(), 1, 1, 9, 9);
    EXPECT_EQ(t.Count(kInk), 0);
    POINT cp {};
    GetCurrentPositionEx(t.dc(), &cp);
    EXPECT_EQ(cp, (POINT { 9, 9 }));
    SelectObject(t.dc(), GetStockObject(BLACK_PEN));
    SetWindowOrgEx(t.dc(), 3, -2, nullptr);
    Line(t.dc(), 4, 0, 4, 5);
    EXPECT_EQ(figtest::Inked(t, kInk), (figtest::PixelSet { { 1, 2 }, { 1, 3 }, { 1, 4 }, { 1, 5 }, { 1, 6 } }));
    EXPECT_FALSE(LineTo(t.dc(), 1 << 30, 0)) << "beyond the coordinate range";
}

} // namespace

TEST(LineTo, ALineOfNoLengthDrawsNothingAtAnyWidth)
{
    for (int width : { 1, 3, 30 }) {
        test::TestDc t(40, 40);
        t.FillNoise(5);
        auto before = t.Pixels();
        HPEN pen = CreatePen(PS_SOLID, width, RGB(0, 0, 0));
        HGDIOBJ old = SelectObject(t.dc(), pen);
        MoveToEx(t.dc(), 20, 20, nullptr);
        EXPECT_TRUE(LineTo(t.dc(), 20, 20));
        EXPECT_EQ(t.CountChanged(before), 0) << "width " << width;
        SelectObject(t.dc(), old);
        DeleteObject(pen);
    }
}
