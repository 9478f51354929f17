// Lines, curves, rectangles, arcs and ellipses with integer coordinates.
//
// Each figure is built as a cairo path in world coordinates (see
// FigureContext for the half-pixel convention), then stroked with the pen or
// filled with the brush in a single compositing step.

#include "platform/gdiplus/ApiCheck.h"
#include "platform/gdiplus/CardinalSpline.h"
#include "platform/gdiplus/FigureContext.h"
#include "platform/gdiplus/StrokePainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using gdiplus::CheckCall;
using gdiplus::FigureContext;
using gdiplus::StrokePainter;

namespace {

constexpr double kPi = std::numbers::pi;

enum class Figure { Open, Closed };

// Builds a figure with build(cr) and strokes it with the pen.
template <typename Build>
GpStatus Stroke(GpGraphics* graphics, const GpPen* pen, Figure kind, Build&& build)
{
    FigureContext figure(*graphics);
    build(figure.cr());
    StrokePainter painter(figure, *pen);
    if (kind == Figure::Open)
        painter.StrokeOpen();
    else
        painter.StrokeClosed();
    return Ok;
}

// Builds a figure with build(cr) and fills it with the brush.
template <typename Build>
GpStatus Fill(GpGraphics* graphics, GpBrush* brush, Build&& build)
{
    GpSolidFill* solid = brush;
    if (!solid)
        return InvalidParameter;
    FigureContext figure(*graphics);
    build(figure.cr());
    figure.Fill(solid->color);
    return Ok;
}

// The parametric angle of the point where a ray from the centre at the
// given angle (degrees, clockwise on screen) meets an ellipse of radii rx,
// ry, kept within half a turn of the ray's own angle so that sweeps of whole
// turns stay whole.
double ParametricAngle(double degrees, double rx, double ry)
{
    double theta = degrees * kPi / 180.0;
    double t = std::atan2(rx * std::sin(theta), ry * std::cos(theta));
    return t + 2 * kPi * std::round((theta - t) / (2 * kPi));
}

// Adds the arc of the ellipse inscribed in the box from parametric angle t0
// to t1 (either direction) to the path. The ellipse is an arc of the unit
// circle in a scaled space, so the path keeps exact curves.
void AppendEllipseArc(cairo_t* cr, double x, double y, double w, double h, double t0, double t1)
{
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, y + h / 2);
    cairo_scale(cr, w / 2, h / 2);
    if (t1 >= t0)
        cairo_arc(cr, 0, 0, 1, t0, t1);
    else
        cairo_arc_negative(cr, 0, 0, 1, t0, t1);
    cairo_restore(cr);
}

void AppendEllipse(cairo_t* cr, INT x, INT y, INT w, INT h)
{
    AppendEllipseArc(cr, x, y, w, h, 0, 2 * kPi);
    cairo_close_path(cr);
}

} // namespace

GpStatus GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2)
{
    if (GpStatus s = CheckCall(graphics, pen); s != Ok)
        return s;
    return Stroke(graphics, pen, Figure::Open, [&](cairo_t* cr) {
        cairo_move_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
    });
}

GpStatus GdipDrawCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count)
{
    if (GpStatus s = CheckCall(graphics, pen, points); s != Ok)
        return s;
    if (count < 2)
        return InvalidParameter;
    std::vector<gdiplus::PointD> bezier = gdiplus::CardinalBezierPoints(points, count);
    return Stroke(graphics, pen, Figure::Open, [&](cairo_t* cr) {
        cairo_move_to(cr, bezier[0].x, bezier[0].y);
        for (std::size_t i = 1; i + 2 < bezier.size(); i += 3)
            cairo_curve_to(cr, bezier[i].x, bezier[i].y, bezier[i + 1].x, bezier[i + 1].y, bezier[i + 2].x,
                bezier[i + 2].y);
    });
}

GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height)
{
    if (GpStatus s = CheckCall(graphics, pen); s != Ok)
        return s;
    if (width <= 0 || height <= 0)
        return Ok;
    return Stroke(graphics, pen, Figure::Closed, [&](cairo_t* cr) { cairo_rectangle(cr, x, y, width, height); });
}

GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height)
{
    if (GpStatus s = CheckCall(graphics, brush); s != Ok)
        return s;
    if (width <= 0 || height <= 0)
        return Ok;
    return Fill(graphics, brush, [&](cairo_t* cr) { cairo_rectangle(cr, x, y, width, height); });
}

GpStatus GdipDrawArcI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
    REAL sweepAngle)
{
    if (GpStatus s = CheckCall(graphics, pen); s != Ok)
        return s;
    if (!std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return InvalidParameter;
    if (width <= 0 || height <= 0 || sweepAngle == 0.0f)
        return Ok;
    // More than a whole turn draws the whole ellipse once.
    double sweep = std::clamp(static_cast<double>(sweepAngle), -360.0, 360.0);
    double rx = width / 2.0, ry = height / 2.0;
    double t0 = ParametricAngle(startAngle, rx, ry);
    double t1 = ParametricAngle(startAngle + sweep, rx, ry);
    return Stroke(graphics, pen, Figure::Open, [&](cairo_t* cr) { AppendEllipseArc(cr, x, y, width, height, t0, t1); });
}

GpStatus GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height)
{
    if (GpStatus s = CheckCall(graphics, pen); s != Ok)
        return s;
    if (width <= 0 || height <= 0)
        return Ok;
    return Stroke(graphics, pen, Figure::Closed, [&](cairo_t* cr) { AppendEllipse(cr, x, y, width, height); });
}

GpStatus GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height)
{
    if (GpStatus s = CheckCall(graphics, brush); s != Ok)
        return s;
    if (width <= 0 || height <= 0)
        return Ok;
    return Fill(graphics, brush, [&](cairo_t* cr) { AppendEllipse(cr, x, y, width, height); });
}
