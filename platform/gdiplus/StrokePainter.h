#pragma once

// Strokes the current path of a figure with a pen: its width, dashes, joins
// and the caps at either end of an open figure.
//
// A stroke is painted in one compositing step, so that a translucent pen
// never darkens where the line crosses itself, where segments join or where
// a cap overlaps the body. When cairo's own stroker can draw the whole
// figure (no dashes, the same plain cap at both ends) it does; otherwise the
// body and the caps are drawn into a coverage mask first, and the pen's
// colour is painted through it.
//
// Dashes have flat ends and their pattern starts at the figure's start. The
// start and end caps belong to the figure, not to each dash: a plain cap
// (square, round, triangle) is drawn where the figure's end lies in a dash,
// an anchor cap always, solid. The arrow anchor replaces the last pen width
// of the body, whose end it covers.

#include "platform/gdiplus/FigureContext.h"
#include "platform/gdiplus/Polyline.h"

namespace gdiplus {

class StrokePainter {
public:
    StrokePainter(FigureContext& figure, const GpPen& pen);

    // Strokes the current path as one open figure: the start cap at its
    // first point, the end cap at its last. Consumes the path.
    void StrokeOpen();
    // Strokes the current path, whose figures are closed: joins all round,
    // no caps. Consumes the path.
    void StrokeClosed();

    // Whether the point at distance s along a dashed figure lies in a dash,
    // for a pattern of lengths (dash, gap, dash, ...) starting at 0.
    static bool InDash(const std::vector<double>& pattern, double s);

private:
    bool CanStrokeNatively() const;
    void SetLineStyle(cairo_line_cap_t cap, double dashOffset);
    void StrokeNatively(cairo_line_cap_t cap);
    void StrokeThroughMask();
    // Where a cap goes: on end point tip, facing outward along dir.
    struct CapPlacement {
        GpLineCap cap;
        PointD tip;
        PointD dir;
        bool drawn;
    };
    // Adds the cap's shape to the current path; false for a cap with no shape
    // of its own.
    bool AppendCap(const CapPlacement& placement);
    // What stroking the current path may touch, with plain caps reaching
    // capReach past its ends.
    UserBox BodyBox(double capReach) const;

    FigureContext& figure_;
    cairo_t* cr_;
    const GpPen& pen_;
    double width_; // in pixels, never under one
    std::vector<double> dashes_; // in pixels
};

} // namespace gdiplus
