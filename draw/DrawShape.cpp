#include "draw/DrawShape.h"

#include "draw/FinalGraphics.h"

#include <algorithm>
#include <cstdlib>

GpRect CDrawShape::NormalisedBox(CPoint s, CPoint e)
{
    return GpRect { std::min(s.x, e.x), std::min(s.y, e.y), std::abs(e.x - s.x), std::abs(e.y - s.y) };
}

void CDrawShape::AddPoint(int x, int y, CDC* dc)
{
    CPoint p(x, y);
    if (m_points.empty())
        m_ptStart = m_ptCur = p;
    if (dc) {
        // For the first point the degenerate figure is drawn twice and
        // cancels out.
        RubberBand band(dc, m_pen);
        DrawBand(dc, m_ptStart, m_ptCur, 1.0f);
        DrawBand(dc, m_ptStart, p, 1.0f);
    }
    m_ptCur = p;
    m_points.push_back(p);
}

void CDrawShape::AddPointZoomed(int x, int y, CDC* dc, GpImage*, HWND)
{
    CPoint p(x, y);
    if (m_points.empty())
        m_ptStart = p;
    m_ptCur = Zoomed(p);
    if (dc) {
        RubberBand band(dc, m_pen);
        DrawBand(dc, m_ptStart, p, g_zoomFactor);
    }
    m_points.push_back(p);
}

void CDrawShape::DrawFinal(CDC* dc)
{
    if (!dc || m_points.empty())
        return;
    m_ptEnd = m_points.back();
    {
        RubberBand band(dc, m_pen);
        DrawBand(dc, m_ptStart, m_ptEnd, 1.0f);
    }
    if (FinalGraphics g = FinalGraphics::OnDc(dc, SmoothingModeHighQuality))
        RenderFinal(g.get());
}

void CDrawShape::DrawOnImage(GpImage* image)
{
    if (m_points.empty())
        return;
    m_ptEnd = m_points.back();
    if (FinalGraphics g = FinalGraphics::OnImage(image, SmoothingModeHighQuality))
        RenderFinal(g.get());
}

void CDrawShape::RenderFinal(GpGraphics* graphics)
{
    // A filled shape needs the brush, an outline the pen; without it the
    // rendering is skipped.
    if (m_bFill ? m_pGdipBrush != nullptr : m_pGdipPen != nullptr)
        Render(graphics, m_ptStart, m_ptEnd);
}
