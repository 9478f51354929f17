#pragma once

// Where a block transfer may write. The destination rectangle, in device
// coordinates, is cut down to the bounding box of the DC's effective clip
// and to the part of the target surface the DC can reach; within that box
// each row is written span by span, following the clip region, so that a
// complex clip (a window partly covered by another) costs one span walk per
// row rather than a test per pixel.

#include "platform/gdi/DeviceContext.h"

#include <cstdint>

namespace gdi {

class BlitClip {
public:
    // dc must have a target surface.
    BlitClip(DeviceContext& dc, const RECT& deviceRect);

    // Further cuts the box to r (device coordinates), for a source that
    // only covers part of the destination.
    void Restrict(const RECT& r);

    bool Empty() const { return box_.left >= box_.right || box_.top >= box_.bottom; }
    // The box in device coordinates.
    const RECT& Box() const { return box_; }

    // Calls f(x0, x1) for every piece of row y of the box that lies inside
    // the clip, left to right, in device coordinates.
    template <typename F>
    void ForEachSpan(int y, F&& f) const
    {
        clip_.ForEachSpan(y, box_.left, box_.right, f);
    }

    // The surface pixel under device point (x, y), which must lie in the box.
    std::uint32_t* At(int x, int y) const;

    // Grows the surface's dirty box by what this transfer may have touched.
    void MarkDirty() const;

private:
    Surface& surface_;
    const Region& clip_;
    POINT offset_;
    RECT box_;
};

// The intersection of two rectangles; empty ones come out with
// left >= right or top >= bottom.
RECT IntersectBox(const RECT& a, const RECT& b);

// The rectangle of width w and height h from origin, with edges held to the
// range of LONG so that huge extents cannot overflow.
RECT RectAt(POINT origin, long long w, long long h);

} // namespace gdi
