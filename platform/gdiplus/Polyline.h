#pragma once

// An open chain of points walked by arc length: where a stroke's caps sit,
// which way they face, and what is left of the stroke's body once a cap
// that stands in for its end has been cut away.

#include "platform/gdiplus/CardinalSpline.h"

#include <cairo.h>

#include <vector>

namespace gdiplus {

class Polyline {
public:
    // Consecutive repeats of a point are dropped: they add no length and
    // give no direction.
    explicit Polyline(const std::vector<PointD>& points);
    // The first figure of cairo's current path, flattened into lines, in
    // user coordinates.
    static Polyline FromCurrentPath(cairo_t* cr);

    const std::vector<PointD>& Points() const { return points_; }
    bool IsEmpty() const { return points_.empty(); }
    double Length() const { return cumulative_.empty() ? 0.0 : cumulative_.back(); }

    // The point at the given distance from the start, clamped to the ends.
    PointD At(double distance) const;
    // The part between two distances from the start (from < to).
    Polyline Between(double from, double to) const;

    // Unit vectors pointing out of the line at either end, along its first
    // or last segment: the way a cap at that end faces. A line without
    // length faces left at its start and right at its end.
    PointD StartDirection() const;
    PointD EndDirection() const;

    // Appends the points as a new open figure of cr's path.
    void AppendTo(cairo_t* cr) const;

private:
    std::vector<PointD> points_;
    std::vector<double> cumulative_; // length up to each point
};

// The unit vector from a to b, or fallback when they coincide.
PointD UnitVector(PointD a, PointD b, PointD fallback);

} // namespace gdiplus
