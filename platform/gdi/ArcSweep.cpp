#include "platform/gdi/ArcSweep.h"

#include "platform/gdi/IntMath.h"

namespace gdi {

namespace {

Wide Cross(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by)
{
    return static_cast<Wide>(ax) * by - static_cast<Wide>(ay) * bx;
}
Wide Dot(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by)
{
    return static_cast<Wide>(ax) * bx + static_cast<Wide>(ay) * by;
}

} // namespace

ArcSweep::ArcSweep(std::int64_t cx2, std::int64_t cy2, std::int64_t sx2, std::int64_t sy2, std::int64_t ex2,
    std::int64_t ey2)
    // Flip y so that counter-clockwise on the screen is the usual positive turn.
    : sx_(sx2 - cx2)
    , sy_(cy2 - sy2)
    , ex_(ex2 - cx2)
    , ey_(cy2 - ey2)
{
    if (sx_ == 0 && sy_ == 0)
        sx_ = 1;
    if (ex_ == 0 && ey_ == 0)
        ex_ = 1;
    full_ = Cross(sx_, sy_, ex_, ey_) == 0 && Dot(sx_, sy_, ex_, ey_) > 0;
}

int ArcSweep::HalfOf(std::int64_t x, std::int64_t y) const
{
    Wide c = Cross(sx_, sy_, x, y);
    return (c > 0 || (c == 0 && Dot(sx_, sy_, x, y) > 0)) ? 0 : 1;
}

bool ArcSweep::Contains(std::int64_t vx, std::int64_t vy) const
{
    vy = -vy;
    if (full_ || (vx == 0 && vy == 0))
        return true;
    // Compare the turns from the start to v and from the start to the end:
    // first by half turn, then, within one half, by the cross product.
    int hv = HalfOf(vx, vy);
    int he = HalfOf(ex_, ey_);
    if (hv != he)
        return hv < he;
    return Cross(vx, vy, ex_, ey_) >= 0;
}

int ArcSweep::TurnSign() const
{
    Wide c = Cross(sx_, sy_, ex_, ey_);
    return c > 0 ? 1 : (c < 0 ? -1 : 0);
}

} // namespace gdi
