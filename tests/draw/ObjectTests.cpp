// The factory, the configuration operations and the eraser.

#include "draw/DrawCircle.h"
#include "draw/DrawElliptic.h"
#include "draw/DrawErase.h"
#include "draw/DrawLine.h"
#include "draw/DrawPen.h"
#include "draw/DrawRect.h"
#include "draw/DrawSettings.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(CreateDrawObj, MakesTheObjectOfEveryToolId)
{
    struct Case {
        int tool;
        std::function<bool(CDrawObj*)> isExpectedKind;
        int fill;
    };
    auto is = [](auto* typeTag) {
        using T = std::remove_pointer_t<decltype(typeTag)>;
        return [](CDrawObj* o) { return dynamic_cast<T*>(o) != nullptr; };
    };
    const Case cases[] = {
        { 1, is(static_cast<CDrawErase*>(nullptr)), 0 },
        { 2, is(static_cast<CDrawPen*>(nullptr)), 0 },
        { 3, is(static_cast<CDrawLine*>(nullptr)), 0 },
        { 4, is(static_cast<CDrawRect*>(nullptr)), 0 },
        { 5, is(static_cast<CDrawRect*>(nullptr)), 1 },
        { 6, is(static_cast<CDrawCircle*>(nullptr)), 0 },
        { 7, is(static_cast<CDrawCircle*>(nullptr)), 1 },
        { 8, is(static_cast<CDrawElliptic*>(nullptr)), 0 },
        { 9, is(static_cast<CDrawElliptic*>(nullptr)), 1 },
    };
    for (const Case& c : cases) {
        std::unique_ptr<CDrawObj> obj(CreateDrawObj(c.tool));
        ASSERT_NE(obj, nullptr) << c.tool;
        EXPECT_TRUE(c.isExpectedKind(obj.get())) << c.tool;
        EXPECT_EQ(obj->m_bFill, c.fill) << c.tool;
        EXPECT_TRUE(obj->m_points.empty());
    }
    for (int tool : { 0, 10, -1, 1000 })
        EXPECT_EQ(CreateDrawObj(tool), nullptr) << tool;
}

TEST(DrawObjConfiguration, AlphaAppliesToPensMadeAfterwards)
{
    std::unique_ptr<CDrawObj> obj(CreateDrawObj(TOOL_LINE));
    obj->SetAlpha(AlphaFromPercent(50));
    obj->SetPen(PS_SOLID, 4, RGB(0x12, 0x34, 0x56));
    ARGB color = 0;
    ASSERT_EQ(GdipGetPenColor(obj->m_pGdipPen, &color), Ok);
    EXPECT_EQ(color, 0x7F123456u);
    EXPECT_EQ(obj->m_argb, 0x7F123456u);
    obj->SetAlpha(255);
    GdipGetPenColor(obj->m_pGdipPen, &color);
    EXPECT_EQ(color, 0x7F123456u) << "a later SetAlpha leaves the pen alone";
    REAL width = 0;
    GdipGetPenWidth(obj->m_pGdipPen, &width);
    EXPECT_EQ(width, 4.0f);
}

TEST(DrawObjConfiguration, LineTypesOnlyEverAddToThePen)
{
    std::unique_ptr<CDrawObj> obj(CreateDrawObj(TOOL_LINE));
    obj->SetPen(PS_SOLID, 2, RGB(0, 0, 0));
    INT dashes = -1;
    GdipGetPenDashCount(obj->m_pGdipPen, &dashes);
    EXPECT_EQ(dashes, 0);
    obj->SetLineType(LINE_DASHED);
    GdipGetPenDashCount(obj->m_pGdipPen, &dashes);
    EXPECT_EQ(dashes, 4);
    obj->SetLineType(LINE_ARROW);
    GpLineCap start = LineCapFlat, end = LineCapFlat;
    GdipGetPenStartCap(obj->m_pGdipPen, &start);
    GdipGetPenEndCap(obj->m_pGdipPen, &end);
    EXPECT_EQ(start, LineCapRoundAnchor);
    EXPECT_EQ(end, LineCapArrowAnchor);
    obj->SetLineType(LINE_FREE);
    GdipGetPenDashCount(obj->m_pGdipPen, &dashes);
    GdipGetPenEndCap(obj->m_pGdipPen, &end);
    EXPECT_EQ(dashes, 4) << "type 0 removes nothing";
    EXPECT_EQ(end, LineCapArrowAnchor);
}

TEST(DrawObjConfiguration, BlinkClockIsStampedOnce)
{
    std::unique_ptr<CDrawObj> obj(CreateDrawObj(TOOL_PEN));
    obj->SetBlinkTiming(1000, 3, 500, 500);
    EXPECT_EQ(obj->m_nBlinkDelay, 1000);
    EXPECT_EQ(obj->m_nBlinkCount, 3);
    obj->m_dwBlinkStart = 1234;
    obj->StartBlinkClock();
    EXPECT_EQ(obj->m_dwBlinkStart, 1234u);
}

TEST(Eraser, ClearsASquareFourTimesThePenWidthDownAndRight)
{
    auto overlay = test::MakeOverlay(40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            GdipBitmapSetPixel(overlay.get(), x, y, 0xFF336699);
    auto eraser = test::MakeObject(TOOL_ERASE, 5, RGB(255, 0, 0));
    EXPECT_EQ(eraser->m_nSize, 20);
    eraser->AddPointZoomed(10, 12, nullptr, overlay.get(), nullptr);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= 10 && x < 30 && y >= 12 && y < 32;
            ASSERT_EQ(test::PixelOf(overlay.get(), x, y), inside ? 0u : 0xFF336699u) << x << "," << y;
        }
    EXPECT_TRUE(eraser->m_points.empty()) << "the eraser keeps no points";
}

TEST(Eraser, StopsAtTheBitmapsEdge)
{
    auto overlay = test::MakeOverlay(30, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            GdipBitmapSetPixel(overlay.get(), x, y, 0xFF000000);
    auto eraser = test::MakeObject(TOOL_ERASE, 3, 0);
    eraser->AddPointZoomed(25, 22, nullptr, overlay.get(), nullptr);
    eraser->AddPointZoomed(-6, -6, nullptr, overlay.get(), nullptr);
    int cleared = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            cleared += test::PixelOf(overlay.get(), x, y) == 0;
    EXPECT_EQ(cleared, 5 * 8 + 6 * 6);
    EXPECT_EQ(test::PixelOf(overlay.get(), 29, 29), 0u);
    EXPECT_EQ(test::PixelOf(overlay.get(), 24, 29), 0xFF000000u);
}

TEST(Eraser, PressAndReleaseDrawNothing)
{
    test::TestDc surface(30, 30);
    surface.FillNoise(11);
    auto before = surface.Pixels();
    CDC* dc = CDC::FromHandle(surface.dc());
    auto overlay = test::MakeOverlay(30, 30);
    auto eraser = test::MakeObject(TOOL_ERASE, 4, RGB(1, 2, 3));
    eraser->AddPoint(5, 5, dc);
    eraser->AddPoint(5, 5, dc);
    eraser->DrawFinal(dc);
    eraser->DrawOnImage(overlay.get());
    EXPECT_EQ(surface.CountChanged(before), 0);
    EXPECT_TRUE(eraser->m_points.empty());
    EXPECT_EQ(test::PixelOf(overlay.get(), 5, 5), 0u);
    CDC::DeleteTempMap();
}

} // namespace
