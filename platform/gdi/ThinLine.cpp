#include "platform/gdi/ThinLine.h"

#include "platform/gdi/IntMath.h"
#include "platform/gdi/RunJoiner.h"

#include <algorithm>
#include <cstdlib>

namespace gdi {

ThinLine::ThinLine(POINT a, POINT b, bool includeEnd)
    : a_(a)
{
    long long dx = static_cast<long long>(b.x) - a.x;
    long long dy = static_cast<long long>(b.y) - a.y;
    xMajor_ = std::llabs(dx) >= std::llabs(dy);
    long long major = xMajor_ ? dx : dy;
    long long minor = xMajor_ ? dy : dx;
    dMajor_ = std::llabs(major);
    dMinor_ = std::llabs(minor);
    majorSign_ = major < 0 ? -1 : 1;
    minorSign_ = minor < 0 ? -1 : 1;
    lastStep_ = includeEnd ? dMajor_ : dMajor_ - 1;
}

void ThinLine::MinorStepRange(long long lo, long long hi, long long& first, long long& last) const
{
    // offset(i) = floor((2 i m + n) / 2n) is non-decreasing in i, so the
    // steps with lo <= offset(i) <= hi form one range:
    //   offset(i) >= lo  <=>  i >= ceil((2 lo - 1) n / 2m)
    //   offset(i) <= hi  <=>  i <= ceil((2 hi + 1) n / 2m) - 1
    if (dMinor_ == 0) {
        bool inside = lo <= 0 && 0 <= hi;
        first = inside ? 0 : 1;
        last = inside ? lastStep_ : 0;
        return;
    }
    first = CeilDiv((2 * lo - 1) * dMajor_, 2 * dMinor_);
    last = CeilDiv((2 * hi + 1) * dMajor_, 2 * dMinor_) - 1;
}

void ThinLine::Draw(const RECT& clip, SpanSink& out) const
{
    if (lastStep_ < 0 || clip.left >= clip.right || clip.top >= clip.bottom)
        return;
    long long aMajor = xMajor_ ? a_.x : a_.y;
    long long aMinor = xMajor_ ? a_.y : a_.x;
    long long majorLo = xMajor_ ? clip.left : clip.top;
    long long majorHi = (xMajor_ ? clip.right : clip.bottom) - 1;
    long long minorLo = xMajor_ ? clip.top : clip.left;
    long long minorHi = (xMajor_ ? clip.bottom : clip.right) - 1;

    // Steps whose major coordinate lies in the clip box.
    long long first = 0, last = lastStep_;
    if (majorSign_ > 0) {
        first = std::max(first, majorLo - aMajor);
        last = std::min(last, majorHi - aMajor);
    } else {
        first = std::max(first, aMajor - majorHi);
        last = std::min(last, aMajor - majorLo);
    }
    // And whose minor coordinate does, as offsets from A.
    long long offLo = minorSign_ > 0 ? minorLo - aMinor : aMinor - minorHi;
    long long offHi = minorSign_ > 0 ? minorHi - aMinor : aMinor - minorLo;
    long long mFirst = 0, mLast = 0;
    MinorStepRange(offLo, offHi, mFirst, mLast);
    first = std::max(first, mFirst);
    last = std::min(last, mLast);
    if (first > last)
        return;

    // Walk from the first step with the numerator of the offset formula
    // split into quotient and remainder.
    long long twoN = 2 * std::max<long long>(dMajor_, 1);
    long long num = 2 * first * dMinor_ + dMajor_;
    long long offset = num / twoN;
    long long rem = num % twoN;
    RunJoiner runs(out);
    for (long long i = first; i <= last; ++i) {
        long long major = aMajor + majorSign_ * i;
        long long minor = aMinor + minorSign_ * offset;
        if (xMajor_)
            runs.Pixel(static_cast<int>(major), static_cast<int>(minor));
        else
            runs.Pixel(static_cast<int>(minor), static_cast<int>(major));
        rem += 2 * dMinor_;
        if (rem >= twoN) {
            rem -= twoN;
            ++offset;
        }
    }
}

} // namespace gdi
