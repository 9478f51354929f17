// Lines: the current position, LineTo and Polyline.
//
// A one-pixel pen draws ThinLine lines that leave out their end point, so
// that lines drawn end to end never cover the joint twice. A wide pen draws
// capsules that include both ends; a polyline's capsules overlap at the
// joins and are therefore united first and painted once.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/SpanSet.h"
#include "platform/gdi/Stroke.h"
#include "platform/gdi/ThinLine.h"
#include "platform/gdi/WidePen.h"

#include <algorithm>
#include <vector>

using namespace gdi;

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    if (old)
        *old = dc->currentPosition;
    dc->currentPosition = POINT { x, y };
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    std::optional<POINT> from = FigurePoint(*dc, dc->currentPosition.x, dc->currentPosition.y);
    std::optional<POINT> to = FigurePoint(*dc, x, y);
    if (!from || !to)
        return FALSE;
    dc->currentPosition = POINT { x, y };
    // A line to where it starts has no length and draws nothing, whatever the
    // pen's width: a press without a move leaves no mark.
    if (!dc->target || dc->pen->IsNull() || (from->x == to->x && from->y == to->y))
        return TRUE;
    // One line or one capsule covers each pixel once, so it is painted
    // straight away.
    Raster raster(*dc, PenOp(*dc));
    if (dc->pen->IsWide()) {
        WidePen(dc->pen->width, 1, raster.ClipBox())
            .Capsule(WidePen::Point { from->x, from->y }, WidePen::Point { to->x, to->y }, raster);
    } else {
        ThinLine(*from, *to, false).Draw(raster.ClipBox(), raster);
    }
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !points || count < 2)
        return FALSE;
    std::vector<POINT> device(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::optional<POINT> p = FigurePoint(*dc, points[i].x, points[i].y);
        if (!p)
            return FALSE;
        device[static_cast<std::size_t>(i)] = *p;
    }
    if (!dc->target || dc->pen->IsNull())
        return TRUE;
    Raster raster(*dc, PenOp(*dc));
    const RECT& clip = raster.ClipBox();
    auto [low, high] = std::minmax_element(device.begin(), device.end(), [](POINT a, POINT b) { return a.y < b.y; });
    int reach = Stroke::Reach(*dc->pen);
    SpanSet& set = SpanSet::Scratch();
    set.Reset(std::max<int>(clip.top, low->y - reach), std::min<int>(clip.bottom, high->y + reach + 1));
    Stroke::Polyline(*dc->pen, device.data(), device.size(), false, clip, set);
    set.PaintTo(raster);
    return TRUE;
}
