// DrawText: placement in the rectangle, wrapping, measuring, access keys,
// ellipses and clipping.

#include "tests/platform/gdi/TextTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using texttest::ExtentOf;
using texttest::InkOf;
using texttest::MetricsOf;
using texttest::SelectedFont;

TEST(GdiDrawText, SingleLinesSitWhereTheFormatSays)
{
    struct Case {
        UINT format;
        double fx, fy; // where the ink's centre lies across the rectangle
    };
    const Case cases[] = {
        { DT_CENTER | DT_VCENTER, 0.5, 0.5 },
        { DT_LEFT | DT_TOP, 0, 0 },
        { DT_RIGHT | DT_BOTTOM, 1, 1 },
    };
    const RECT r { 10, 8, 150, 58 };
    for (const char* face : { "宋体", "MS Shell Dlg" }) {
        for (const Case& c : cases) {
            test::TestDc dc(160, 70);
            SelectedFont f(dc.dc(), face, -16);
            const TEXTMETRIC tm = MetricsOf(dc.dc());
            SetBkMode(dc.dc(), TRANSPARENT);
            RECT rect = r;
            const int answer = DrawText(dc.dc(), "滑动滑块", -1, &rect, c.format | DT_SINGLELINE);
            const texttest::Ink ink = InkOf(dc, RGB(255, 255, 255));
            SCOPED_TRACE(std::string(face) + " format " + std::to_string(c.format));
            ASSERT_GT(ink.count, 20);
            EXPECT_TRUE(ink.Inside(r));
            if (c.fx == 0.5) {
                EXPECT_NEAR(ink.CentreX(), (r.left + r.right) / 2.0, 2.0);
                EXPECT_NEAR(ink.CentreY(), (r.top + r.bottom) / 2.0, 2.0);
            }
            if (c.fx == 0) {
                EXPECT_LE(ink.box.left - r.left, 2);
                EXPECT_LE(ink.box.top - r.top, tm.tmInternalLeading + 2);
                EXPECT_EQ(answer, tm.tmHeight);
            }
            if (c.fx == 1) {
                EXPECT_LE(r.right - ink.box.right, 2);
                EXPECT_LE(r.bottom - ink.box.bottom, tm.tmDescent + 1);
                EXPECT_EQ(answer, r.bottom - r.top) << "the offset of the text's bottom from the top";
            }
        }
    }
}

TEST(GdiDrawText, CalcRectMeasuresLinesAndWrapping)
{
    test::TestDc dc(4, 4);
    SelectedFont f(dc.dc(), "MS Shell Dlg", -11);
    const TEXTMETRIC tm = MetricsOf(dc.dc());
    const LONG word = ExtentOf(dc.dc(), "Brightness").cx;
    struct Case {
        const char* text;
        UINT format;
        LONG width;
        int lines;
    };
    const Case cases[] = {
        { "Brightness", DT_WORDBREAK, 200, 1 }, { "Brightness Brightness", DT_WORDBREAK, word + 4, 2 },
        { "Brightness Brightness Brightness", DT_WORDBREAK, word + 4, 3 }, { "one\ntwo\nthree", 0, 200, 3 },
        { "one\ntwo\nthree", DT_SINGLELINE, 200, 1 },
        { "Brightness Brightness", 0, word + 4, 1 }, // no wrapping without DT_WORDBREAK
        { "滑动滑块改变透明度", DT_WORDBREAK, 50, 0 }, // between CJK characters
    };
    const int oneLine = tm.tmHeight;
    for (const Case& c : cases) {
        RECT r { 5, 7, 5 + c.width, 7 };
        const int height = DrawText(dc.dc(), c.text, -1, &r, c.format | DT_CALCRECT);
        SCOPED_TRACE(c.text);
        if (c.lines > 0) {
            EXPECT_EQ(height, c.lines * oneLine);
        } else {
            EXPECT_GE(height, 3 * oneLine);
        }
        EXPECT_EQ(r.bottom - r.top, height);
        EXPECT_EQ(r.left, 5);
        if (c.format & DT_WORDBREAK) {
            EXPECT_LE(r.right - r.left, c.width);
        }
    }
    RECT r { 0, 0, 0, 0 };
    EXPECT_EQ(DrawText(dc.dc(), "", 0, &r, DT_CALCRECT), 0);

    // Measuring draws nothing.
    test::TestDc drawn(60, 30);
    RECT m { 0, 0, 60, 30 };
    const std::vector<std::uint32_t> before = drawn.Pixels();
    DrawText(drawn.dc(), "Nothing", -1, &m, DT_CALCRECT);
    EXPECT_EQ(drawn.CountChanged(before), 0);
}

TEST(GdiDrawText, WrappedLinesDrawOneCellApart)
{
    test::TestDc dc(120, 80);
    SelectedFont f(dc.dc(), "宋体", -12);
    const TEXTMETRIC tm = MetricsOf(dc.dc());
    SetBkMode(dc.dc(), OPAQUE);
    SetBkColor(dc.dc(), RGB(0, 255, 0));
    // Two words are too wide for a line.
    RECT r { 0, 0, ExtentOf(dc.dc(), "AAAA BBBB").cx - 1, 80 };
    const int height = DrawText(dc.dc(), "AAAA BBBB CCCC", -1, &r, DT_WORDBREAK);
    EXPECT_EQ(height, 3 * tm.tmHeight);
    // Each line's cell is filled; below the last, nothing.
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(dc.At(1, line * tm.tmHeight + 1), RGB(0, 255, 0)) << line;
    EXPECT_EQ(InkOf(dc, RGB(255, 255, 255)).box.bottom, 3 * tm.tmHeight);
}

TEST(GdiDrawText, AnAmpersandUnderlinesTheAccessKey)
{
    auto draw = [](const char* text, UINT format) {
        auto dc = std::make_unique<test::TestDc>(80, 30);
        SelectedFont f(dc->dc(), "MS Shell Dlg", -16);
        SetBkMode(dc->dc(), TRANSPARENT);
        RECT r { 2, 2, 78, 28 };
        DrawText(dc->dc(), text, -1, &r, format);
        return dc;
    };
    test::TestDc probe(4, 4);
    SelectedFont f(probe.dc(), "MS Shell Dlg", -16);
    const TEXTMETRIC tm = MetricsOf(probe.dc());
    const LONG sWidth = ExtentOf(probe.dc(), "S").cx;

    auto plain = draw("Save", 0);
    auto keyed = draw("&Save", 0);
    const int baseline = 2 + tm.tmAscent;
    int differing = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            if (plain->At(x, y) == keyed->At(x, y))
                continue;
            ++differing;
            EXPECT_GE(x, 2);
            EXPECT_LT(x, 2 + sWidth) << "only S is underlined";
            EXPECT_GT(y, baseline - 1) << "below the baseline";
            EXPECT_LT(y, 2 + tm.tmHeight) << "inside the cell";
        }
    }
    EXPECT_GE(differing, sWidth - 2) << "a line as wide as S";

    // "&&" is a literal ampersand and underlines nothing; DT_NOPREFIX shows
    // the ampersand.
    auto doubled = draw("&&Save", 0);
    auto ampersand = draw("&Save", DT_NOPREFIX);
    EXPECT_EQ(doubled->Pixels(), ampersand->Pixels());
    EXPECT_NE(ampersand->Pixels(), plain->Pixels());
}

TEST(GdiDrawText, EndEllipsisAndClipping)
{
    test::TestDc dc(140, 30);
    SelectedFont f(dc.dc(), "MS Shell Dlg", -11);
    SetBkMode(dc.dc(), TRANSPARENT);
    const char* text = "A sentence much too long for its box";
    const LONG full = ExtentOf(dc.dc(), text).cx;
    RECT measured { 10, 2, 70, 20 };
    DrawText(dc.dc(), text, -1, &measured, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(measured.right, 70) << "the shortened text fits";
    EXPECT_GT(measured.right, 50);

    RECT r { 10, 2, 70, 20 };
    DrawText(dc.dc(), text, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    const texttest::Ink ellipsis = InkOf(dc, RGB(255, 255, 255));
    EXPECT_TRUE(ellipsis.Inside(r));
    EXPECT_GE(ellipsis.box.right, 62) << "the dots reach the end";

    // Without the ellipsis the text is cut at the rectangle, unless
    // DT_NOCLIP.
    ASSERT_GT(full, 80);
    dc.Fill(RGB(255, 255, 255));
    DrawText(dc.dc(), text, -1, &r, DT_SINGLELINE);
    EXPECT_EQ(InkOf(dc, RGB(255, 255, 255)).box.right, 70);
    dc.Fill(RGB(255, 255, 255));
    DrawText(dc.dc(), text, -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkOf(dc, RGB(255, 255, 255)).box.right, 80);
}
