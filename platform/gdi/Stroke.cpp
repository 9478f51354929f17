#include "platform/gdi/Stroke.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/ThinLine.h"
#include "platform/gdi/WidePen.h"

#include <algorithm>
#include <vector>

namespace gdi {

void Stroke::Polyline(const Pen& pen, const POINT* points, std::size_t count, bool closed, const RECT& clip,
    SpanSink& out)
{
    if (count == 0)
        return;
    if (pen.IsWide()) {
        std::vector<WidePen::Point> wide(count);
        for (std::size_t i = 0; i < count; ++i)
            wide[i] = WidePen::Point { points[i].x, points[i].y };
        WidePen(pen.width, 1, clip).Polyline(wide.data(), count, closed, out);
        return;
    }
    std::size_t segments = closed ? count : count - 1;
    for (std::size_t i = 0; i < segments; ++i)
        ThinLine(points[i], points[(i + 1) % count], false).Draw(clip, out);
}

void Stroke::Frame(const Pen& pen, const RECT& box, const RECT& clip, SpanSink& out)
{
    if (!pen.IsWide()) {
        ThinFrame(box, clip, out);
        return;
    }
    const POINT corners[] = { { box.left, box.top }, { box.right - 1, box.top }, { box.right - 1, box.bottom - 1 },
        { box.left, box.bottom - 1 } };
    Polyline(pen, corners, 4, true, clip, out);
}

void Stroke::Ellipse(const Pen& pen, const EllipseGeometry& ellipse, const ArcSweep& sweep, const RECT& clip,
    SpanSink& out)
{
    if (!pen.IsWide()) {
        ellipse.ThinOutline(sweep, clip, out);
        return;
    }
    // Reused from call to call: a rubber band redraws the same ellipse on
    // every mouse move.
    thread_local std::vector<WidePen::Point> points;
    bool closed = false;
    ellipse.Flatten(sweep, points, closed);
    WidePen(pen.width, EllipseGeometry::kCurveScale, clip).Polyline(points.data(), points.size(), closed, out);
}

RECT Stroke::FigureBox(const Pen& pen, POINT a, POINT b)
{
    RECT box { std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y) };
    if (pen.style != PS_INSIDEFRAME || !pen.IsWide() || box.left >= box.right || box.top >= box.bottom)
        return box;
    // Never shrink past a single row or column through the middle.
    int inset = pen.width / 2;
    int ix = std::min(inset, (box.right - box.left - 1) / 2);
    int iy = std::min(inset, (box.bottom - box.top - 1) / 2);
    return RECT { box.left + ix, box.top + iy, box.right - ix, box.bottom - iy };
}

void Stroke::ThinFrame(const RECT& box, const RECT& clip, SpanSink& out)
{
    if (box.left >= box.right || box.top >= box.bottom)
        return;
    int top = std::max(box.top, clip.top);
    int bottom = std::min(box.bottom, clip.bottom);
    for (int y = top; y < bottom; ++y) {
        if (y == box.top || y == box.bottom - 1) {
            out.AddSpan(y, box.left, box.right);
            continue;
        }
        out.AddSpan(y, box.left, box.left + 1);
        if (box.right - 1 > box.left)
            out.AddSpan(y, box.right - 1, box.right);
    }
}

} // namespace gdi
