#pragma once

// The ellipse inscribed in a box whose right and bottom edges are
// exclusive: it fits inside columns left..right-1 and rows top..bottom-1.
// Everything is computed in doubled device coordinates, where the centre
// (cx2, cy2) = (left + right - 1, top + bottom - 1) and the axes
// a2 = right - 1 - left, b2 = bottom - 1 - top are whole numbers.
//
// The one-pixel outline is the union of two roundings of the curve: on
// every row, the column nearest to where the curve crosses it, and on every
// column, the nearest row. Rows alone would leave gaps where the curve runs
// flat, columns alone where it runs steep; together they give a connected
// curve that touches all four sides of the box. Each rounding is done on
// the right (or lower) half and mirrored, so the outline is symmetric.

#include "platform/gdi/ArcSweep.h"
#include "platform/gdi/RunJoiner.h"
#include "platform/gdi/SpanSink.h"
#include "platform/gdi/WidePen.h"
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <vector>

namespace gdi {

class EllipseGeometry {
public:
    // Flattened curves use this many units per pixel.
    static constexpr int kCurveScale = 16;

    // box must be normalised and not empty.
    explicit EllipseGeometry(const RECT& box);

    const RECT& Box() const { return box_; }

    // Sends the outline pixels whose direction from the centre lies in the
    // sweep and which fall inside clip. A pixel may be sent twice: collect
    // into a SpanSet.
    void ThinOutline(const ArcSweep& sweep, const RECT& clip, SpanSink& out) const;

    // The pixels [x0, x1) of row y whose centres lie on or inside the curve;
    // false for rows outside the box.
    bool InsideRow(int y, int& x0, int& x1) const;

    // Points along the swept part of the curve in 1/kCurveScale pixel
    // units, close enough that the chords stay within a fifth of a pixel of
    // the curve. closed is set for a whole turn, whose last point joins the
    // first.
    void Flatten(const ArcSweep& sweep, std::vector<WidePen::Point>& out, bool& closed) const;

private:
    // The half width of row y (rowwise) or half height of column x, as
    // doubled units rounded down.
    std::int64_t RowHalf(std::int64_t dy2) const;
    std::int64_t ColumnHalf(std::int64_t dx2) const;
    void SendPixel(std::int64_t x, std::int64_t y, const ArcSweep& sweep, const RECT& clip, RunJoiner& out) const;

    RECT box_;
    std::int64_t cx2_, cy2_, a2_, b2_;
};

} // namespace gdi
