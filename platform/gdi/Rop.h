#pragma once

// Raster operations reduced to what is applied per pixel.
//
// A binary raster operation (ROP2) combines the pen P with the destination D
// bit by bit. Every boolean function of two bits can be written as
// (D AND a) XOR x, where a and x depend only on the pen's bit; so for a given
// pen colour each ROP2 becomes one (and, xor) pair of 24-bit masks, and all
// sixteen modes share one loop.
//
// Ternary operations (block transfers) combine pattern, source and
// destination; their code's high word is the truth table, indexed by
// P * 4 + S * 2 + D.

#include "platform/gdi/Gdi.h"

#include <cstdint>

namespace gdi {

struct Rop2Op {
    std::uint32_t andMask;
    std::uint32_t xorMask;

    std::uint32_t Apply(std::uint32_t dst) const { return (dst & andMask) ^ xorMask; }
    bool IsNop() const { return andMask == 0x00FFFFFF && xorMask == 0; }

    // The pair for mode rop2 (R2_BLACK..R2_WHITE) with pen pixel pen
    // (0x00RRGGBB).
    static constexpr Rop2Op For(int rop2, std::uint32_t pen)
    {
        // (rop2 - 1) is the truth table indexed by P * 2 + D.
        unsigned table = static_cast<unsigned>(rop2 - 1) & 0xF;
        auto all = [](unsigned bit) { return bit ? 0x00FFFFFFu : 0u; };
        std::uint32_t x0 = all(table & 1), a0 = x0 ^ all((table >> 1) & 1); // pen bit 0
        std::uint32_t x1 = all((table >> 2) & 1), a1 = x1 ^ all((table >> 3) & 1); // pen bit 1
        pen &= 0x00FFFFFF;
        return Rop2Op { ((pen & a1) | (~pen & a0)) & 0x00FFFFFF, ((pen & x1) | (~pen & x0)) & 0x00FFFFFF };
    }
};

// Applies a ternary raster operation to one pixel.
constexpr std::uint32_t ApplyRop3(DWORD rop, std::uint32_t pat, std::uint32_t src, std::uint32_t dst)
{
    switch (rop) {
    case SRCCOPY:
        return src;
    case SRCAND:
        return src & dst;
    case SRCPAINT:
        return src | dst;
    case SRCINVERT:
        return src ^ dst;
    case PATCOPY:
        return pat;
    default:
        break;
    }
    unsigned table = (rop >> 16) & 0xFF;
    std::uint32_t out = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!((table >> i) & 1))
            continue;
        std::uint32_t p = (i & 4) ? pat : ~pat;
        std::uint32_t s = (i & 2) ? src : ~src;
        std::uint32_t d = (i & 1) ? dst : ~dst;
        out |= p & s & d;
    }
    return out & 0x00FFFFFF;
}

// Whether a ternary operation reads the source, the pattern or the destination.
constexpr bool RopUsesSource(DWORD rop)
{
    unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}
constexpr bool RopUsesPattern(DWORD rop)
{
    unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}

} // namespace gdi
