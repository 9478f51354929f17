#pragma once

// Which directions from an ellipse's centre an arc covers: counter-clockwise
// on the screen from the radial through its start point to the radial
// through its end point, both ends included. When the two radials point the
// same way the sweep is the whole turn.
//
// Points are given in doubled device coordinates (2x, 2y), so that the
// centre of a box with an even number of pixels is a whole number too. A
// radial point at the centre itself has no direction; it counts as pointing
// right (positive x).

#include <cstdint>

namespace gdi {

class ArcSweep {
public:
    // A whole turn.
    ArcSweep() = default;
    // From the centre (cx2, cy2) through the start and end points, all
    // doubled.
    ArcSweep(std::int64_t cx2, std::int64_t cy2, std::int64_t sx2, std::int64_t sy2, std::int64_t ex2,
        std::int64_t ey2);

    bool IsFull() const { return full_; }
    // Whether the direction (vx, vy), doubled screen coordinates relative to
    // the centre, lies in the sweep. The centre itself always does.
    bool Contains(std::int64_t vx, std::int64_t vy) const;

    // The start and end directions with y pointing up, as for atan2.
    std::int64_t StartX() const { return sx_; }
    std::int64_t StartY() const { return sy_; }
    std::int64_t EndX() const { return ex_; }
    std::int64_t EndY() const { return ey_; }
    // The sign of the turn from start to end: +1 for less than half a turn,
    // -1 for more, 0 for exactly half.
    int TurnSign() const;

private:
    // 0 when (x, y) lies in the half turn that starts at the start
    // direction, 1 in the other half.
    int HalfOf(std::int64_t x, std::int64_t y) const;

    bool full_ = true;
    std::int64_t sx_ = 1, sy_ = 0, ex_ = 1, ey_ = 0;
};

} // namespace gdi
