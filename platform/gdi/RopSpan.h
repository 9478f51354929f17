#pragma once

// A ternary raster operation made ready for one block transfer: the
// pattern (the destination DC's brush) is fixed for the whole transfer, so
// the operation reduces per bit to a function of source and destination,
// kept as four masks, one for each combination of source and destination
// bit. The masks are read off gdi::ApplyRop3 itself, so every one of the 256
// operations behaves exactly as ApplyRop3 says while costing a handful of
// bitwise instructions per pixel. The common copies have their own loops.

#include "platform/gdi/Rop.h"

#include <cstdint>

namespace gdi {

class RopSpan {
public:
    RopSpan(DWORD rop, std::uint32_t pattern);

    bool UsesSource() const { return usesSource_; }
    bool UsesPattern() const { return usesPattern_; }

    // dst[i] = rop(pattern, src[i], dst[i]) for i < n. src may be null when
    // the operation does not use the source. Only the low 24 bits of the
    // inputs count; the results have a zero top byte.
    void Apply(const std::uint32_t* src, std::uint32_t* dst, int n) const;

private:
    enum class Kind { SrcCopy, SrcAnd, SrcPaint, SrcInvert, PatCopy, General };

    Kind kind_;
    bool usesSource_;
    bool usesPattern_;
    std::uint32_t pattern_;
    // Bits where the result is 1 for (source, destination) = (1, 1), (1, 0),
    // (0, 1) and (0, 0).
    std::uint32_t sd_, sNotD_, notSD_, notSNotD_;
};

} // namespace gdi
