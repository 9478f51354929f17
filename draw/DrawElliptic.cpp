#include "draw/DrawElliptic.h"

void CDrawElliptic::DrawBand(CDC* dc, CPoint s, CPoint e, float zoom) const
{
    // The box as given, corners not sorted; both radial points at S draw the
    // whole ellipse.
    int sx = Scale(s.x, zoom), sy = Scale(s.y, zoom);
    dc->Arc(sx, sy, Scale(e.x, zoom), Scale(e.y, zoom), sx, sy, sx, sy);
}

void CDrawElliptic::Render(GpGraphics* graphics, CPoint s, CPoint e) const
{
    GpRect box = NormalisedBox(s, e);
    if (m_bFill)
        GdipFillEllipseI(graphics, m_pGdipBrush, box.X, box.Y, box.Width, box.Height);
    else
        GdipDrawArcI(graphics, m_pGdipPen, box.X, box.Y, box.Width, box.Height, 0.0f, 360.0f);
}
