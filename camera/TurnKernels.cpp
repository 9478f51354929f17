// Gathering and shuffling frame pixels into screen rows.

#include "camera/TurnKernels.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define INKVEIL_TURN_SHUFFLE 1
#endif

namespace turnkernel {

namespace {

constexpr int kGroup = 4;

inline std::uint32_t Pixel4(const BYTE* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v & 0x00FFFFFFu;
}

inline std::uint32_t Pixel3(const BYTE* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
        | static_cast<std::uint32_t>(p[2]) << 16;
}

// The masks that place the pixels at byte offsets at[0..3] (from the first
// load's first byte) as four 32-bit pixels with a zero top byte: bytes
// before 16 from the first load (low), the rest from a second load that
// starts secondAt bytes after the first (high). An index with its top bit
// set gives zero.
void FillMasks(std::uint8_t* low, std::uint8_t* high, const std::uint32_t* at, std::uint32_t secondAt)
{
    for (int k = 0; k < kGroup; ++k) {
        for (int b = 0; b < 3; ++b) {
            const std::uint32_t byte = at[k] + static_cast<std::uint32_t>(b);
            const bool first = byte < 16;
            low[k * 4 + b] = first ? static_cast<std::uint8_t>(byte) : 0x80;
            if (high)
                high[k * 4 + b] = first ? 0x80 : static_cast<std::uint8_t>(byte - secondAt);
        }
        low[k * 4 + 3] = 0x80;
        if (high)
            high[k * 4 + 3] = 0x80;
    }
}

} // namespace

#ifdef INKVEIL_TURN_SHUFFLE
bool CanShuffle()
{
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    return ssse3;
}
#else
bool CanShuffle() { return false; }
#endif

void GatherRow(const BYTE* row, const std::uint32_t* offsets, int n, bool fourBytes, std::uint32_t* out)
{
    if (fourBytes) {
        for (int i = 0; i < n; ++i)
            out[i] = Pixel4(row + offsets[i]);
    } else {
        for (int i = 0; i < n; ++i)
            out[i] = Pixel3(row + offsets[i]);
    }
}

void MakeGroups(const std::uint32_t* offsets, int n, Groups& groups)
{
    groups.list.resize(static_cast<std::size_t>(n / kGroup));
    groups.twoLoads = false;
    for (std::size_t g = 0; g < groups.list.size(); ++g) {
        const std::uint32_t* c = offsets + g * kGroup;
        const auto [lo, hi] = std::minmax_element(c, c + kGroup);
        Group& group = groups.list[g];
        const std::uint32_t span = *hi - *lo + 3;
        if (span > 32) {
            group.base = kNoGroup;
            continue;
        }
        group.base = *lo;
        // The second load ends where the group's last byte does, so it reads
        // nothing past what the group itself needs (the first load already
        // reaches 16 bytes past the group's start, and so past its end).
        const std::uint32_t secondAt = span > 16 ? span - 16 : 0;
        group.second = *lo + secondAt;
        groups.twoLoads = groups.twoLoads || span > 16;
        std::uint32_t at[kGroup];
        for (int k = 0; k < kGroup; ++k)
            at[k] = c[k] - *lo;
        FillMasks(group.low, group.high, at, secondAt);
    }
}

#ifdef INKVEIL_TURN_SHUFFLE

namespace {

__attribute__((target("ssse3"))) inline __m128i ShuffleAt(const BYTE* p, __m128i mask)
{
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), mask);
}

} // namespace

__attribute__((target("ssse3"))) void ShuffleRow(const BYTE* row, const std::uint32_t* offsets, int n,
    const Groups& groups, std::uint32_t* out)
{
    const std::size_t count = groups.list.size();
    const Group* group = groups.list.data();
    if (groups.twoLoads) {
        for (std::size_t g = 0; g < count; ++g) {
            std::uint32_t* o = out + g * kGroup;
            if (group[g].base == kNoGroup) {
                GatherRow(row, offsets + g * kGroup, kGroup, true, o);
                continue;
            }
            const __m128i low = ShuffleAt(row + group[g].base,
                _mm_load_si128(reinterpret_cast<const __m128i*>(group[g].low)));
            const __m128i high = ShuffleAt(row + group[g].second,
                _mm_load_si128(reinterpret_cast<const __m128i*>(group[g].high)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_or_si128(low, high));
        }
    } else {
        for (std::size_t g = 0; g < count; ++g) {
            std::uint32_t* o = out + g * kGroup;
            if (group[g].base == kNoGroup) {
                GatherRow(row, offsets + g * kGroup, kGroup, true, o);
                continue;
            }
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o),
                ShuffleAt(row + group[g].base, _mm_load_si128(reinterpret_cast<const __m128i*>(group[g].low))));
        }
    }
    const int done = static_cast<int>(count) * kGroup;
    GatherRow(row, offsets + done, n - done, true, out + done);
}

__attribute__((target("ssse3"))) int SidewaysQuads(const BYTE* frame, const std::uint32_t* columns, int n,
    const std::uint32_t* rows, std::uint32_t* out, std::ptrdiff_t stride)
{
    const std::uint32_t lo = *std::min_element(rows, rows + kGroup);
    alignas(16) std::uint8_t maskBytes[16];
    std::uint32_t at[kGroup];
    for (int k = 0; k < kGroup; ++k)
        at[k] = rows[k] - lo;
    FillMasks(maskBytes, nullptr, at, 0);
    const __m128i mask = _mm_load_si128(reinterpret_cast<const __m128i*>(maskBytes));
    const BYTE* base = frame + lo;
    std::uint32_t* o0 = out;
    std::uint32_t* o1 = out + stride;
    std::uint32_t* o2 = out + 2 * stride;
    std::uint32_t* o3 = out + 3 * stride;
    int i = 0;
    for (; i + kGroup <= n; i += kGroup) {
        // The four screen rows' pixels of screen columns i ... i + 3.
        const __m128i a = ShuffleAt(base + columns[i], mask), b = ShuffleAt(base + columns[i + 1], mask);
        const __m128i c = ShuffleAt(base + columns[i + 2], mask), d = ShuffleAt(base + columns[i + 3], mask);
        // Columns to rows: a 4 x 4 transpose of 32-bit pixels.
        const __m128i ab0 = _mm_unpacklo_epi32(a, b), cd0 = _mm_unpacklo_epi32(c, d);
        const __m128i ab1 = _mm_unpackhi_epi32(a, b), cd1 = _mm_unpackhi_epi32(c, d);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o0 + i), _mm_unpacklo_epi64(ab0, cd0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o1 + i), _mm_unpackhi_epi64(ab0, cd0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o2 + i), _mm_unpacklo_epi64(ab1, cd1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o3 + i), _mm_unpackhi_epi64(ab1, cd1));
    }
    return i;
}

#else

void ShuffleRow(const BYTE* row, const std::uint32_t* offsets, int n, const Groups&, std::uint32_t* out)
{
    GatherRow(row, offsets, n, true, out);
}

int SidewaysQuads(const BYTE*, const std::uint32_t*, int, const std::uint32_t*, std::uint32_t*, std::ptrdiff_t)
{
    return 0;
}

#endif

} // namespace turnkernel
