// Pens: colour, width and unit, dash pattern, caps and joins.

#include "platform/gdiplus/ApiCheck.h"

#include <cmath>

using gdiplus::CheckCall;

namespace {

bool ValidUnit(GpUnit unit) { return unit >= UnitWorld && unit <= UnitMillimeter; }

bool ValidCap(GpLineCap cap)
{
    switch (cap) {
    case LineCapFlat:
    case LineCapSquare:
    case LineCapRound:
    case LineCapTriangle:
    case LineCapNoAnchor:
    case LineCapSquareAnchor:
    case LineCapRoundAnchor:
    case LineCapDiamondAnchor:
    case LineCapArrowAnchor:
        return true;
    default:
        // LineCapCustom needs a custom cap object, which this API cannot set.
        return false;
    }
}

bool ValidJoin(GpLineJoin join) { return join >= LineJoinMiter && join <= LineJoinMiterClipped; }

} // namespace

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen)
{
    if (GpStatus s = CheckCall(pen); s != Ok)
        return s;
    if (!ValidUnit(unit) || !std::isfinite(width))
        return InvalidParameter;
    *pen = new GpPen { color, width, unit, {}, LineCapFlat, LineCapFlat, LineJoinMiter };
    return Ok;
}

GpStatus GdipDeletePen(GpPen* pen)
{
    if (GpStatus s = CheckCall(pen); s != Ok)
        return s;
    delete pen;
    return Ok;
}

GpStatus GdipClonePen(GpPen* pen, GpPen** clone)
{
    if (GpStatus s = CheckCall(pen, clone); s != Ok)
        return s;
    *clone = new GpPen(*pen);
    return Ok;
}

GpStatus GdipGetPenColor(GpPen* pen, ARGB* color)
{
    if (GpStatus s = CheckCall(pen, color); s != Ok)
        return s;
    *color = pen->color;
    return Ok;
}

GpStatus GdipGetPenWidth(GpPen* pen, REAL* width)
{
    if (GpStatus s = CheckCall(pen, width); s != Ok)
        return s;
    *width = pen->width;
    return Ok;
}

GpStatus GdipSetPenDashArray(GpPen* pen, const REAL* dashes, INT count)
{
    if (GpStatus s = CheckCall(pen, dashes); s != Ok)
        return s;
    if (count <= 0)
        return InvalidParameter;
    // Every dash and gap must have a length; the pen keeps them in multiples
    // of its width.
    for (INT i = 0; i < count; ++i)
        if (!(dashes[i] > 0.0f) || !std::isfinite(dashes[i]))
            return InvalidParameter;
    pen->dashes.assign(dashes, dashes + count);
    return Ok;
}

GpStatus GdipGetPenDashCount(GpPen* pen, INT* count)
{
    if (GpStatus s = CheckCall(pen, count); s != Ok)
        return s;
    *count = static_cast<INT>(pen->dashes.size());
    return Ok;
}

GpStatus GdipGetPenDashStyle(GpPen* pen, GpDashStyle* style)
{
    if (GpStatus s = CheckCall(pen, style); s != Ok)
        return s;
    // Only a dash array makes a pen dashed here, and that is a custom style.
    *style = pen->dashes.empty() ? DashStyleSolid : DashStyleCustom;
    return Ok;
}

GpStatus GdipSetPenStartCap(GpPen* pen, GpLineCap cap)
{
    if (GpStatus s = CheckCall(pen); s != Ok)
        return s;
    if (!ValidCap(cap))
        return InvalidParameter;
    pen->startCap = cap;
    return Ok;
}

GpStatus GdipSetPenEndCap(GpPen* pen, GpLineCap cap)
{
    if (GpStatus s = CheckCall(pen); s != Ok)
        return s;
    if (!ValidCap(cap))
        return InvalidParameter;
    pen->endCap = cap;
    return Ok;
}

GpStatus GdipGetPenStartCap(GpPen* pen, GpLineCap* cap)
{
    if (GpStatus s = CheckCall(pen, cap); s != Ok)
        return s;
    *cap = pen->startCap;
    return Ok;
}

GpStatus GdipGetPenEndCap(GpPen* pen, GpLineCap* cap)
{
    if (GpStatus s = CheckCall(pen, cap); s != Ok)
        return s;
    *cap = pen->endCap;
    return Ok;
}

GpStatus GdipSetPenLineJoin(GpPen* pen, GpLineJoin join)
{
    if (GpStatus s = CheckCall(pen); s != Ok)
        return s;
    if (!ValidJoin(join))
        return InvalidParameter;
    pen->join = join;
    return Ok;
}

GpStatus GdipGetPenLineJoin(GpPen* pen, GpLineJoin* join)
{
    if (GpStatus s = CheckCall(pen, join); s != Ok)
        return s;
    *join = pen->join;
    return Ok;
}
