#include "draw/DrawRect.h"

void CDrawRect::DrawBand(CDC* dc, CPoint s, CPoint e, float zoom) const
{
    CPoint a(Scale(s.x, zoom), Scale(s.y, zoom));
    CPoint b(Scale(e.x, zoom), Scale(e.y, zoom));
    dc->MoveTo(a.x, a.y);
    dc->LineTo(b.x, a.y);
    dc->LineTo(b.x, b.y);
    dc->LineTo(a.x, b.y);
    dc->LineTo(a.x, a.y);
}

void CDrawRect::Render(GpGraphics* graphics, CPoint s, CPoint e) const
{
    GpRect box = NormalisedBox(s, e);
    if (m_bFill)
        GdipFillRectangleI(graphics, m_pGdipBrush, box.X, box.Y, box.Width, box.Height);
    else
        GdipDrawRectangleI(graphics, m_pGdipPen, box.X, box.Y, box.Width, box.Height);
}
