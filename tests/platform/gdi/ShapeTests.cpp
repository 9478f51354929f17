// Filled figures and block fills: Rectangle, Ellipse, FillRect, PatBlt and
// DrawFocusRect.

#include "FigureTestUtil.h"

#include "platform/gdi/Surface.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kFill = RGB(220, 20, 60);

TEST(Rectangle, OutlineAndFillExactPixels)
{
    // Right and bottom are exclusive; both corner orders draw the same.
    // Without a pen the fill is one pixel narrower and shorter; without a
    // brush the inside is left alone.
    struct Case {
        int style;
        bool hollow;
        const char* ink;
        const char* fill;
    };
    const Case cases[] = {
        { PS_SOLID, false, "......\n.#####\n.#...#\n.#####\n......\n", "......\n......\n..###.\n......\n......\n" },
        { PS_NULL, false, "......\n......\n......\n......\n......\n", "......\n.####.\n.####.\n......\n......\n" },
        { PS_SOLID, true, "......\n.#####\n.#...#\n.#####\n......\n", "......\n......\n......\n......\n......\n" },
    };
    for (const Case& c : cases) {
        for (bool swapped : { false, true }) {
            SCOPED_TRACE(testing::Message()
                << "style " << c.style << (c.hollow ? " hollow" : "") << (swapped ? " swapped" : ""));
            test::TestDc t(6, 5);
            figtest::Tools tools(t.dc(), c.style, 1, kInk, c.hollow, kFill);
            EXPECT_TRUE(swapped ? Rectangle(t.dc(), 6, 4, 1, 1) : Rectangle(t.dc(), 1, 1, 6, 4));
            EXPECT_EQ(t.Mask(kInk), c.ink);
            EXPECT_EQ(t.Mask(kFill), c.fill);
        }
    }
}

TEST(Rectangle, WidePenHasRoundCornersAroundTheFill)
{
    test::TestDc t(30, 24);
    figtest::Tools tools(t.dc(), PS_SOLID, 5, kInk, false, kFill);
    Rectangle(t.dc(), 6, 5, 24, 19);
    EXPECT_EQ(t.At(4, 5), kInk) << "half the width outside the left edge";
    EXPECT_EQ(t.At(5, 4), kInk);
    EXPECT_NE(t.At(4, 3), kInk) << "a square corner would reach here";
    EXPECT_EQ(t.At(8, 7), kInk) << "half the width inside";
    EXPECT_EQ(t.At(9, 8), kFill);
    EXPECT_EQ(t.Count(kFill), (21 - 9) * (16 - 8)) << "the fill is what the pen leaves inside";
}

TEST(Ellipse, OutlineIsTheArcAndTheFillHasNoGaps)
{
    const RECT boxes[] = { { 2, 3, 37, 26 }, { 4, 4, 9, 30 }, { 1, 1, 39, 4 }, { 30, 28, 3, 2 } };
    for (RECT b : boxes) {
        for (int width : { 1, 4 }) {
            SCOPED_TRACE(
                testing::Message() << b.left << "," << b.top << "," << b.right << "," << b.bottom << " w" << width);
            test::TestDc filled(40, 32), outline(40, 32), bare(40, 32);
            figtest::Tools a(filled.dc(), PS_SOLID, width, kInk, false, kFill);
            figtest::Tools c(outline.dc(), PS_SOLID, width, kInk);
            figtest::Tools d(bare.dc(), PS_NULL, 1, kInk, false, kFill);
            EXPECT_TRUE(Ellipse(filled.dc(), b.left, b.top, b.right, b.bottom));
            Arc(outline.dc(), b.left, b.top, b.right, b.bottom, 0, 0, 0, 0);
            Ellipse(bare.dc(), b.left, b.top, b.right, b.bottom);
            EXPECT_EQ(filled.Mask(kInk), outline.Mask(kInk));
            // On every row, nothing between the outermost outline pixels is
            // left unpainted, and the fill stays between them.
            for (int y = 0; y < 32; ++y) {
                int first = -1, last = -1;
                for (int x = 0; x < 40; ++x)
                    if (filled.At(x, y) == kInk) {
                        if (first < 0)
                            first = x;
                        last = x;
                    }
                for (int x = 0; x < 40; ++x) {
                    bool between = first >= 0 && x > first && x < last;
                    if (filled.At(x, y) == kFill)
                        EXPECT_TRUE(between) << x << "," << y;
                    else if (between && filled.At(x, y) != kInk)
                        ADD_FAILURE() << "gap at " << x << "," << y;
                }
            }
            // Without a pen the fill alone covers the outline's inside and
            // stays within the figure.
            for (auto [x, y] : figtest::Inked(filled, kFill))
                EXPECT_EQ(bare.At(x, y), kFill) << x << "," << y;
            for (auto [x, y] : figtest::Inked(bare, kFill))
                EXPECT_NE(filled.At(x, y), RGB(255, 255, 255)) << x << "," << y;
        }
    }
}

TEST(FillRect, CopiesTheBrushWhateverTheMode)
{
    test::TestDc t(8, 6, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(kFill);
    SetROP2(t.dc(), R2_XORPEN);
    SetWindowOrgEx(t.dc(), 1, 1, nullptr);
    RECT r { 2, 2, 5, 4 };
    t.surface().TakeDirty();
    EXPECT_NE(FillRect(t.dc(), &r, brush), 0);
    EXPECT_EQ(t.Mask(kFill), "........\n.###....\n.###....\n........\n........\n........\n");
    EXPECT_EQ(t.surface().Dirty(), (RECT { 1, 1, 4, 3 }));
    RECT reversed { 5, 4, 2, 2 };
    FillRect(t.dc(), &reversed, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(t.Count(kInk), 0) << "an upside-down rectangle is empty";
    EXPECT_EQ(FillRect(t.dc(), &r, nullptr), 0);
    DeleteObject(brush);
}

TEST(PatBlt, PatternOperations)
{
    struct Case {
        DWORD rop;
        std::uint32_t (*expect)(std::uint32_t pat, std::uint32_t dst);
    };
    const Case cases[] = {
        { PATCOPY, [](std::uint32_t p, std::uint32_t) { return p; } },
        { PATINVERT, [](std::uint32_t p, std::uint32_t d) { return p ^ d; } },
        { DSTINVERT, [](std::uint32_t, std::uint32_t d) { return ~d & 0xFFFFFFu; } },
        { BLACKNESS, [](std::uint32_t, std::uint32_t) { return 0u; } },
        { WHITENESS, [](std::uint32_t, std::uint32_t) { return 0xFFFFFFu; } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rop);
        test::TestDc t(10, 8);
        figtest::Tools tools(t.dc(), PS_SOLID, 1, kInk, false, kFill);
        t.FillNoise(99);
        std::vector<std::uint32_t> before = t.Pixels();
        // A negative width reaches to the left of x.
        EXPECT_TRUE(PatBlt(t.dc(), 7, 2, -5, 4, c.rop));
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 10; ++x) {
                std::uint32_t d = before[static_cast<std::size_t>(y) * 10 + x];
                bool inside = x >= 2 && x < 7 && y >= 2 && y < 6;
                EXPECT_EQ(t.surface().At(x, y), inside ? c.expect(gdi::PixelFromColorRef(kFill), d) : d)
                    << x << "," << y;
            }
        }
    }
    test::TestDc t(4, 4);
    EXPECT_FALSE(PatBlt(t.dc(), 0, 0, 2, 2, SRCCOPY)) << "needs a source";
    EXPECT_FALSE(PatBlt(nullptr, 0, 0, 2, 2, PATCOPY));
}

TEST(DrawFocusRect, DottedFrameThatRemovesItself)
{
    test::TestDc t(8, 6);
    // Neither the mode nor the pen has a say.
    SetROP2(t.dc(), R2_NOP);
    SelectObject(t.dc(), GetStockObject(NULL_PEN));
    RECT r { 1, 1, 7, 5 };
    t.FillNoise(5);
    std::vector<std::uint32_t> noisy = t.Pixels();
    t.Fill(RGB(255, 255, 255));
    EXPECT_TRUE(DrawFocusRect(t.dc(), &r));
    EXPECT_EQ(t.Mask(kInk), "........\n.#.#.#..\n......#.\n.#......\n..#.#.#.\n........\n");
    EXPECT_TRUE(DrawFocusRect(t.dc(), &r));
    EXPECT_EQ(t.Count(RGB(255, 255, 255)), 48);
    for (std::size_t i = 0; i < noisy.size(); ++i)
        t.surface().Row(static_cast<int>(i / 8))[i % 8] = noisy[i];
    DrawFocusRect(t.dc(), &r);
    DrawFocusRect(t.dc(), &r);
    EXPECT_EQ(t.CountChanged(noisy), 0);
    EXPECT_FALSE(DrawFocusRect(nullptr, &r));
}

TEST(Figures, BadHandlesAndCoordinatesAnswerFailure)
{
    int notAHandle = 0;
    auto* fake = reinterpret_cast<HDC>(&notAHandle);
    RECT r { 0, 0, 2, 2 };
    POINT p[2] = { { 0, 0 }, { 1, 1 } };
    EXPECT_FALSE(MoveToEx(fake, 0, 0, nullptr));
    EXPECT_FALSE(LineTo(fake, 1, 1));
    EXPECT_FALSE(Polyline(fake, p, 2));
    EXPECT_FALSE(Ellipse(fake, 0, 0, 4, 4));
    EXPECT_FALSE(Rectangle(fake, 0, 0, 4, 4));
    EXPECT_EQ(FillRect(fake, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_FALSE(PatBlt(fake, 0, 0, 2, 2, PATCOPY));
    EXPECT_FALSE(DrawFocusRect(fake, &r));
    test::TestDc t(4, 4);
    EXPECT_FALSE(Rectangle(t.dc(), -(1 << 29), 0, 4, 4));
    EXPECT_EQ(t.Count(kInk), 0);
}

} // namespace

TEST(Figures, FarCoordinatesAreCutNotWalked)
{
    // Figures reaching far beyond the surface cost only what is visible and
    // cover the same pixels there as any other figure would.
    constexpr int kFar = 1 << 27;
    test::TestDc t(16, 16);
    MoveToEx(t.dc(), -kFar, 5, nullptr);
    EXPECT_TRUE(LineTo(t.dc(), kFar, 5));
    EXPECT_EQ(t.Count(kInk), 16);
    {
        figtest::Tools huge(t.dc(), PS_SOLID, 0x7FFFFFFF, kInk);
        MoveToEx(t.dc(), -kFar, -kFar, nullptr);
        EXPECT_TRUE(LineTo(t.dc(), -kFar + 3, -kFar));
        EXPECT_EQ(t.Count(kInk), 16) << "a wide pen reaches only so far";
        EXPECT_TRUE(Arc(t.dc(), 2, 2, 14, 14, 0, 0, 0, 0));
        EXPECT_EQ(t.Count(kInk), 16 * 16);
    }
    t.Fill(RGB(255, 255, 255));
    // The left end of a huge ellipse centred on row 8: the outline's
    // nearest pixel to the curve on row 8 is column 0.
    EXPECT_TRUE(Arc(t.dc(), 0, 8 - kFar / 2, kFar, 9 + kFar / 2, 0, 0, 0, 0));
    EXPECT_EQ(t.At(0, 8), kInk);
    EXPECT_EQ(t.At(5, 8), RGB(255, 255, 255));
    EXPECT_TRUE(Ellipse(t.dc(), -kFar, -kFar, kFar, kFar)) << "the whole surface is inside";
    EXPECT_EQ(t.Count(RGB(255, 255, 255)), 16 * 16);
    // Block fills have no such range: any rectangle is cut to the device.
    SetWindowOrgEx(t.dc(), 5, -5, nullptr);
    RECT all { INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX };
    EXPECT_NE(FillRect(t.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(t.Count(kInk), 16 * 16);
    EXPECT_TRUE(PatBlt(t.dc(), INT32_MAX, 3, INT32_MIN, 2, WHITENESS));
    EXPECT_EQ(t.Count(kInk), 16 * 14);
}
