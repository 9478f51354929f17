#pragma once

// The inner loops of the one-pass turn and stretch (CTurnedStretch): 24-bit
// frame pixels gathered through byte offsets into 32-bit rows (0x00RRGGBB).
// Where the processor has a byte shuffle (SSSE3), groups of four pixels
// that lie within 16 bytes of the frame are read with one load and placed
// with one shuffle; the plain loops do the rest, and everything on other
// processors.

#include "platform/win/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace turnkernel {

// Whether the shuffled forms below may be used.
bool CanShuffle();

// out[i] = the pixel at row + offsets[i], i < n. With fourBytes each pixel
// is read as four bytes, so one byte after every pixel must be readable.
void GatherRow(const BYTE* row, const std::uint32_t* offsets, int n, bool fourBytes, std::uint32_t* out);

// Four screen pixels of one screen row, read with one 16-byte load from
// base (a byte offset in the frame row) and placed by low. When the four
// lie further apart than one load reaches (a picture shrunk to less than
// about three quarters), a second load from second, placed by high, brings
// the rest. A group whose pixels lie more than 32 bytes apart is not
// shuffled (base kNoGroup).
struct alignas(16) Group {
    std::uint8_t low[16];
    std::uint8_t high[16]; // every index 0x80 (zero) where one load does
    std::uint32_t base;
    std::uint32_t second;
};
inline constexpr std::uint32_t kNoGroup = 0xFFFFFFFFu;

// The groups of a row of screen pixels, and whether any of them needs its
// second load (then every group is read with two loads: a branch per group
// on that would be mispredicted about as often as taken).
struct Groups {
    std::vector<Group> list;
    bool twoLoads = false;
};

// The groups for a row of screen pixels with these byte offsets: one per
// four pixels, the last n % 4 pixels left out.
void MakeGroups(const std::uint32_t* offsets, int n, Groups& groups);

// A whole screen row: the groups shuffled, the pixels of groups that are
// not and of the tail gathered. Every load must stay inside the frame:
// row + (the largest offset) + 16 at most its end.
void ShuffleRow(const BYTE* row, const std::uint32_t* offsets, int n, const Groups& groups, std::uint32_t* out);

// Four screen rows of a picture turned by a quarter, where a screen column
// picks a frame row (columns[i], a byte offset) and each of the four screen
// rows a pixel in it (rows[k], byte offsets within 12 bytes of each other):
// four columns at a time are read with four loads, four shuffles and a 4 x 4
// transpose. Answers how many of the n columns are done (a multiple of 4);
// the caller gathers the rest. Every load must stay inside the frame.
int SidewaysQuads(const BYTE* frame, const std::uint32_t* columns, int n, const std::uint32_t* rows, std::uint32_t* out,
    std::ptrdiff_t stride);

} // namespace turnkernel
