#include "draw/DrawPen.h"

#include "draw/FinalGraphics.h"

#include <vector>

template <typename Scale>
void CDrawPen::DrawSegments(CDC* dc, Scale scale) const
{
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        dc->MoveTo(scale(m_points[i == 0 ? 0 : i - 1]));
        dc->LineTo(scale(m_points[i]));
    }
}

void CDrawPen::AddPoint(int x, int y, CDC* dc)
{
    if (dc) {
        RubberBand band(dc, m_pen);
        dc->MoveTo(m_points.empty() ? CPoint(x, y) : m_points.back());
        dc->LineTo(x, y);
    }
    m_points.emplace_back(x, y);
}

void CDrawPen::AddPointZoomed(int x, int y, CDC* dc, GpImage*, HWND)
{
    m_points.emplace_back(x, y);
    if (!dc)
        return;
    RubberBand band(dc, m_pen);
    DrawSegments(dc, [](POINT p) { return Zoomed(p); });
}

void CDrawPen::DrawFinal(CDC* dc)
{
    if (!dc)
        return;
    {
        // The same segments AddPoint drew, so the rubber band disappears.
        RubberBand band(dc, m_pen);
        DrawSegments(dc, [](POINT p) { return CPoint(p); });
    }
    if (FinalGraphics g = FinalGraphics::OnDc(dc, SmoothingModeHighQuality))
        RenderCurve(g.get());
}

void CDrawPen::DrawOnImage(GpImage* image)
{
    FinalGraphics g = FinalGraphics::OnImage(image, SmoothingModeAntiAlias);
    if (!g || !m_pGdipPen)
        return;
    // A stroke laid into an image always has round ends, whatever caps the
    // line type chose.
    GdipSetPenStartCap(m_pGdipPen, LineCapRound);
    GdipSetPenEndCap(m_pGdipPen, LineCapRound);
    GdipSetPenLineJoin(m_pGdipPen, LineJoinRound);
    RenderCurve(g.get());
}

void CDrawPen::RenderCurve(GpGraphics* graphics) const
{
    if (!m_pGdipPen)
        return;
    std::vector<GpPoint> points;
    points.reserve(m_points.size());
    for (const CPoint& p : m_points)
        points.push_back(GpPoint { p.x, p.y });
    // Fewer than two points draw nothing.
    GdipDrawCurveI(graphics, m_pGdipPen, points.data(), static_cast<INT>(points.size()));
}
