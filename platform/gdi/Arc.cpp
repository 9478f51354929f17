// Arc: part or all of the outline of the ellipse inscribed in a box (right
// and bottom exclusive), counter-clockwise from the radial through the start
// point to the radial through the end point. Equal radials draw the whole
// ellipse. The outline is collected first and painted once, because its
// pieces overlap.

#include "platform/gdi/ArcSweep.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/EllipseGeometry.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/SpanSet.h"
#include "platform/gdi/Stroke.h"

#include <algorithm>

using namespace gdi;

BOOL Arc(HDC hdc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    std::optional<POINT> a = FigurePoint(*dc, left, top);
    std::optional<POINT> b = FigurePoint(*dc, right, bottom);
    std::optional<POINT> s = FigurePoint(*dc, xStart, yStart);
    std::optional<POINT> e = FigurePoint(*dc, xEnd, yEnd);
    if (!a || !b || !s || !e)
        return FALSE;
    const Pen& pen = *dc->pen;
    RECT box = Stroke::FigureBox(pen, *a, *b);
    if (!dc->target || pen.IsNull() || box.left >= box.right || box.top >= box.bottom)
        return TRUE;

    EllipseGeometry ellipse(box);
    const std::int64_t cx2 = static_cast<std::int64_t>(box.left) + box.right - 1;
    const std::int64_t cy2 = static_cast<std::int64_t>(box.top) + box.bottom - 1;
    ArcSweep sweep(cx2, cy2, 2 * static_cast<std::int64_t>(s->x), 2 * static_cast<std::int64_t>(s->y),
        2 * static_cast<std::int64_t>(e->x), 2 * static_cast<std::int64_t>(e->y));

    Raster raster(*dc, PenOp(*dc));
    const RECT& clip = raster.ClipBox();
    int reach = Stroke::Reach(pen);
    SpanSet& set = SpanSet::Scratch();
    set.Reset(std::max<int>(clip.top, box.top - reach), std::min<int>(clip.bottom, box.bottom + reach));
    Stroke::Ellipse(pen, ellipse, sweep, clip, set);
    set.PaintTo(raster);
    return TRUE;
}
