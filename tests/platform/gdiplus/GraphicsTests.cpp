// Graphics objects on DCs and bitmaps: where drawing lands (clip, window
// origin, the DC's place in its surface, bottom-up memory), what it marks
// dirty, what a bitmap keeps, the modes, and the status codes.

#include "platform/gdi/DeviceContext.h"
#include "tests/platform/gdiplus/FigureTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace figuretest;
using imagingtest::MakeBitmap;
using imagingtest::PixelOf;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class GraphicsTest : public GdiplusFixture { };

TEST_F(GraphicsTest, ModesOutsideTheirEnumerationsAreRefused)
{
    test::TestDc dc(4, 4);
    auto g = GraphicsOn(dc.dc(), SmoothingModeHighQuality);
    for (int bad : { -1, 5, 100 })
        EXPECT_EQ(GdipSetSmoothingMode(g.get(), static_cast<SmoothingMode>(bad)), InvalidParameter) << bad;
    for (int bad : { -1, 6 })
        EXPECT_EQ(GdipSetTextRenderingHint(g.get(), static_cast<TextRenderingHint>(bad)), InvalidParameter) << bad;
    SmoothingMode mode = SmoothingModeInvalid;
    EXPECT_EQ(GdipGetSmoothingMode(g.get(), &mode), Ok);
    EXPECT_EQ(mode, SmoothingModeHighQuality) << "kept as set, not as rendered";
}

TEST_F(GraphicsTest, NullAndDeadArgumentsAreInvalidParameters)
{
    test::TestDc dc(4, 4);
    auto g = GraphicsOn(dc.dc());
    auto pen = MakePen(0xFF000000, 1);
    auto brush = MakeBrush(0xFF000000);
    auto bitmap = MakeBitmap(2, 2);
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    GpGraphics* out = nullptr;
    const GpPoint pts[] = { { 1, 1 }, { 5, 5 } };
    const GpStatus got[] = {
        GdipCreateFromHDC(nullptr, &out),
        GdipCreateFromHDC(dc.dc(), nullptr),
        GdipCreateFromHDC(gone, &out),
        GdipGetImageGraphicsContext(nullptr, &out),
        GdipGetImageGraphicsContext(bitmap.get(), nullptr),
        GdipDeleteGraphics(nullptr),
        GdipGraphicsClear(nullptr, 0),
        GdipGetSmoothingMode(g.get(), nullptr),
        GdipGetTextRenderingHint(nullptr, nullptr),
        GdipCreatePen1(0, 1, UnitWorld, nullptr),
        GdipClonePen(pen.get(), nullptr),
        GdipGetPenColor(nullptr, nullptr),
        GdipGetPenWidth(pen.get(), nullptr),
        GdipSetPenDashArray(pen.get(), nullptr, 2),
        GdipGetPenDashStyle(pen.get(), nullptr),
        GdipSetPenStartCap(nullptr, LineCapRound),
        GdipGetPenLineJoin(pen.get(), nullptr),
        GdipCreateSolidFill(0, nullptr),
        GdipGetSolidFillColor(brush.get(), nullptr),
        GdipDeleteBrush(nullptr),
        GdipDrawLineI(nullptr, pen.get(), 0, 0, 5, 5),
        GdipDrawLineI(g.get(), nullptr, 0, 0, 5, 5),
        GdipDrawCurveI(g.get(), pen.get(), nullptr, 2),
        GdipDrawCurveI(g.get(), nullptr, pts, 2),
        GdipDrawRectangleI(g.get(), nullptr, 0, 0, 5, 5),
        GdipDrawEllipseI(nullptr, pen.get(), 0, 0, 5, 5),
        GdipDrawArcI(g.get(), nullptr, 0, 0, 5, 5, 0, 90),
        GdipFillRectangleI(g.get(), nullptr, 0, 0, 5, 5),
        GdipFillEllipseI(nullptr, brush.get(), 0, 0, 5, 5),
        // Too few points for a curve.
        GdipDrawCurveI(g.get(), pen.get(), pts, 1),
        GdipDrawCurveI(g.get(), pen.get(), pts, 0),
        GdipDrawCurveI(g.get(), pen.get(), pts, -3),
    };
    for (std::size_t i = 0; i < std::size(got); ++i)
        EXPECT_EQ(got[i], InvalidParameter) << "call " << i;
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(dc.Count(kWhite), 16);
}

TEST(GraphicsBeforeStartup, EveryCallAnswersNotInitialized)
{
    // Objects made while started, used after shutdown.
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    test::TestDc dc(8, 8);
    GpGraphics* g = nullptr;
    GpPen* pen = nullptr;
    GpSolidFill* brush = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(dc.dc(), &g), Ok);
    ASSERT_EQ(GdipCreatePen1(0xFF000000, 1, UnitWorld, &pen), Ok);
    ASSERT_EQ(GdipCreateSolidFill(0xFF000000, &brush), Ok);
    const GpPoint pts[] = { { 0, 0 }, { 4, 4 } };
    const REAL dashes[] = { 1, 1 };
    {
        imagingtest::NotStartedScope off;
        GpGraphics* g2 = nullptr;
        GpPen* p2 = nullptr;
        GpSolidFill* b2 = nullptr;
        SmoothingMode mode;
        TextRenderingHint hint;
        ARGB color;
        REAL width;
        INT count;
        GpDashStyle style;
        GpLineCap cap;
        GpLineJoin join;
        const GpStatus got[] = {
            GdipCreateFromHDC(dc.dc(), &g2),
            GdipGetImageGraphicsContext(nullptr, &g2),
            GdipSetSmoothingMode(g, SmoothingModeAntiAlias),
            GdipGetSmoothingMode(g, &mode),
            GdipSetTextRenderingHint(g, TextRenderingHintAntiAlias),
            GdipGetTextRenderingHint(g, &hint),
            GdipGraphicsClear(g, 0xFF000000),
            GdipCreatePen1(0xFF000000, 1, UnitWorld, &p2),
            GdipClonePen(pen, &p2),
            GdipGetPenColor(pen, &color),
            GdipGetPenWidth(pen, &width),
            GdipSetPenDashArray(pen, dashes, 2),
            GdipGetPenDashCount(pen, &count),
            GdipGetPenDashStyle(pen, &style),
            GdipSetPenStartCap(pen, LineCapRound),
            GdipSetPenEndCap(pen, LineCapRound),
            GdipGetPenStartCap(pen, &cap),
            GdipGetPenEndCap(pen, &cap),
            GdipSetPenLineJoin(pen, LineJoinRound),
            GdipGetPenLineJoin(pen, &join),
            GdipCreateSolidFill(0xFF000000, &b2),
            GdipGetSolidFillColor(brush, &color),
            GdipDrawLineI(g, pen, 0, 0, 4, 4),
            GdipDrawCurveI(g, pen, pts, 2),
            GdipDrawRectangleI(g, pen, 0, 0, 4, 4),
            GdipFillRectangleI(g, brush, 0, 0, 4, 4),
            GdipDrawArcI(g, pen, 0, 0, 4, 4, 0, 90),
            GdipDrawEllipseI(g, pen, 0, 0, 4, 4),
            GdipFillEllipseI(g, brush, 0, 0, 4, 4),
            GdipDeleteBrush(brush),
            GdipDeletePen(pen),
            GdipDeleteGraphics(g),
        };
        for (std::size_t i = 0; i < std::size(got); ++i)
            EXPECT_EQ(got[i], GdiplusNotInitialized) << "call " << i;
        EXPECT_TRUE(g2 == nullptr && p2 == nullptr && b2 == nullptr);
    }
    EXPECT_EQ(dc.Count(kWhite), 64) << "nothing was drawn";
    EXPECT_EQ(GdipDeleteBrush(brush), Ok);
    EXPECT_EQ(GdipDeletePen(pen), Ok);
    EXPECT_EQ(GdipDeleteGraphics(g), Ok);
    GdiplusShutdown(token);
}

TEST_F(GraphicsTest, ClipAndWindowOriginAreTakenFromTheDc)
{
    test::TestDc dc(16, 16);
    // Logical (10, 5) is device (0, 0); the clip is two device rectangles.
    HRGN a = CreateRectRgn(1, 1, 5, 5);
    HRGN b = CreateRectRgn(8, 3, 12, 14);
    ASSERT_NE(CombineRgn(a, a, b, RGN_OR), ERROR);
    ASSERT_NE(SelectClipRgn(dc.dc(), a), ERROR);
    DeleteObject(a);
    DeleteObject(b);
    ASSERT_TRUE(SetWindowOrgEx(dc.dc(), 10, 5, nullptr));
    auto g = GraphicsOn(dc.dc(), SmoothingModeAntiAlias);
    // The clip is the DC's when the graphics was made, not later.
    ASSERT_NE(SelectClipRgn(dc.dc(), nullptr), ERROR);
    auto brush = MakeBrush(0xFF00FF00);
    dc.surface().TakeDirty();
    // Logical (11, 6)-(21, 18) is device (1, 1)-(11, 13).
    ASSERT_EQ(GdipFillEllipseI(g.get(), brush.get(), -15, -15, 64, 64), Ok);
    ASSERT_EQ(GdipFillRectangleI(g.get(), brush.get(), 11, 6, 10, 12), Ok);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool inside = (x >= 1 && x < 5 && y >= 1 && y < 5) || (x >= 8 && x < 12 && y >= 3 && y < 14);
            ASSERT_EQ(dc.At(x, y), inside ? kGreen : kWhite) << x << "," << y << "\n" << dc.Mask(kGreen);
        }
    EXPECT_EQ(Describe(dc.surface().TakeDirty()), Describe(RECT { 1, 1, 12, 14 }));
}

TEST_F(GraphicsTest, DcPlacedInsideItsSurfaceDrawsThere)
{
    // A DC whose device area is the 10 x 8 block at (4, 3) of a larger
    // surface, as a window's client area inside its backing store.
    test::TestDc dc(20, 16);
    gdi::DeviceContext* state = gdi::DcFromHandle(dc.dc());
    state->surfaceOffset = POINT { 4, 3 };
    state->deviceSize = SIZE { 10, 8 };
    state->ClipChanged();
    auto g = GraphicsOn(dc.dc());
    auto brush = MakeBrush(0xFF00FF00);
    dc.surface().TakeDirty();
    ASSERT_EQ(GdipFillRectangleI(g.get(), brush.get(), 6, 5, 10, 10), Ok);
    // Device (6, 5)-(10, 8) is surface (10, 8)-(14, 11).
    EXPECT_EQ(Describe(InkBox(dc)), Describe(RECT { 10, 8, 14, 11 })) << dc.Mask(kGreen);
    EXPECT_EQ(Describe(dc.surface().TakeDirty()), Describe(RECT { 10, 8, 14, 11 }));
}

TEST_F(GraphicsTest, DirtyBoxCoversTheStrokeAndLittleMore)
{
    test::TestDc dc(100, 60);
    auto g = GraphicsOn(dc.dc(), SmoothingModeAntiAlias);
    struct Case {
        GpLineCap start, end;
        GpLineJoin join;
    };
    for (const Case& c :
        { Case { LineCapRound, LineCapRound, LineJoinRound }, Case { LineCapFlat, LineCapFlat, LineJoinMiter },
            Case { LineCapRoundAnchor, LineCapArrowAnchor, LineJoinRound } }) {
        dc.Fill(kWhite);
        dc.surface().TakeDirty();
        auto pen = MakePen(0xC0FF0000, 6, c.start, c.end, c.join);
        const GpPoint pts[] = { { 20, 20 }, { 50, 40 }, { 80, 25 } };
        ASSERT_EQ(GdipDrawCurveI(g.get(), pen.get(), pts, 3), Ok);
        RECT ink = InkBox(dc);
        RECT dirty = dc.surface().TakeDirty();
        SCOPED_TRACE(Describe(ink) + " in " + Describe(dirty));
        EXPECT_LE(dirty.left, ink.left);
        EXPECT_LE(dirty.top, ink.top);
        EXPECT_GE(dirty.right, ink.right);
        EXPECT_GE(dirty.bottom, ink.bottom);
        // Conservative, but not by much more than a pen width.
        EXPECT_GE(dirty.left, ink.left - 8);
        EXPECT_LE(dirty.right, ink.right + 8);
    }
}

TEST_F(GraphicsTest, PixelsReachingADcAreWhatItsSurfaceHolds)
{
    // cairo sets the unused top byte; a monochrome surface holds only black
    // and white. A translucent clear lands as over black: a DC has no alpha.
    for (int bits : { 32, 1 }) {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateBitmap(24, 16, 1, bits, nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        {
            auto g = GraphicsOn(dc, SmoothingModeAntiAlias);
            auto pen = MakePen(0x80FF8000, 4, LineCapRound, LineCapRound);
            ASSERT_EQ(GdipGraphicsClear(g.get(), 0x80F0F0F0), Ok);
            ASSERT_EQ(GdipDrawLineI(g.get(), pen.get(), 2, 3, 21, 12), Ok);
        }
        const gdi::Surface& s = *gdi::DcFromHandle(dc)->target;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x)
                ASSERT_EQ(s.At(x, y), s.Representable(s.At(x, y))) << bits << " bits at " << x << "," << y;
        EXPECT_EQ(s.At(23, 0), bits == 1 ? 0u : 0x00787878u);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
}

TEST_F(GraphicsTest, BottomUpDibSectionShowsDrawingAtOnce)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bmi {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 8;
    bmi.bmiHeader.biHeight = 6; // bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    auto* memory = static_cast<std::uint32_t*>(bits);
    {
        auto g = GraphicsOn(dc);
        auto brush = MakeBrush(0xFF0000FF);
        // Rows 1 and 2 from the top are rows 4 and 3 in memory.
        ASSERT_EQ(GdipFillRectangleI(g.get(), brush.get(), 2, 1, 3, 2), Ok);
        for (int row = 0; row < 6; ++row)
            for (int x = 0; x < 8; ++x) {
                bool inside = (row == 3 || row == 4) && x >= 2 && x < 5;
                ASSERT_EQ(memory[row * 8 + x], inside ? 0x000000FFu : 0u) << "memory row " << row << " x " << x;
            }
        // The dirty box holds the fill, and at most the pixel beyond its
        // half-pixel edges.
        RECT dirty = gdi::DcFromHandle(dc)->target->Dirty();
        EXPECT_TRUE(dirty.left == 2 && dirty.top == 1 && dirty.right >= 5 && dirty.right <= 6 && dirty.bottom >= 3
            && dirty.bottom <= 4)
            << Describe(dirty);
    }
    EXPECT_EQ(memory[3 * 8 + 2], 0x000000FFu) << "still there after the graphics is gone";
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
}

TEST_F(GraphicsTest, BitmapKeepsStraightAlphaAndCountsChanges)
{
    auto bitmap = MakeBitmap(20, 20);
    auto g = GraphicsOn(bitmap.get(), SmoothingModeAntiAlias);
    std::uint64_t generation = bitmap->generation;
    auto brush = MakeBrush(0x7FFF0000);
    ASSERT_EQ(GdipFillRectangleI(g.get(), brush.get(), 2, 2, 6, 6), Ok);
    EXPECT_GT(bitmap->generation, generation);
    // Alpha 127 over transparent comes back exactly; so does an opaque colour.
    EXPECT_EQ(PixelOf(bitmap.get(), 4, 4), 0x7FFF0000u);
    EXPECT_EQ(PixelOf(bitmap.get(), 12, 12), 0u);
    auto opaque = MakeBrush(0xFF123456);
    generation = bitmap->generation;
    ASSERT_EQ(GdipFillEllipseI(g.get(), opaque.get(), 10, 10, 8, 8), Ok);
    EXPECT_GT(bitmap->generation, generation);
    EXPECT_EQ(PixelOf(bitmap.get(), 14, 14), 0xFF123456u);

    // SourceOver on what is there: alpha 127 red over opaque blue.
    ASSERT_EQ(GdipGraphicsClear(g.get(), 0xFF0000FF), Ok);
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), 0xFF0000FFu);
    ASSERT_EQ(GdipFillRectangleI(g.get(), brush.get(), 0, 0, 4, 4), Ok);
    ARGB mixed = PixelOf(bitmap.get(), 1, 1);
    EXPECT_EQ(mixed >> 24, 255u);
    EXPECT_LE(std::abs(static_cast<int>((mixed >> 16) & 0xFF) - 127), 1) << std::hex << mixed;
    EXPECT_LE(std::abs(static_cast<int>(mixed & 0xFF) - 128), 1) << std::hex << mixed;

    // Clear replaces, alpha and all.
    generation = bitmap->generation;
    ASSERT_EQ(GdipGraphicsClear(g.get(), 0x40FFFFFF), Ok);
    EXPECT_GT(bitmap->generation, generation);
    EXPECT_EQ(PixelOf(bitmap.get(), 19, 19), 0x40FFFFFFu);
}

} // namespace
