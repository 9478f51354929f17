#include "draw/DrawErase.h"

void CDrawErase::DrawOnImage(GpImage*) { }

void CDrawErase::DrawFinal(CDC*) { }

void CDrawErase::AddPoint(int, int, CDC*) { }

void CDrawErase::AddPointZoomed(int x, int y, CDC*, GpImage* image, HWND)
{
    if (m_nSize <= 0 || !image)
        return;
    auto* bitmap = static_cast<GpBitmap*>(image);
    // Pixels outside the bitmap are refused one by one and skipped.
    for (int i = 0; i < m_nSize; ++i)
        for (int j = 0; j < m_nSize; ++j)
            GdipBitmapSetPixel(bitmap, x + i, y + j, m_argbErase);
}

int CDrawErase::SetPen(int style, int width, COLORREF)
{
    DeleteGdipPen();
    m_nSize = 4 * width;
    m_pen.Attach(::CreatePen(style, 4 * width, RGB(0, 0, 0)));
    m_argb = 0;
    GpPen* pen = nullptr;
    GpStatus status = GdipCreatePen1(0, static_cast<REAL>(4 * width), UnitWorld, &pen);
    if (status != Ok || !pen)
        return 0;
    m_pGdipPen = pen;
    return status;
}

int CDrawErase::SetBrush(COLORREF color)
{
    DeleteGdipBrush();
    m_brush.Attach(::CreateSolidBrush(color));
    GpSolidFill* brush = nullptr;
    GpStatus status = GdipCreateSolidFill(m_argbErase, &brush);
    if (status != Ok || !brush)
        return 0;
    m_pGdipBrush = brush;
    return status;
}
