#pragma once

// A set of pixels kept as a sorted list of disjoint spans per row, built by
// union. Figures whose pieces overlap (the capsules of a wide polyline, the
// two roundings of an ellipse outline) are collected here first and then
// painted once, so that an inverting raster operation never hits a pixel
// twice within one call.
//
// Only rows in [top, bottom) given to Reset are kept; callers pass the rows
// of the clip box so that a figure reaching far off the device costs nothing
// for the rows nobody sees.

#include "platform/gdi/SpanSink.h"

#include <vector>

namespace gdi {

class SpanSet final : public SpanSink {
public:
    struct Span {
        int left;
        int right;
    };

    // Empties the set and keeps rows top..bottom-1. Row storage is kept
    // from call to call, so a set reused for every figure stops allocating.
    void Reset(int top, int bottom);
    int Top() const { return top_; }
    int Bottom() const { return bottom_; }

    // Unites [x0, x1) on row y with the set; rows outside are ignored.
    void AddSpan(int y, int x0, int x1) override;

    const std::vector<Span>& Row(int y) const;

    // Sends every span to out, row by row, left to right.
    void PaintTo(SpanSink& out) const;
    // Sends the parts of [x0, x1) on row y that are not in the set.
    void PaintGaps(int y, int x0, int x1, SpanSink& out) const;

    // A set for this thread's figures; figures never nest, so one suffices.
    static SpanSet& Scratch();

private:
    int top_ = 0;
    int bottom_ = 0;
    std::vector<std::vector<Span>> rows_;
};

} // namespace gdi
