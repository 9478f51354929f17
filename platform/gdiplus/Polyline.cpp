#include "platform/gdiplus/Polyline.h"

#include <algorithm>
#include <cmath>

namespace gdiplus {

PointD UnitVector(PointD a, PointD b, PointD fallback)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::hypot(dx, dy);
    return len > 0.0 ? PointD { dx / len, dy / len } : fallback;
}

Polyline::Polyline(const std::vector<PointD>& points)
{
    points_.reserve(points.size());
    cumulative_.reserve(points.size());
    for (const PointD& p : points) {
        if (!points_.empty() && p == points_.back())
            continue;
        double step = points_.empty() ? 0.0 : std::hypot(p.x - points_.back().x, p.y - points_.back().y);
        cumulative_.push_back(cumulative_.empty() ? 0.0 : cumulative_.back() + step);
        points_.push_back(p);
    }
}

Polyline Polyline::FromCurrentPath(cairo_t* cr)
{
    std::vector<PointD> pts;
    cairo_path_t* path = cairo_copy_path_flat(cr);
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        const cairo_path_data_t& d = path->data[i];
        if (d.header.type == CAIRO_PATH_MOVE_TO && !pts.empty())
            break; // a second figure: only the first is an open line
        if (d.header.type == CAIRO_PATH_MOVE_TO || d.header.type == CAIRO_PATH_LINE_TO)
            pts.push_back(PointD { path->data[i + 1].point.x, path->data[i + 1].point.y });
    }
    cairo_path_destroy(path);
    return Polyline(pts);
}

PointD Polyline::At(double distance) const
{
    if (points_.empty())
        return PointD { 0.0, 0.0 };
    if (distance <= 0.0)
        return points_.front();
    if (distance >= Length())
        return points_.back();
    // The first point at or beyond the distance ends the segment holding it.
    auto it = std::lower_bound(cumulative_.begin(), cumulative_.end(), distance);
    std::size_t i = static_cast<std::size_t>(it - cumulative_.begin());
    const PointD& a = points_[i - 1];
    const PointD& b = points_[i];
    double t = (distance - cumulative_[i - 1]) / (cumulative_[i] - cumulative_[i - 1]);
    return PointD { a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t };
}

Polyline Polyline::Between(double from, double to) const
{
    std::vector<PointD> pts;
    if (points_.empty() || !(from < to))
        return Polyline(pts);
    pts.push_back(At(from));
    for (std::size_t i = 0; i < points_.size(); ++i)
        if (cumulative_[i] > from && cumulative_[i] < to)
            pts.push_back(points_[i]);
    pts.push_back(At(to));
    return Polyline(pts);
}

PointD Polyline::StartDirection() const
{
    if (points_.size() < 2)
        return PointD { -1.0, 0.0 };
    return UnitVector(points_[1], points_[0], PointD { -1.0, 0.0 });
}

PointD Polyline::EndDirection() const
{
    std::size_t n = points_.size();
    if (n < 2)
        return PointD { 1.0, 0.0 };
    return UnitVector(points_[n - 2], points_[n - 1], PointD { 1.0, 0.0 });
}

void Polyline::AppendTo(cairo_t* cr) const
{
    if (points_.empty())
        return;
    cairo_move_to(cr, points_[0].x, points_[0].y);
    for (std::size_t i = 1; i < points_.size(); ++i)
        cairo_line_to(cr, points_[i].x, points_[i].y);
}

} // namespace gdiplus
