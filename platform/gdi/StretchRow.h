#pragma once

// One destination row of a stretched DIB, read from a source row through a
// column table: destination pixel i shows source column columns[i].
//
// For 24- and 32-bit sources the table is also cut into groups of four
// destination pixels whose source pixels lie within 16 bytes of each other
// (any enlargement, and reductions down to about three quarters). Such a
// group is read with one 16-byte load and one byte shuffle that places the
// four pixels, where the processor has the shuffle (SSSE3); the other
// groups, and every group on other processors, read pixel by pixel.

#include "platform/gdi/DibLayout.h"

#include <cstdint>
#include <vector>

namespace gdi {

class StretchRow {
public:
    // Every column must lie inside the picture.
    StretchRow(const DibLayout& dib, std::vector<int> columns);

    int Size() const { return static_cast<int>(columns_.size()); }
    // Writes Size() pixels, 0x00RRGGBB, read from one memory row of the
    // whole picture at bits.
    void Fill(const void* bits, int memoryRow, std::uint32_t* out) const;

private:
    struct alignas(16) Group {
        std::uint8_t mask[16]; // output byte k takes input byte mask[k]; 0x80 gives zero
        std::uint32_t base; // byte offset of the 16 bytes in the row
    };
    // Consecutive groups that are shuffled, from destination pixel `first`.
    struct Run {
        int first;
        std::vector<Group> groups;
    };

    const DibLayout& dib_;
    std::vector<int> columns_;
    std::vector<Run> runs_;
};

} // namespace gdi
