#include "platform/gdi/EllipseGeometry.h"

#include "platform/gdi/IntMath.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace gdi {

namespace {

// The largest q >= 0 with q^2 * a^2 <= b^2 * (a^2 - d^2), for |d| <= a: half
// the chord, in the b direction, of the ellipse with semi-axes a and b at
// offset d along a. A flat ellipse (a == 0) has the full b everywhere. The
// products are formed in U, which must hold b^2 * a^2.
template <typename U>
std::int64_t HalfChordIn(std::int64_t a, std::int64_t b, std::int64_t d)
{
    const U rhs = static_cast<U>(b * b) * static_cast<U>(a * a - d * d);
    const U a2 = static_cast<U>(a * a);
    double ratio = static_cast<double>(d) / static_cast<double>(a);
    auto q = static_cast<std::int64_t>(static_cast<double>(b) * std::sqrt(std::max(0.0, 1.0 - ratio * ratio)));
    q = std::clamp<std::int64_t>(q, 0, b);
    while (q > 0 && static_cast<U>(q * q) * a2 > rhs)
        --q;
    while (q < b && static_cast<U>((q + 1) * (q + 1)) * a2 <= rhs)
        ++q;
    return q;
}

std::int64_t HalfChord(std::int64_t a, std::int64_t b, std::int64_t d)
{
    assert(d >= -a && d <= a);
    if (a == 0)
        return b;
    // Boxes up to 2^15 pixels keep every product within 64 bits.
    constexpr std::int64_t kSmall = std::int64_t(1) << 15;
    return a < kSmall && b < kSmall ? HalfChordIn<std::uint64_t>(a, b, d) : HalfChordIn<UWide>(a, b, d);
}

} // namespace

EllipseGeometry::EllipseGeometry(const RECT& box)
    : box_(box)
    , cx2_(static_cast<std::int64_t>(box.left) + box.right - 1)
    , cy2_(static_cast<std::int64_t>(box.top) + box.bottom - 1)
    , a2_(static_cast<std::int64_t>(box.right) - 1 - box.left)
    , b2_(static_cast<std::int64_t>(box.bottom) - 1 - box.top)
{
    assert(box.left < box.right && box.top < box.bottom);
}

std::int64_t EllipseGeometry::RowHalf(std::int64_t dy2) const { return HalfChord(b2_, a2_, dy2); }
std::int64_t EllipseGeometry::ColumnHalf(std::int64_t dx2) const { return HalfChord(a2_, b2_, dx2); }

void EllipseGeometry::SendPixel(std::int64_t x, std::int64_t y, const ArcSweep& sweep, const RECT& clip,
    RunJoiner& out) const
{
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom)
        return;
    if (!sweep.Contains(2 * x - cx2_, 2 * y - cy2_))
        return;
    out.Pixel(static_cast<int>(x), static_cast<int>(y));
}

void EllipseGeometry::ThinOutline(const ArcSweep& sweep, const RECT& clip, SpanSink& out) const
{
    // Row by row: the column nearest the curve on the right half, mirrored.
    RunJoiner rows(out);
    std::int64_t top = std::max<std::int64_t>(box_.top, clip.top);
    std::int64_t bottom = std::min<std::int64_t>(box_.bottom, clip.bottom);
    for (std::int64_t y = top; y < bottom; ++y) {
        std::int64_t right = FloorDiv(cx2_ + RowHalf(2 * y - cy2_) + 1, 2);
        SendPixel(cx2_ - right, y, sweep, clip, rows);
        SendPixel(right, y, sweep, clip, rows);
    }
    rows.Flush();
    // Column by column: the row nearest the curve on the lower half,
    // mirrored. Where the curve runs flat, neighbouring columns share a row,
    // so each half gets its own joiner.
    RunJoiner upper(out), lower(out);
    std::int64_t left = std::max<std::int64_t>(box_.left, clip.left);
    std::int64_t right = std::min<std::int64_t>(box_.right, clip.right);
    for (std::int64_t x = left; x < right; ++x) {
        std::int64_t below = FloorDiv(cy2_ + ColumnHalf(2 * x - cx2_) + 1, 2);
        SendPixel(x, cy2_ - below, sweep, clip, upper);
        SendPixel(x, below, sweep, clip, lower);
    }
}

bool EllipseGeometry::InsideRow(int y, int& x0, int& x1) const
{
    if (y < box_.top || y >= box_.bottom)
        return false;
    std::int64_t half = RowHalf(2 * static_cast<std::int64_t>(y) - cy2_);
    x0 = static_cast<int>(CeilDiv(cx2_ - half, 2));
    x1 = static_cast<int>(FloorDiv(cx2_ + half, 2) + 1);
    return x0 < x1;
}

void EllipseGeometry::Flatten(const ArcSweep& sweep, std::vector<WidePen::Point>& out, bool& closed) const
{
    constexpr double kTwoPi = 2 * std::numbers::pi;
    constexpr double kTolerance = 0.2; // pixels between chord and curve
    constexpr int kMaxSegments = 4096;

    const double a2 = static_cast<double>(a2_), b2 = static_cast<double>(b2_);
    // The parameter t of the point where a radial meets the curve
    // (x, y) = centre + (a cos t, -b sin t).
    auto param = [&](std::int64_t vx, std::int64_t vy) {
        return std::atan2(a2 * static_cast<double>(vy), b2 * static_cast<double>(vx));
    };
    closed = sweep.IsFull();
    double start = closed ? 0.0 : param(sweep.StartX(), sweep.StartY());
    double turn = kTwoPi;
    if (!closed) {
        turn = std::fmod(param(sweep.EndX(), sweep.EndY()) - start, kTwoPi);
        if (turn < 0)
            turn += kTwoPi;
        // The exact sign of the turn says on which side of half a turn it
        // lies; rounding may have carried it across, or wrapped a turn of
        // almost nothing (or almost everything) to the other end.
        constexpr double kPi = std::numbers::pi;
        int sign = sweep.TurnSign();
        if (sign > 0 && turn > kPi)
            turn = turn > 1.5 * kPi ? 0 : kPi;
        else if (sign < 0 && turn < kPi)
            turn = turn < 0.5 * kPi ? kTwoPi : kPi;
        else if (sign == 0)
            turn = kPi;
    }

    // A chord spanning parameter step dt strays at most r * dt^2 / 8 from
    // the curve, r being the larger semi-axis.
    double radius = std::max({ a2, b2, 1.0 }) / 2;
    double step = 2 * std::sqrt(2 * kTolerance / radius);
    int segments = static_cast<int>(std::ceil(turn / step));
    segments = std::clamp(segments, closed ? 8 : 1, kMaxSegments);
    if (closed)
        segments = (segments + 3) / 4 * 4; // keeps the points symmetric about both axes

    out.clear();
    int count = closed ? segments : segments + 1;
    const double half = EllipseGeometry::kCurveScale / 2.0;
    for (int k = 0; k < count; ++k) {
        double t = start + turn * k / segments;
        out.push_back(WidePen::Point { std::llround(half * (static_cast<double>(cx2_) + a2 * std::cos(t))),
            std::llround(half * (static_cast<double>(cy2_) - b2 * std::sin(t))) });
    }
}

} // namespace gdi
