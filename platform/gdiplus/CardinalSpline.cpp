#include "platform/gdiplus/CardinalSpline.h"

#include <cstddef>

namespace gdiplus {

std::vector<PointD> CardinalBezierPoints(const GpPoint* points, int count, double tension)
{
    std::vector<PointD> out;
    if (!points || count < 2)
        return out;
    const double k = tension / 3.0;
    // P(i) with indices beyond either end clamped to the end points.
    auto at = [&](int i) {
        i = i < 0 ? 0 : (i >= count ? count - 1 : i);
        return PointD { static_cast<double>(points[i].X), static_cast<double>(points[i].Y) };
    };
    out.reserve(static_cast<std::size_t>(count - 1) * 3 + 1);
    out.push_back(at(0));
    for (int i = 0; i + 1 < count; ++i) {
        PointD before = at(i - 1), from = at(i), to = at(i + 1), after = at(i + 2);
        if (from == to) {
            // A point given twice in a row is a segment of no length: it
            // stays on that point instead of swinging out along the
            // neighbours' chord and back, which made a stroke whose last
            // point repeats overshoot its end.
            out.push_back(from);
            out.push_back(to);
            out.push_back(to);
            continue;
        }
        out.push_back(PointD { from.x + k * (to.x - before.x), from.y + k * (to.y - before.y) });
        out.push_back(PointD { to.x - k * (after.x - from.x), to.y - k * (after.y - from.y) });
        out.push_back(to);
    }
    return out;
}

} // namespace gdiplus
