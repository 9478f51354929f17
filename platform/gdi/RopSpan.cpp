#include "platform/gdi/RopSpan.h"

#include <algorithm>

namespace gdi {

namespace {

constexpr std::uint32_t kRgb = 0x00FFFFFF;

} // namespace

RopSpan::RopSpan(DWORD rop, std::uint32_t pattern)
    : usesSource_(RopUsesSource(rop))
    , usesPattern_(RopUsesPattern(rop))
    , pattern_(pattern & kRgb)
    , sd_(ApplyRop3(rop, pattern_, kRgb, kRgb))
    , sNotD_(ApplyRop3(rop, pattern_, kRgb, 0))
    , notSD_(ApplyRop3(rop, pattern_, 0, kRgb))
    , notSNotD_(ApplyRop3(rop, pattern_, 0, 0))
{
    switch (rop) {
    case SRCCOPY:
        kind_ = Kind::SrcCopy;
        break;
    case SRCAND:
        kind_ = Kind::SrcAnd;
        break;
    case SRCPAINT:
        kind_ = Kind::SrcPaint;
        break;
    case SRCINVERT:
        kind_ = Kind::SrcInvert;
        break;
    case PATCOPY:
        kind_ = Kind::PatCopy;
        break;
    default:
        kind_ = Kind::General;
        break;
    }
}

void RopSpan::Apply(const std::uint32_t* src, std::uint32_t* dst, int n) const
{
    switch (kind_) {
    case Kind::SrcCopy:
        for (int i = 0; i < n; ++i)
            dst[i] = src[i] & kRgb;
        return;
    case Kind::SrcAnd:
        for (int i = 0; i < n; ++i)
            dst[i] = dst[i] & src[i] & kRgb;
        return;
    case Kind::SrcPaint:
        for (int i = 0; i < n; ++i)
            dst[i] = (dst[i] | src[i]) & kRgb;
        return;
    case Kind::SrcInvert:
        for (int i = 0; i < n; ++i)
            dst[i] = (dst[i] ^ src[i]) & kRgb;
        return;
    case Kind::PatCopy:
        std::fill(dst, dst + n, pattern_);
        return;
    case Kind::General:
        break;
    }
    // The masks have a zero top byte, so the results do too.
    if (!src) {
        // Without a source the source bit makes no difference.
        for (int i = 0; i < n; ++i)
            dst[i] = (dst[i] & notSD_) | (~dst[i] & notSNotD_);
        return;
    }
    for (int i = 0; i < n; ++i) {
        std::uint32_t s = src[i], d = dst[i];
        dst[i] = (s & d & sd_) | (s & ~d & sNotD_) | (~s & d & notSD_) | (~s & ~d & notSNotD_);
    }
}

} // namespace gdi
