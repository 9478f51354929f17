#include "platform/gdi/WidePen.h"

#include "platform/gdi/IntMath.h"

#include <algorithm>
#include <cassert>

namespace gdi {

namespace {

// Bounds for ranges that one constraint leaves open; far beyond any
// coordinate, yet far from overflowing when a coordinate is added.
constexpr std::int64_t kOpen = std::int64_t(1) << 61;

// The integers p with lo <= p * k <= hi, as [first, last] (empty when
// first > last).
void SolveLinear(std::int64_t k, std::int64_t lo, std::int64_t hi, std::int64_t& first, std::int64_t& last)
{
    if (k > 0) {
        first = CeilDiv(lo, k);
        last = FloorDiv(hi, k);
    } else if (k < 0) {
        first = CeilDiv(hi, k);
        last = FloorDiv(lo, k);
    } else if (lo <= 0 && 0 <= hi) {
        first = -kOpen;
        last = kOpen;
    } else {
        first = 1;
        last = 0;
    }
    first = std::max(first, -kOpen);
    last = std::min(last, kOpen);
}

} // namespace

WidePen::WidePen(int width, int scale, const RECT& clip)
    : scale_(scale)
    , width_(static_cast<std::int64_t>(std::clamp(width, 0, kMaxWidth)) * scale)
    , width2_(width_ * width_)
    , clip_(clip)
{
    assert(scale > 0);
}

bool WidePen::DiskRow(Point c, std::int64_t y, std::int64_t& lo, std::int64_t& hi) const
{
    std::int64_t py = y * scale_ - c.y;
    if (2 * py > width_ || -2 * py > width_)
        return false;
    // 4 * (qx^2 + py^2) <= width^2 for qx = x * scale - c.x.
    auto h = static_cast<std::int64_t>(HalfISqrt(static_cast<UWide>(width2_ - 4 * py * py)));
    lo = CeilDiv(c.x - h, scale_);
    hi = FloorDiv(c.x + h, scale_);
    return lo <= hi;
}

void WidePen::Capsule(Point a, Point b, SpanSink& out) const
{
    if (clip_.left >= clip_.right || clip_.top >= clip_.bottom)
        return;
    const std::int64_t s = scale_;
    std::int64_t top = CeilDiv(2 * std::min(a.y, b.y) - width_, 2 * s);
    std::int64_t bottom = FloorDiv(2 * std::max(a.y, b.y) + width_, 2 * s);
    top = std::max<std::int64_t>(top, clip_.top);
    bottom = std::min<std::int64_t>(bottom, clip_.bottom - 1);

    const std::int64_t dx = b.x - a.x;
    const std::int64_t dy = b.y - a.y;
    const std::int64_t len2 = dx * dx + dy * dy;
    // |cross| <= cmax keeps a point within width/2 of the segment's line.
    const auto cmax = len2 > 0
        ? static_cast<std::int64_t>(HalfISqrt(static_cast<UWide>(width2_) * static_cast<UWide>(len2)))
        : 0;

    for (std::int64_t y = top; y <= bottom; ++y) {
        std::int64_t lo = kOpen, hi = -kOpen;
        auto unite = [&](std::int64_t l, std::int64_t h) {
            if (l > h)
                return;
            lo = std::min(lo, l);
            hi = std::max(hi, h);
        };
        std::int64_t l = 0, h = 0;
        if (DiskRow(a, y, l, h))
            unite(l, h);
        if (DiskRow(b, y, l, h))
            unite(l, h);
        if (len2 > 0) {
            // The part between the end caps: with px = x * s - a.x and
            // py = y * s - a.y, the cross product px*dy - py*dx stays within
            // cmax and the projection px*dx + py*dy within [0, len2].
            std::int64_t py = y * s - a.y;
            std::int64_t c0 = 0, c1 = 0, p0 = 0, p1 = 0;
            SolveLinear(dy, py * dx - cmax, py * dx + cmax, c0, c1);
            SolveLinear(dx, -py * dy, len2 - py * dy, p0, p1);
            std::int64_t pLo = std::max(c0, p0), pHi = std::min(c1, p1);
            if (pLo <= pHi)
                unite(CeilDiv(a.x + pLo, s), FloorDiv(a.x + pHi, s));
        }
        lo = std::max<std::int64_t>(lo, clip_.left);
        hi = std::min<std::int64_t>(hi, clip_.right - 1);
        if (lo <= hi)
            out.AddSpan(static_cast<int>(y), static_cast<int>(lo), static_cast<int>(hi + 1));
    }
}

void WidePen::Polyline(const Point* points, std::size_t count, bool closed, SpanSink& out) const
{
    if (count == 0)
        return;
    if (count == 1) {
        Capsule(points[0], points[0], out);
        return;
    }
    for (std::size_t i = 0; i + 1 < count; ++i)
        Capsule(points[i], points[i + 1], out);
    if (closed)
        Capsule(points[count - 1], points[0], out);
}

} // namespace gdi
