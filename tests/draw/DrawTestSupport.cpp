#include "tests/draw/DrawTestSupport.h"

#include "draw/DrawSettings.h"
#include "tests/support/GdiplusSession.h"

#include <gtest/gtest.h>

namespace test {

// Every drawing-object test runs with GDI+ started.
const auto* const g_session = ::testing::AddGlobalTestEnvironment(new GdiplusSession);

BitmapPtr MakeOverlay(int width, int height)
{
    GpBitmap* b = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &b), Ok);
    return BitmapPtr(b);
}

ARGB PixelOf(GpBitmap* bitmap, int x, int y)
{
    ARGB c = 0;
    EXPECT_EQ(GdipBitmapGetPixel(bitmap, x, y, &c), Ok) << x << "," << y;
    return c;
}

int AlphaOf(GpBitmap* bitmap, int x, int y) { return static_cast<int>(PixelOf(bitmap, x, y) >> 24); }

std::unique_ptr<CDrawObj> MakeObject(int tool, int width, COLORREF color, int alphaPercent, int lineType,
    COLORREF fillColor)
{
    std::unique_ptr<CDrawObj> obj(CreateDrawObj(tool));
    EXPECT_NE(obj, nullptr) << "tool " << tool;
    if (!obj)
        return obj;
    obj->SetAlpha(AlphaFromPercent(alphaPercent));
    if (obj->m_bFill)
        obj->SetBrush(fillColor);
    obj->SetPen(PS_SOLID, width, color);
    obj->SetLineType(lineType);
    return obj;
}

void WithoutFinalRendering(CDrawObj& obj)
{
    if (obj.m_pGdipPen) {
        GdipDeletePen(obj.m_pGdipPen);
        obj.m_pGdipPen = nullptr;
    }
    if (obj.m_pGdipBrush) {
        GdipDeleteBrush(obj.m_pGdipBrush);
        obj.m_pGdipBrush = nullptr;
    }
}

} // namespace test
