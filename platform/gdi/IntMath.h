#pragma once

// Exact integer helpers for the raster geometry: rounding divisions and
// integer square roots. The figures decide which pixels they cover with
// these alone, so a figure always covers the same pixels however it is
// clipped or wherever it is drawn.

#include <cassert>
#include <cmath>
#include <cstdint>

namespace gdi {

using Wide = __int128;
using UWide = unsigned __int128;

// Division rounded towards minus and plus infinity; d must not be zero.
inline std::int64_t FloorDiv(std::int64_t n, std::int64_t d)
{
    assert(d != 0);
    std::int64_t q = n / d;
    return (n % d != 0 && ((n < 0) != (d < 0))) ? q - 1 : q;
}
inline std::int64_t CeilDiv(std::int64_t n, std::int64_t d)
{
    assert(d != 0);
    std::int64_t q = n / d;
    return (n % d != 0 && ((n < 0) == (d < 0))) ? q + 1 : q;
}

// The largest q with q * q <= n. A floating estimate is corrected with exact
// products, so the answer is exact over the whole range.
inline std::uint64_t ISqrt(std::uint64_t n)
{
    auto q = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(n)));
    // q < 2^32 keeps (q + 1)^2 within 64 bits.
    q = q > 0xFFFFFFFFu ? 0xFFFFFFFFu : q;
    while (q > 0 && q * q > n)
        --q;
    while (q < 0xFFFFFFFFu && (q + 1) * (q + 1) <= n)
        ++q;
    return q;
}
inline std::uint64_t ISqrt(UWide n)
{
    // Most arguments fit in 64 bits, where double precision is much cheaper.
    if (n <= UINT64_MAX)
        return ISqrt(static_cast<std::uint64_t>(n));
    auto q = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(n)));
    while (q > 0 && static_cast<UWide>(q) * q > n)
        --q;
    while (static_cast<UWide>(q + 1) * (q + 1) <= n)
        ++q;
    return q;
}

// The largest q >= 0 with 4 * q * q <= n: half of a chord whose squared
// length, times four, is n.
inline std::uint64_t HalfISqrt(UWide n) { return ISqrt(n) / 2; }

} // namespace gdi
