// GDI fonts: resolution of the desktop's names, metrics, extents, TextOut
// and ExtTextOut.

#include "platform/gdi/GdiObjects.h"
#include "platform/text/Utf.h"
#include "tests/platform/gdi/TextTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using texttest::ExtentOf;
using texttest::InkOf;
using texttest::MetricsOf;
using texttest::SelectedFont;

namespace {

const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

} // namespace

TEST(GdiFont, EmSizeAndCellHeightFollowTheSignOfTheHeight)
{
    test::TestDc dc(4, 4);
    for (const char* face : { "宋体", "MS Shell Dlg" }) {
        LONG lastHeight = 0;
        for (int em : { 11, 12, 16, 24, 32 }) {
            SelectedFont f(dc.dc(), face, -em);
            const TEXTMETRIC tm = MetricsOf(dc.dc());
            SCOPED_TRACE(std::string(face) + " at -" + std::to_string(em));
            EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
            EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, em) << "a negative height is the em size";
            EXPECT_GT(tm.tmHeight, lastHeight);
            EXPECT_GT(tm.tmAveCharWidth, 0);
            EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
            EXPECT_EQ(tm.tmAveCharWidth, ExtentOf(dc.dc(), "x").cx) << "the average width is the advance of 'x'";
            EXPECT_EQ(tm.tmWeight, FW_NORMAL);
            EXPECT_EQ(tm.tmCharSet, GB2312_CHARSET) << "both faces carry Chinese";
            lastHeight = tm.tmHeight;
        }
        for (int cell : { 12, 16, 20, 30 }) {
            SelectedFont f(dc.dc(), face, cell);
            const TEXTMETRIC tm = MetricsOf(dc.dc());
            SCOPED_TRACE(std::string(face) + " at " + std::to_string(cell));
            EXPECT_EQ(tm.tmHeight, cell) << "a positive height is the cell height";
            EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
            EXPECT_GE(tm.tmInternalLeading, 0);
            EXPECT_LT(tm.tmInternalLeading, cell / 3);
        }
    }
}

TEST(GdiFont, DialogBaseUnitsArePlausible)
{
    // The dialog manager's rule: the average of the 52 letters, rounded,
    // and the cell height.
    struct Case {
        const char* face;
        int height;
        int unitX, unitY; // what a desktop gives, within a pixel
    };
    const Case cases[] = { { "MS Shell Dlg", -11, 6, 13 }, { "宋体", -12, 6, 12 } };
    test::TestDc dc(4, 4);
    for (const Case& c : cases) {
        SelectedFont f(dc.dc(), c.face, c.height);
        const SIZE letters = ExtentOf(dc.dc(), kLetters);
        const int unitX = (letters.cx / 26 + 1) / 2;
        EXPECT_NEAR(unitX, c.unitX, 1) << c.face;
        EXPECT_NEAR(MetricsOf(dc.dc()).tmHeight, c.unitY, 1) << c.face;
        EXPECT_EQ(ExtentOf(dc.dc(), kLetters).cx, letters.cx) << "measuring twice gives the same";
    }
    // Dialogs laid out in the Song face rely on its line exactly: a
    // 12-pixel em has a 12-pixel cell, 10 above the baseline.
    SelectedFont song(dc.dc(), "宋体", -12);
    EXPECT_EQ(MetricsOf(dc.dc()).tmHeight, 12);
    EXPECT_EQ(MetricsOf(dc.dc()).tmAscent, 10);
}

TEST(GdiFont, TheStockGuiFontIsTheDialogFontAtEightPoints)
{
    test::TestDc dc(4, 4);
    const TEXTMETRIC stock = MetricsOf(dc.dc());
    SelectedFont f(dc.dc(), "MS Shell Dlg", -11);
    const TEXTMETRIC made = MetricsOf(dc.dc());
    EXPECT_EQ(stock.tmHeight, made.tmHeight);
    EXPECT_EQ(stock.tmAveCharWidth, made.tmAveCharWidth);
    EXPECT_EQ(stock.tmHeight - stock.tmInternalLeading, 11);
    char name[LF_FACESIZE];
    EXPECT_EQ(GetTextFace(dc.dc(), sizeof name, name), static_cast<int>(std::strlen("MS Shell Dlg")) + 1);
    EXPECT_STREQ(name, "MS Shell Dlg");
}

TEST(GdiFont, SelectionAnswersThePreviousFontAndDeleteFreesIt)
{
    test::TestDc dc(4, 4);
    HFONT a = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    HFONT b = CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(SelectObject(dc.dc(), a), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(SelectObject(dc.dc(), b), a);
    EXPECT_EQ(MetricsOf(dc.dc()).tmWeight, FW_BOLD);
    EXPECT_EQ(SelectObject(dc.dc(), GetStockObject(DEFAULT_GUI_FONT)), b);
    EXPECT_EQ(GetObjectType(a), OBJ_FONT);
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_EQ(GetObjectType(a), 0u);

    // A face name no installed font carries still makes a usable font.
    SelectedFont unknown(dc.dc(), "No Such Face Anywhere", -12);
    EXPECT_EQ(MetricsOf(dc.dc()).tmHeight - MetricsOf(dc.dc()).tmInternalLeading, 12);
    char name[LF_FACESIZE];
    GetTextFace(dc.dc(), sizeof name, name);
    EXPECT_STREQ(name, "No Such Face Anywhere");
    EXPECT_EQ(GetTextFace(dc.dc(), 5, name), 5) << "four bytes and the zero";
    EXPECT_STREQ(name, "No S");
}

TEST(GdiFont, ExtentsGrowWithTheStringAndChineseIsWiderThanLatin)
{
    test::TestDc dc(4, 4);
    for (const char* face : { "宋体", "MS Shell Dlg" }) {
        SelectedFont f(dc.dc(), face, -16);
        const TEXTMETRIC tm = MetricsOf(dc.dc());
        const std::string s = "Slide 滑动滑块改变透明度 50%";
        LONG last = -1;
        for (std::size_t n = 0; n <= s.size(); ++n) {
            if (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
                continue; // inside a character
            SIZE size {};
            ASSERT_TRUE(GetTextExtentPoint32(dc.dc(), s.c_str(), static_cast<int>(n), &size));
            EXPECT_GT(size.cx, last) << face << " over " << n << " bytes";
            EXPECT_EQ(size.cy, tm.tmHeight);
            last = size.cx;
        }
        EXPECT_EQ(ExtentOf(dc.dc(), "").cx, 0);
        const LONG han = ExtentOf(dc.dc(), "滑").cx;
        EXPECT_GT(han, ExtentOf(dc.dc(), "x").cx) << face;
        EXPECT_GT(han, ExtentOf(dc.dc(), "1").cx) << face;
        EXPECT_NEAR(han, 16, 1) << face << ": a Han character fills its em";
    }
}

TEST(GdiTextOut, InkStaysInsideTheCellAtEveryAlignment)
{
    const char text[] = "Ag滑动";
    struct Case {
        UINT align;
        double fx; // where x lies across the cell: 0 left, 0.5 centre, 1 right
        int dy; // how far the cell's top lies above y: 0, the ascent or the height
    };
    const Case cases[] = { { TA_LEFT | TA_TOP, 0, 0 }, { TA_CENTER | TA_TOP, 0.5, 0 }, { TA_RIGHT | TA_TOP, 1, 0 },
        { TA_LEFT | TA_BASELINE, 0, 1 }, { TA_CENTER | TA_BOTTOM, 0.5, 2 }, { TA_RIGHT | TA_BASELINE, 1, 1 } };
    for (const Case& c : cases) {
        test::TestDc dc(120, 60);
        SelectedFont f(dc.dc(), "MS Shell Dlg", -16);
        const TEXTMETRIC tm = MetricsOf(dc.dc());
        const SIZE size = ExtentOf(dc.dc(), text);
        SetBkMode(dc.dc(), TRANSPARENT);
        EXPECT_EQ(SetTextAlign(dc.dc(), c.align), TA_LEFT | TA_TOP);
        EXPECT_EQ(GetTextAlign(dc.dc()), c.align);
        ASSERT_TRUE(TextOut(dc.dc(), 60, 30, text, -1));
        const LONG left = 60 - static_cast<LONG>(size.cx * c.fx);
        const LONG top = 30 - (c.dy == 0 ? 0 : c.dy == 1 ? tm.tmAscent : tm.tmHeight);
        const RECT cell { left, top, left + size.cx, top + tm.tmHeight };
        const texttest::Ink ink = InkOf(dc, RGB(255, 255, 255));
        SCOPED_TRACE("alignment " + std::to_string(c.align));
        EXPECT_GT(ink.count, 20);
        // A pixel of slack for anti-aliased edges.
        EXPECT_TRUE(ink.Inside(RECT { cell.left - 1, cell.top, cell.right + 1, cell.bottom }))
            << ink.box.left << "," << ink.box.top << "-" << ink.box.right << "," << ink.box.bottom << "\n"
            << dc.Mask(RGB(255, 255, 255));
        EXPECT_LE(ink.box.left - cell.left, 2);
        EXPECT_LE(cell.right - ink.box.right, 3);
        // The dirty box covers every pixel drawn.
        const RECT dirty = dc.surface().Dirty();
        EXPECT_TRUE(ink.Inside(dirty));
    }
}

TEST(GdiTextOut, OpaqueFillsTheCellAndTransparentLeavesIt)
{
    for (int mode : { OPAQUE, TRANSPARENT }) {
        test::TestDc dc(100, 40);
        SelectedFont f(dc.dc(), "宋体", -12);
        const TEXTMETRIC tm = MetricsOf(dc.dc());
        const SIZE size = ExtentOf(dc.dc(), "Hi 你好");
        SetBkMode(dc.dc(), mode);
        SetBkColor(dc.dc(), RGB(255, 0, 0));
        SetTextColor(dc.dc(), RGB(0, 0, 255));
        ASSERT_TRUE(TextOut(dc.dc(), 10, 5, "Hi 你好", -1));
        int outside = 0, whiteInside = 0, red = 0;
        for (int y = 0; y < dc.height(); ++y) {
            for (int x = 0; x < dc.width(); ++x) {
                const bool inside = x >= 10 && x < 10 + size.cx && y >= 5 && y < 5 + tm.tmHeight;
                const COLORREF c = dc.At(x, y);
                outside += !inside && c != RGB(255, 255, 255);
                whiteInside += inside && c == RGB(255, 255, 255);
                red += c == RGB(255, 0, 0);
            }
        }
        EXPECT_EQ(outside, 0) << mode;
        if (mode == OPAQUE) {
            EXPECT_EQ(whiteInside, 0) << "the whole cell takes the background colour";
            EXPECT_GT(red, size.cx * tm.tmHeight / 2);
        } else {
            EXPECT_EQ(red, 0);
            EXPECT_GT(whiteInside, size.cx * tm.tmHeight / 2);
        }
    }
}

TEST(GdiTextOut, ClipRegionAndWindowOriginApply)
{
    test::TestDc dc(100, 40);
    SelectedFont f(dc.dc(), "MS Shell Dlg", -16);
    const SIZE size = ExtentOf(dc.dc(), "WWWWWW");
    SetBkMode(dc.dc(), OPAQUE);
    SetBkColor(dc.dc(), RGB(0, 255, 0));
    // The window origin moves logical (30, 20) to device (10, 10).
    SetWindowOrgEx(dc.dc(), 20, 10, nullptr);
    HRGN clip = CreateRectRgn(0, 0, 30, 40); // device coordinates
    SelectClipRgn(dc.dc(), clip);
    DeleteObject(clip);
    ASSERT_TRUE(TextOut(dc.dc(), 30, 20, "WWWWWW", -1));
    const texttest::Ink ink = InkOf(dc, RGB(255, 255, 255));
    ASSERT_GT(size.cx, 25);
    EXPECT_EQ(ink.box.left, 10);
    EXPECT_EQ(ink.box.top, 10);
    EXPECT_EQ(ink.box.right, 30) << "cut at the clip's edge";
    EXPECT_EQ(dc.At(10, 10), RGB(0, 255, 0));
}

TEST(GdiExtTextOut, OpaqueRectangleAndClipping)
{
    test::TestDc dc(80, 40);
    SelectedFont f(dc.dc(), "MS Shell Dlg", -16);
    SetBkMode(dc.dc(), TRANSPARENT);
    SetBkColor(dc.dc(), RGB(0, 0, 128));
    SetTextColor(dc.dc(), RGB(255, 255, 0));
    const RECT r { 5, 5, 40, 30 };
    ASSERT_TRUE(ExtTextOut(dc.dc(), 8, 8, ETO_OPAQUE | ETO_CLIPPED, &r, "Wide text here", 14, nullptr));
    const texttest::Ink ink = InkOf(dc, RGB(255, 255, 255));
    EXPECT_EQ(ink.box.left, r.left);
    EXPECT_EQ(ink.box.top, r.top);
    EXPECT_EQ(ink.box.right, r.right);
    EXPECT_EQ(ink.box.bottom, r.bottom);
    EXPECT_EQ(ink.count, (r.right - r.left) * (r.bottom - r.top)) << "the rectangle is filled whole";
    EXPECT_GT(dc.Count(RGB(255, 255, 0)), 10) << "text drawn over the fill";

    // Advances given per character place the glyphs.
    test::TestDc spaced(120, 30);
    SelectedFont g(spaced.dc(), "MS Shell Dlg", -16);
    const INT dx[] = { 40, 40, 40 };
    ASSERT_TRUE(ExtTextOut(spaced.dc(), 0, 0, 0, nullptr, "lll", 3, dx));
    const texttest::Ink wide = InkOf(spaced, RGB(255, 255, 255));
    EXPECT_GE(wide.box.right - wide.box.left, 80);
}

TEST(GdiTextOut, MonochromeTargetsHoldOnlyBlackAndWhite)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(80, 30, 1, 1, nullptr);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    HFONT font = CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    HGDIOBJ oldFont = SelectObject(dc, font);
    PatBlt(dc, 0, 0, 80, 30, WHITENESS);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(60, 60, 60)); // a dark grey: black here
    ASSERT_TRUE(TextOut(dc, 2, 2, "Mono 黑白", -1));
    const gdi::Surface& s = *static_cast<gdi::Bitmap*>(bmp)->surface;
    int black = 0, other = 0;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            black += s.At(x, y) == 0;
            other += s.At(x, y) != 0 && s.At(x, y) != gdi::kWhitePixel;
        }
    }
    EXPECT_EQ(other, 0);
    EXPECT_GT(black, 30);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(font);
    DeleteObject(bmp);
    DeleteDC(dc);
}

TEST(GdiTextOut, BottomUpSectionsGetTextTheRightWayUp)
{
    // The same text on a top-down and a bottom-up section lands on the
    // same rows.
    auto draw = [](int heightSign) {
        HDC dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bmi {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = 60;
        bmi.bmiHeader.biHeight = 30 * heightSign;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bmp);
        PatBlt(dc, 0, 0, 60, 30, WHITENESS);
        SetBkMode(dc, TRANSPARENT);
        TextOut(dc, 4, 2, "Tg", 2);
        const gdi::Surface& s = *static_cast<gdi::Bitmap*>(bmp)->surface;
        std::string rows;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 60; ++x)
                rows += s.At(x, y) == gdi::kWhitePixel ? '.' : '#';
            rows += '\n';
        }
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
        return rows;
    };
    const std::string topDown = draw(-1);
    EXPECT_NE(topDown.find('#'), std::string::npos);
    EXPECT_EQ(draw(1), topDown);
}

TEST(GdiText, BadHandlesAndArgumentsFail)
{
    HDC bogus = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x1234));
    TEXTMETRIC tm;
    SIZE size;
    RECT r { 0, 0, 10, 10 };
    char name[8];
    EXPECT_FALSE(GetTextMetrics(nullptr, &tm));
    EXPECT_FALSE(GetTextMetrics(bogus, &tm));
    EXPECT_FALSE(GetTextExtentPoint32(bogus, "a", 1, &size));
    EXPECT_FALSE(TextOut(bogus, 0, 0, "a", 1));
    EXPECT_FALSE(ExtTextOut(nullptr, 0, 0, ETO_OPAQUE, &r, "a", 1, nullptr));
    EXPECT_EQ(DrawText(bogus, "a", 1, &r, DT_LEFT), 0);
    EXPECT_EQ(GetTextFace(bogus, sizeof name, name), 0);
    EXPECT_EQ(SetTextAlign(bogus, TA_CENTER), GDI_ERROR);
    EXPECT_EQ(GetTextAlign(bogus), GDI_ERROR);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);

    test::TestDc dc(8, 8);
    EXPECT_FALSE(GetTextMetrics(dc.dc(), nullptr));
    EXPECT_FALSE(GetTextExtentPoint32(dc.dc(), "a", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32(dc.dc(), nullptr, 3, &size));
    EXPECT_FALSE(TextOut(dc.dc(), 0, 0, "a", -2));
    EXPECT_EQ(DrawText(dc.dc(), "a", 1, nullptr, DT_LEFT), 0);
}

TEST(Utf8, MalformedSequencesDecodeToReplacementCharacters)
{
    struct Case {
        const char* bytes;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        { "a\xE5\xAE\x8B"
          "b",
            { 'a', 0x5B8B, 'b' } },
        { "\xF0\x9F\x98\x80", { 0x1F600 } }, { "\x80z", { 0xFFFD, 'z' } }, // stray continuation byte
        { "\xE5\xAE", { 0xFFFD, 0xFFFD } }, // truncated
        { "\xC0\xAF", { 0xFFFD, 0xFFFD } }, // overlong '/'
        { "\xED\xA0\x80", { 0xFFFD, 0xFFFD, 0xFFFD } }, // a surrogate
        { "\xF4\x90\x80\x80", { 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD } }, // past U+10FFFF
    };
    for (const Case& c : cases) {
        const std::vector<text::CodePoint> cps = text::DecodeUtf8(c.bytes, static_cast<int>(std::strlen(c.bytes)));
        std::vector<std::uint32_t> values;
        for (const text::CodePoint& cp : cps)
            values.push_back(cp.value);
        EXPECT_EQ(values, c.expected) << c.bytes;
    }
    const std::vector<text::CodePoint> cps = text::DecodeUtf8("a\xE5\xAE\x8B"
                                                              "b",
        5);
    ASSERT_EQ(cps.size(), 3u);
    EXPECT_EQ(cps[2].unit, 4) << "positions are byte offsets";
}
