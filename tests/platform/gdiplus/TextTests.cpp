// Font families and their aliases, fonts, string formats, and strings drawn
// and measured in layout rectangles.

#include "platform/gdiplus/FontFamily.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/text/Utf.h"
#include "tests/platform/gdiplus/ImagingTestSupport.h"
#include "tests/support/TestDc.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace imagingtest;

namespace {

const char16_t kPreviewText[] = u"滑动滑块改变透明度";

Owned<GpFontFamily> Family(const char16_t* name)
{
    GpFontFamily* f = nullptr;
    EXPECT_EQ(GdipCreateFontFamilyFromName(name, nullptr, &f), Ok);
    return Owned<GpFontFamily>(f);
}

Owned<GpFont> FontOf(const char16_t* name, REAL size, Unit unit = UnitPixel)
{
    Owned<GpFontFamily> family = Family(name);
    GpFont* f = nullptr;
    if (family) {
        EXPECT_EQ(GdipCreateFont(family.get(), size, FontStyleRegular, unit, &f), Ok);
    }
    return Owned<GpFont>(f);
}

Owned<GpStringFormat> Format(StringAlignment align, StringAlignment lineAlign, INT flags = 0)
{
    GpStringFormat* f = nullptr;
    EXPECT_EQ(GdipCreateStringFormat(flags, LANG_NEUTRAL, &f), Ok);
    EXPECT_EQ(GdipSetStringFormatAlign(f, align), Ok);
    EXPECT_EQ(GdipSetStringFormatLineAlign(f, lineAlign), Ok);
    return Owned<GpStringFormat>(f);
}

Owned<GpSolidFill> Solid(ARGB color)
{
    GpSolidFill* b = nullptr;
    EXPECT_EQ(GdipCreateSolidFill(color, &b), Ok);
    return Owned<GpSolidFill>(b);
}

// The bounding box of the pixels that differ from a background colour.
struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1; // inclusive
    int count = 0;
    bool Empty() const { return count == 0; }
    double CentreX() const { return (left + right + 1) / 2.0; }
    double CentreY() const { return (top + bottom + 1) / 2.0; }
};

InkBox InkOf(const test::TestDc& dc, COLORREF background)
{
    InkBox box;
    for (int y = 0; y < dc.height(); ++y) {
        for (int x = 0; x < dc.width(); ++x) {
            if (dc.At(x, y) == background)
                continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
            ++box.count;
        }
    }
    return box;
}

RectF Measure(const char16_t* text, GpFont* font, RectF layout, GpStringFormat* format = nullptr, INT* fitted = nullptr,
    INT* lines = nullptr)
{
    test::TestDc dc(4, 4);
    Owned<GpGraphics> g = GraphicsOn(dc.dc());
    RectF bounds {};
    EXPECT_EQ(GdipMeasureString(g.get(), text, -1, font, &layout, format, &bounds, fitted, lines), Ok);
    return bounds;
}

class TextTest : public GdiplusFixture { };

TEST_F(TextTest, DesktopFontNamesResolveToFacesThatShowChinese)
{
    const char16_t* names[] = { u"宋体", u"SimSun", u"新宋体", u"NSimSun", u"simsun", u"MS Shell Dlg",
        u"MS Shell Dlg 2", u"微软雅黑", u"Microsoft YaHei", u"Tahoma" };
    for (const char16_t* name : names) {
        Owned<GpFontFamily> family = Family(name);
        ASSERT_TRUE(family) << text::Utf16ToUtf8(name);
        FcCharSet* charset = nullptr;
        ASSERT_EQ(FcPatternGetCharSet(family->face, FC_CHARSET, 0, &charset), FcResultMatch);
        for (const char16_t* c = kPreviewText; *c; ++c)
            EXPECT_TRUE(FcCharSetHasChar(charset, *c))
                << text::Utf16ToUtf8(name) << " lacks U+" << std::hex << static_cast<int>(*c);
        for (char c : std::string("50%"))
            EXPECT_TRUE(FcCharSetHasChar(charset, static_cast<FcChar32>(c))) << text::Utf16ToUtf8(name);
    }

    // The Song names get a Song (Ming) face when one is installed, not the
    // sans face of the dialogs.
    Owned<GpFontFamily> song = Family(u"宋体");
    Owned<GpFontFamily> dialog = Family(u"MS Shell Dlg");
    FcChar8* songFamily = nullptr;
    FcChar8* dialogFamily = nullptr;
    FcPatternGetString(song->face, FC_FAMILY, 0, &songFamily);
    FcPatternGetString(dialog->face, FC_FAMILY, 0, &dialogFamily);
    EXPECT_STRNE(reinterpret_cast<char*>(songFamily), reinterpret_cast<char*>(dialogFamily));

    // The family keeps the name it was asked for: an alias stays an alias.
    WCHAR name[32];
    ASSERT_EQ(GdipGetFamilyName(song.get(), name, LANG_NEUTRAL), Ok);
    EXPECT_EQ(std::u16string(name), u"宋体");
}

TEST_F(TextTest, UnknownNamesAreNotFound)
{
    for (const char16_t* name : { u"No Such Font Anywhere", u"", u"宋体体", u"Zzyzx Sans" }) {
        GpFontFamily* f = reinterpret_cast<GpFontFamily*>(0x1);
        EXPECT_EQ(GdipCreateFontFamilyFromName(name, nullptr, &f), FontFamilyNotFound) << text::Utf16ToUtf8(name);
    }
}

TEST_F(TextTest, FontArgumentsAndUnits)
{
    Owned<GpFontFamily> family = Family(u"MS Shell Dlg");
    struct Case {
        REAL size;
        INT style;
        Unit unit;
        GpStatus expected;
    };
    const Case cases[] = {
        { 15, FontStyleRegular, UnitPixel, Ok },
        { 11.25f, FontStyleRegular, UnitPoint, Ok },
        { 15, FontStyleRegular, UnitWorld, Ok },
        { 15, FontStyleBold, UnitPixel, Ok },
        { 15, FontStyleItalic, UnitPixel, Ok },
        { 0, FontStyleRegular, UnitPixel, InvalidParameter },
        { -3, FontStyleRegular, UnitPixel, InvalidParameter },
        { std::nanf(""), FontStyleRegular, UnitPixel, InvalidParameter },
        { 15, FontStyleRegular, UnitDisplay, InvalidParameter },
        { 15, FontStyleRegular, static_cast<Unit>(7), InvalidParameter },
        { 15, 16, UnitPixel, InvalidParameter },
        { 15, FontStyleUnderline, UnitPixel, NotImplemented },
    };
    for (const Case& c : cases) {
        GpFont* f = nullptr;
        EXPECT_EQ(GdipCreateFont(family.get(), c.size, c.style, c.unit, &f), c.expected)
            << c.size << " " << c.style << " " << c.unit;
        if (f)
            GdipDeleteFont(f);
    }

    // 11.25 points are 15 pixels at 96 dots per inch; world units are pixels.
    Owned<GpFont> pixels = FontOf(u"MS Shell Dlg", 15, UnitPixel);
    Owned<GpFont> points = FontOf(u"MS Shell Dlg", 11.25f, UnitPoint);
    Owned<GpFont> world = FontOf(u"MS Shell Dlg", 15, UnitWorld);
    Owned<GpFont> doubled = FontOf(u"MS Shell Dlg", 30, UnitPixel);
    const RectF none { 0, 0, 0, 0 };
    const RectF a = Measure(u"透明度", pixels.get(), none);
    EXPECT_GT(a.Width, 0);
    EXPECT_FLOAT_EQ(Measure(u"透明度", points.get(), none).Width, a.Width);
    EXPECT_FLOAT_EQ(Measure(u"透明度", world.get(), none).Height, a.Height);
    EXPECT_NEAR(Measure(u"透明度", doubled.get(), none).Width, 2 * a.Width, 1.0);
}

TEST_F(TextTest, MeasuringLinesWrapsAndLimits)
{
    Owned<GpFont> font = FontOf(u"宋体", 15);
    const RectF none { 0, 0, 0, 0 };
    const RectF one = Measure(u"透", font.get(), none);
    INT fitted = 0, lines = 0;
    const RectF three = Measure(u"透明度", font.get(), none, nullptr, &fitted, &lines);
    EXPECT_NEAR(three.Width, 3 * one.Width, 0.01);
    EXPECT_EQ(fitted, 3);
    EXPECT_EQ(lines, 1);

    struct Case {
        const char16_t* text;
        REAL width, height;
        INT flags;
        INT lines, fitted;
    };
    const REAL w = one.Width, h = one.Height;
    const Case cases[] = {
        { u"透明度", 0, 0, 0, 1, 3 }, // no width: no wrapping
        { u"透明度", 2.5f * w, 0, 0, 2, 3 }, // CJK breaks anywhere
        { u"透明度", w / 2, 0, 0, 3, 3 }, // at least one character a line
        { u"透明度", 2.5f * w, 0, gdiplus::kFormatNoWrap, 1, 3 },
        { u"透\n明度", 0, 0, 0, 2, 4 },
        { u"透\r\n明度", 0, 0, 0, 2, 5 },
        { u"透明度", w / 2, 1.5f * h, 0, 2, 2 }, // the second line starts inside the height
        { u"透明度", w / 2, 1.5f * h, gdiplus::kFormatLineLimit, 1, 1 },
    };
    for (const Case& c : cases) {
        GpStringFormat* f = nullptr;
        ASSERT_EQ(GdipCreateStringFormat(c.flags, LANG_NEUTRAL, &f), Ok);
        Owned<GpStringFormat> format(f);
        fitted = lines = -1;
        Measure(c.text, font.get(), RectF { 0, 0, c.width, c.height }, format.get(), &fitted, &lines);
        EXPECT_EQ(lines, c.lines) << text::Utf16ToUtf8(c.text) << " in " << c.width << "x" << c.height;
        EXPECT_EQ(fitted, c.fitted) << text::Utf16ToUtf8(c.text) << " in " << c.width << "x" << c.height;
    }

    // Latin text breaks between words, the space hanging at the line's end.
    Owned<GpFont> latin = FontOf(u"MS Shell Dlg", 15);
    const RectF word = Measure(u"Hello", latin.get(), none);
    Measure(u"Hello world", latin.get(), RectF { 0, 0, word.Width * 1.5f, 0 }, nullptr, &fitted, &lines);
    EXPECT_EQ(lines, 2);
    const RectF wrapped = Measure(u"Hello world", latin.get(), RectF { 0, 0, word.Width * 1.5f, 0 });
    EXPECT_LE(wrapped.Width, word.Width * 1.5f);
}

TEST_F(TextTest, AlignmentPlacesTheBoundsInTheRectangle)
{
    Owned<GpFont> font = FontOf(u"宋体", 15);
    const RectF text = Measure(u"透明度", font.get(), RectF { 0, 0, 0, 0 });
    const RectF layout { 10, 20, 100, 50 };
    const StringAlignment all[] = { StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar };
    for (StringAlignment h : all) {
        for (StringAlignment v : all) {
            Owned<GpStringFormat> f = Format(h, v);
            const RectF b = Measure(u"透明度", font.get(), layout, f.get());
            const double share[] = { 0.0, 0.5, 1.0 };
            EXPECT_NEAR(b.X, layout.X + (layout.Width - text.Width) * share[h], 0.01) << h << "," << v;
            EXPECT_NEAR(b.Y, layout.Y + (layout.Height - text.Height) * share[v], 0.01) << h << "," << v;
            EXPECT_NEAR(b.Width, text.Width, 0.01);
        }
    }
}

TEST_F(TextTest, CentredChineseInksOnlyInsideItsRectangle)
{
    Owned<GpFont> font = FontOf(u"宋体", 15);
    Owned<GpStringFormat> centred = Format(StringAlignmentCenter, StringAlignmentCenter);
    Owned<GpSolidFill> black = Solid(0xFF000000);
    struct Case {
        RectF layout;
        bool centreChecked; // a rectangle too small for the text clips it instead
    };
    const Case cases[] = {
        { RectF { 20, 10, 200, 40 }, true },
        { RectF { 37, 23, 151, 19 }, true },
        { RectF { 60, 15, 50, 10 }, false },
    };
    for (const Case& c : cases) {
        test::TestDc dc(240, 60, RGB(255, 255, 255));
        Owned<GpGraphics> g = GraphicsOn(dc.dc());
        ASSERT_EQ(GdipDrawString(g.get(), kPreviewText, -1, font.get(), &c.layout, centred.get(), black.get()), Ok);
        const InkBox ink = InkOf(dc, RGB(255, 255, 255));
        ASSERT_FALSE(ink.Empty());
        EXPECT_GE(ink.left, c.layout.X);
        EXPECT_GE(ink.top, c.layout.Y);
        EXPECT_LT(ink.right, c.layout.X + c.layout.Width);
        EXPECT_LT(ink.bottom, c.layout.Y + c.layout.Height);
        if (c.centreChecked) {
            EXPECT_NEAR(ink.CentreX(), c.layout.X + c.layout.Width / 2, 2.0);
            EXPECT_NEAR(ink.CentreY(), c.layout.Y + c.layout.Height / 2, 2.0);
        }
        // The dirty box covers the ink.
        const RECT dirty = dc.surface().Dirty();
        EXPECT_TRUE(
            dirty.left <= ink.left && dirty.top <= ink.top && dirty.right > ink.right && dirty.bottom > ink.bottom);
    }
}

TEST_F(TextTest, PercentageOverTranslucentBarIsReadable)
{
    test::TestDc dc(300, 120, RGB(255, 255, 255));
    Owned<GpGraphics> g = GraphicsOn(dc.dc());
    Owned<GpSolidFill> bar = Solid(0x80FF0000);
    ASSERT_EQ(GdipFillRectangleI(g.get(), bar.get(), 140, 75, 70, 20), Ok);
    const COLORREF barColour = dc.At(175, 76);

    Owned<GpFont> font = FontOf(u"宋体", 15);
    Owned<GpStringFormat> centred = Format(StringAlignmentCenter, StringAlignmentCenter);
    Owned<GpSolidFill> black = Solid(0xFF000000);
    const RectF layout { 140, 75, 70, 20 };
    ASSERT_EQ(GdipDrawString(g.get(), u"50%", -1, font.get(), &layout, centred.get(), black.get()), Ok);

    int dark = 0, outside = 0;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 300; ++x) {
            const COLORREF c = dc.At(x, y);
            const bool inBar = x >= 140 && x < 210 && y >= 75 && y < 95;
            if (!inBar)
                outside += c != RGB(255, 255, 255);
            else
                dark += GetRValue(c) + 60 < GetRValue(barColour); // well darker than the bar
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(dark, 15); // three glyphs of solid strokes
    const InkBox ink = InkOf(dc, RGB(255, 255, 255));
    EXPECT_EQ(ink.left, 140); // the bar itself
    EXPECT_EQ(ink.bottom, 94);
}

TEST_F(TextTest, RenderingHintsChooseAntiAliasedOrBilevelGlyphs)
{
    Owned<GpFont> font = FontOf(u"宋体", 15);
    Owned<GpSolidFill> black = Solid(0xFF000000);
    const RectF layout { 0, 0, 160, 30 };
    struct Case {
        TextRenderingHint hint;
        bool greys;
    };
    for (Case c : { Case { TextRenderingHintAntiAlias, true }, Case { TextRenderingHintAntiAliasGridFit, true },
             Case { TextRenderingHintSingleBitPerPixel, false },
             Case { TextRenderingHintSingleBitPerPixelGridFit, false } }) {
        test::TestDc dc(160, 30, RGB(255, 255, 255));
        Owned<GpGraphics> g = GraphicsOn(dc.dc(), c.hint);
        ASSERT_EQ(GdipDrawString(g.get(), kPreviewText, -1, font.get(), &layout, nullptr, black.get()), Ok);
        const int black_ = dc.Count(RGB(0, 0, 0));
        const int grey = 160 * 30 - black_ - dc.Count(RGB(255, 255, 255));
        EXPECT_GT(black_ + grey, 50) << c.hint;
        EXPECT_EQ(grey > 0, c.greys) << c.hint;
    }
}

TEST_F(TextTest, ArgumentsAreChecked)
{
    test::TestDc dc(10, 10);
    Owned<GpGraphics> g = GraphicsOn(dc.dc());
    Owned<GpFontFamily> family = Family(u"宋体");
    Owned<GpFont> font = FontOf(u"宋体", 15);
    Owned<GpSolidFill> brush = Solid(0xFF000000);
    Owned<GpStringFormat> format = Format(StringAlignmentNear, StringAlignmentNear);
    const RectF r { 0, 0, 10, 10 };
    RectF bounds {};
    WCHAR name[32];
    GpFontFamily* newFamily = nullptr;
    GpFont* newFont = nullptr;
    GpStringFormat* newFormat = nullptr;
    EXPECT_EQ(GdipCreateFontFamilyFromName(nullptr, nullptr, &newFamily), InvalidParameter);
    EXPECT_EQ(GdipCreateFontFamilyFromName(u"宋体", nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetFamilyName(family.get(), nullptr, LANG_NEUTRAL), InvalidParameter);
    EXPECT_EQ(GdipCreateFont(nullptr, 15, 0, UnitPixel, &newFont), InvalidParameter);
    EXPECT_EQ(GdipCreateStringFormat(0, LANG_NEUTRAL, nullptr), InvalidParameter);
    EXPECT_EQ(GdipSetStringFormatAlign(format.get(), static_cast<StringAlignment>(3)), InvalidParameter);
    EXPECT_EQ(GdipSetStringFormatLineAlign(format.get(), static_cast<StringAlignment>(3)), InvalidParameter);
    EXPECT_EQ(GdipDrawString(nullptr, u"x", -1, font.get(), &r, nullptr, brush.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawString(g.get(), nullptr, -1, font.get(), &r, nullptr, brush.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawString(g.get(), u"x", -1, nullptr, &r, nullptr, brush.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawString(g.get(), u"x", -1, font.get(), nullptr, nullptr, brush.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawString(g.get(), u"x", -1, font.get(), &r, nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(GdipDrawString(g.get(), u"x", -2, font.get(), &r, nullptr, brush.get()), InvalidParameter);
    EXPECT_EQ(GdipMeasureString(g.get(), u"x", -1, font.get(), &r, nullptr, nullptr, nullptr, nullptr),
        InvalidParameter);
    for (auto destroy : { GdipDeleteFont(nullptr), GdipDeleteFontFamily(nullptr), GdipDeleteStringFormat(nullptr) })
        EXPECT_EQ(destroy, InvalidParameter);

    NotStartedScope notStarted;
    EXPECT_EQ(GdipCreateFontFamilyFromName(u"宋体", nullptr, &newFamily), GdiplusNotInitialized);
    EXPECT_EQ(GdipGetFamilyName(family.get(), name, LANG_NEUTRAL), GdiplusNotInitialized);
    EXPECT_EQ(GdipCreateFont(family.get(), 15, 0, UnitPixel, &newFont), GdiplusNotInitialized);
    EXPECT_EQ(GdipCreateStringFormat(0, LANG_NEUTRAL, &newFormat), GdiplusNotInitialized);
    EXPECT_EQ(GdipSetStringFormatAlign(format.get(), StringAlignmentCenter), GdiplusNotInitialized);
    EXPECT_EQ(GdipSetStringFormatLineAlign(format.get(), StringAlignmentCenter), GdiplusNotInitialized);
    EXPECT_EQ(GdipDrawString(g.get(), u"x", -1, font.get(), &r, nullptr, brush.get()), GdiplusNotInitialized);
    EXPECT_EQ(GdipMeasureString(g.get(), u"x", -1, font.get(), &r, nullptr, &bounds, nullptr, nullptr),
        GdiplusNotInitialized);
    for (auto destroy :
        { GdipDeleteFont(font.get()), GdipDeleteFontFamily(family.get()), GdipDeleteStringFormat(format.get()) })
        EXPECT_EQ(destroy, GdiplusNotInitialized);
}

} // namespace
