// Solid brushes, the only kind the program fills with.

#include "platform/gdiplus/ApiCheck.h"

using gdiplus::CheckCall;

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush)
{
    if (GpStatus s = CheckCall(brush); s != Ok)
        return s;
    *brush = new GpSolidFill(color);
    return Ok;
}

GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color)
{
    if (GpStatus s = CheckCall(brush, color); s != Ok)
        return s;
    *color = brush->color;
    return Ok;
}

GpStatus GdipDeleteBrush(GpBrush* brush)
{
    if (GpStatus s = CheckCall(brush); s != Ok)
        return s;
    delete brush;
    return Ok;
}
