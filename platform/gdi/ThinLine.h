#pragma once

// One-pixel lines. The pixels of a line from A to B are fixed by a closed
// formula rather than by a running error term, so that a line clipped to a
// box starts at the exact pixel the unclipped line would have reached:
//
//   n = max(|dx|, |dy|) steps; at step i (0 <= i <= n) the major coordinate
//   moves i pixels from A and the minor one moves
//   floor((2 * i * dMinor + n) / (2 * n)) pixels, i.e. the ideal line
//   rounded to the nearest pixel, halves going away from A.
//
// A line that excludes its end point stops at step n - 1, as LineTo does.

#include "platform/gdi/SpanSink.h"
#include "platform/win/WinTypes.h"

namespace gdi {

class ThinLine {
public:
    ThinLine(POINT a, POINT b, bool includeEnd);

    // Sends the line's pixels that fall inside clip to out, joined into
    // horizontal runs; every pixel is sent once.
    void Draw(const RECT& clip, SpanSink& out) const;

private:
    // The first and last step whose minor offset lies in [lo, hi].
    void MinorStepRange(long long lo, long long hi, long long& first, long long& last) const;

    POINT a_;
    long long dMajor_;
    long long dMinor_;
    int majorSign_;
    int minorSign_;
    bool xMajor_;
    long long lastStep_;
};

} // namespace gdi
