#include "draw/DrawCircle.h"

#include <cmath>

int CDrawCircle::Radius(CPoint s, CPoint e)
{
    double dx = s.x - e.x;
    double dy = s.y - e.y;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

void CDrawCircle::DrawBand(CDC* dc, CPoint s, CPoint e, float zoom) const
{
    int r = Radius(s, e);
    // Equal radial points draw the whole ellipse.
    dc->Arc(Scale(s.x - r, zoom), Scale(s.y - r, zoom), Scale(s.x + r, zoom), Scale(s.y + r, zoom), 0, 0, 0, 0);
}

void CDrawCircle::Render(GpGraphics* graphics, CPoint s, CPoint e) const
{
    int r = Radius(s, e);
    if (m_bFill)
        GdipFillEllipseI(graphics, m_pGdipBrush, s.x - r, s.y - r, 2 * r, 2 * r);
    else
        GdipDrawArcI(graphics, m_pGdipPen, s.x - r, s.y - r, 2 * r, 2 * r, 0.0f, 360.0f);
}
