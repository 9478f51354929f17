#pragma once

// Lines of a pen wider than one pixel, with round ends and round joins.
//
// A segment from A to B drawn with width w covers exactly the pixels whose
// centre lies within w/2 of the segment (both ends included): a capsule.
// A polyline covers the union of its segments' capsules, which gives round
// joins for free. The test is done in exact integer arithmetic: a pixel is
// covered when 4 * distance^2 <= w^2.
//
// Points are given in fixed point, `scale` units per pixel (1 for the
// integer points of lines and rectangles, finer for flattened curves), and
// pixel centres sit on whole pixels.

#include "platform/gdi/SpanSink.h"
#include "platform/win/WinTypes.h"

#include <cstdint>

namespace gdi {

class WidePen {
public:
    struct Point {
        std::int64_t x;
        std::int64_t y;
    };

    // Widths beyond this cover any device anyway; they are cut to it so the
    // squared width stays within 64 bits.
    static constexpr int kMaxWidth = 1 << 24;

    WidePen(int width, int scale, const RECT& clip);

    // Sends each row of one capsule inside the clip box to out, one span per
    // row (a capsule is convex).
    void Capsule(Point a, Point b, SpanSink& out) const;
    // Sends the capsules of count - 1 segments (count segments when closed,
    // joining the last point back to the first). Capsules overlap at joins:
    // give a SpanSet when each pixel must arrive once.
    void Polyline(const Point* points, std::size_t count, bool closed, SpanSink& out) const;

    int Scale() const { return scale_; }

private:
    // The pixel columns [lo, hi] of row y covered by the disk around c;
    // false when the row misses it.
    bool DiskRow(Point c, std::int64_t y, std::int64_t& lo, std::int64_t& hi) const;

    int scale_;
    std::int64_t width_; // in fixed-point units
    std::int64_t width2_; // width_ squared
    RECT clip_;
};

} // namespace gdi
