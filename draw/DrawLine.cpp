#include "draw/DrawLine.h"

#include "draw/FinalGraphics.h"

void CDrawLine::AddPoint(int x, int y, CDC* dc)
{
    if (!m_points.empty() && dc) {
        RubberBand band(dc, m_pen);
        // Remove the segment to the previous point, then draw the new one.
        dc->MoveTo(m_points.front());
        dc->LineTo(m_points.back());
        dc->MoveTo(m_points.front());
        dc->LineTo(x, y);
    }
    m_points.emplace_back(x, y);
}

void CDrawLine::AddPointZoomed(int x, int y, CDC* dc, GpImage*, HWND)
{
    if (!m_points.empty() && dc) {
        RubberBand band(dc, m_pen);
        dc->MoveTo(Zoomed(m_points.front()));
        dc->LineTo(Zoomed(CPoint(x, y)));
    }
    m_points.emplace_back(x, y);
}

void CDrawLine::DrawFinal(CDC* dc)
{
    if (!dc || m_points.empty())
        return;
    {
        RubberBand band(dc, m_pen);
        dc->MoveTo(m_points.front());
        dc->LineTo(m_points.front());
        dc->LineTo(m_points.back());
    }
    if (FinalGraphics g = FinalGraphics::OnDc(dc, SmoothingModeHighQuality))
        Render(g.get());
}

void CDrawLine::DrawOnImage(GpImage* image)
{
    if (FinalGraphics g = FinalGraphics::OnImage(image, SmoothingModeHighQuality))
        Render(g.get());
}

void CDrawLine::Render(GpGraphics* graphics) const
{
    // A line has no inside: the fill flag is ignored.
    if (!m_pGdipPen || m_points.empty())
        return;
    const CPoint& a = m_points.front();
    const CPoint& b = m_points.back();
    GdipDrawLineI(graphics, m_pGdipPen, a.x, a.y, b.x, b.y);
}
