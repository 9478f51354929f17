#include "platform/gdi/StretchRow.h"

#include <algorithm>
#include <cassert>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define INKVEIL_SHUFFLE_ROWS 1
#endif

namespace gdi {

namespace {

constexpr int kGroup = 4;

#ifdef INKVEIL_SHUFFLE_ROWS
bool CanShuffle()
{
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    return ssse3;
}

// Reads count groups: each one 16-byte load, one shuffle, one store.
template <typename Group>
__attribute__((target("ssse3"))) void ShuffleGroups(const BYTE* row, const Group* groups, std::size_t count,
    std::uint32_t* out)
{
    for (std::size_t g = 0; g < count; ++g, out += kGroup) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + groups[g].base));
        __m128i order = _mm_load_si128(reinterpret_cast<const __m128i*>(groups[g].mask));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(bytes, order));
    }
}
#else
bool CanShuffle() { return false; }
template <typename Group>
void ShuffleGroups(const BYTE*, const Group*, std::size_t, std::uint32_t*)
{
}
#endif

} // namespace

StretchRow::StretchRow(const DibLayout& dib, std::vector<int> columns)
    : dib_(dib)
    , columns_(std::move(columns))
{
    const int pixelBytes = dib.BitsPerPixel() / 8;
    if ((pixelBytes != 3 && pixelBytes != 4) || !CanShuffle())
        return;
    const int groups = Size() / kGroup;
    for (int g = 0; g < groups; ++g) {
        const int* c = columns_.data() + g * kGroup;
        auto [lo, hi] = std::minmax_element(c, c + kGroup);
        const std::uint32_t base = static_cast<std::uint32_t>(*lo * pixelBytes);
        // The 16 bytes must hold all four pixels and stay inside the row
        // (its padding included), so that no load reaches past the data.
        if ((*hi - *lo + 1) * pixelBytes > 16 || base + 16 > dib.RowBytes())
            continue;
        Group group {};
        group.base = base;
        for (int k = 0; k < kGroup; ++k) {
            int offset = (c[k] - *lo) * pixelBytes;
            for (int b = 0; b < 3; ++b)
                group.mask[k * 4 + b] = static_cast<std::uint8_t>(offset + b);
            group.mask[k * 4 + 3] = 0x80; // the top byte of the pixel is zero
        }
        const int first = g * kGroup;
        if (runs_.empty() || runs_.back().first + static_cast<int>(runs_.back().groups.size()) * kGroup != first)
            runs_.push_back(Run { first, {} });
        runs_.back().groups.push_back(group);
    }
}

void StretchRow::Fill(const void* bits, int memoryRow, std::uint32_t* out) const
{
    const BYTE* row = dib_.Row(bits, memoryRow);
    // Between the runs of shuffled groups, pixels are read one by one.
    int done = 0;
    auto gather = [&](int end) {
        if (end > done)
            dib_.Gather(bits, memoryRow, columns_.data() + done, end - done, out + done);
    };
    for (const Run& run : runs_) {
        gather(run.first);
        ShuffleGroups(row, run.groups.data(), run.groups.size(), out + run.first);
        done = run.first + static_cast<int>(run.groups.size()) * kGroup;
    }
    gather(Size());
}

} // namespace gdi
