#pragma once

// The Bezier form of a cardinal spline through a list of points, as drawn
// by GdipDrawCurveI: one cubic segment between each pair of neighbours, with
// control points that follow the chord between the points on either side.

#include "platform/gdiplus/GdiPlusFlat.h"

#include <vector>

namespace gdiplus {

struct PointD {
    double x;
    double y;
    bool operator==(const PointD&) const = default;
};

// The tension GdipDrawCurveI draws with.
inline constexpr double kDefaultCurveTension = 0.5;

// For count >= 2 points, returns 3 * (count - 1) + 1 points: the start point,
// then for each segment its two control points and its end point, ready for
// move_to / curve_to. The segment from P[i] to P[i+1] has the control points
//   P[i]   + (T / 3) * (P[i+1] - P[i-1])
//   P[i+1] - (T / 3) * (P[i+2] - P[i])
// where a neighbour beyond either end is the end point itself. A segment
// whose two end points are the same point has its control points there as
// well, so it draws nothing beyond that point; its neighbours still take the
// repeated point as their neighbour. Fewer than two points give an empty
// list.
std::vector<PointD> CardinalBezierPoints(const GpPoint* points, int count, double tension = kDefaultCurveTension);

} // namespace gdiplus
