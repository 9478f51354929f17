#pragma once

// How the pixels of a device-independent bitmap lie in memory, worked out
// once from its BITMAPINFOHEADER: the depth, the direction of the rows, the
// padded row length and, for 1, 4 and 8 bits per pixel, the colour table.
// StretchDIBits, SetDIBits and GetDIBits and the BMP reader and writer all
// go through it, so there is one place that knows the formats.
//
// Rows are named two ways. A "memory row" counts rows as they follow one
// another in the buffer, which is also what GetDIBits and SetDIBits call a
// scan line. A "picture row" counts from the top of the picture as it is
// shown. The two agree for a top-down DIB (negative biHeight) and run
// against each other for a bottom-up one.

#include "platform/gdi/DefaultPalette.h"
#include "platform/win/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace gdi {

class DibLayout {
public:
    // The layout described by a header, or none when the header is not one
    // this platform handles: BI_RGB at 1, 4, 8, 24 or 32 bits per pixel,
    // positive width, nonzero height, and a size that fits in memory. colors points
    // at the colour table (needed for 1, 4 and 8 bits); colorCount is how
    // many entries it may hold, at most.
    static std::optional<DibLayout> From(const BITMAPINFOHEADER& header, const RGBQUAD* colors, std::size_t colorCount);
    // A layout for writing: the given size and depth, with the default
    // colour table for 1, 4 and 8 bits.
    static std::optional<DibLayout> ForOutput(int width, int height, bool topDown, int bitsPerPixel);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool TopDown() const { return topDown_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    std::size_t RowBytes() const { return rowBytes_; }
    std::size_t ImageBytes() const { return rowBytes_ * static_cast<std::size_t>(height_); }
    const ColorTable& Colors() const { return colors_; }
    // The number of colour table entries a header of this layout declares
    // (zero above 8 bits per pixel).
    int ColorCount() const { return bitsPerPixel_ <= 8 ? 1 << bitsPerPixel_ : 0; }

    // Converts between picture rows and memory rows (the mapping is its own
    // inverse).
    int MemoryRowOfPictureRow(int pictureRow) const { return topDown_ ? pictureRow : height_ - 1 - pictureRow; }
    int PictureRowOfMemoryRow(int memoryRow) const { return MemoryRowOfPictureRow(memoryRow); }

    // The first byte of a memory row of the pixels at bits.
    const BYTE* Row(const void* bits, int memoryRow) const;
    BYTE* Row(void* bits, int memoryRow) const;

    // Reads n pixels of one memory row of the whole picture at bits, pixel i
    // from column columns[i], as 0x00RRGGBB. Every column must lie inside
    // the picture.
    void Gather(const void* bits, int memoryRow, const int* columns, int n, std::uint32_t* out) const;
    // Reads the n pixels of a row from column x0 on.
    void ReadRow(const BYTE* row, int x0, int n, std::uint32_t* out) const;
    // Writes a whole row from Width() pixels, mapping each to the nearest
    // colour table entry at 1, 4 and 8 bits and zeroing the padding.
    void WriteRow(BYTE* row, const std::uint32_t* pixels) const;

private:
    DibLayout() = default;

    int width_ = 0;
    int height_ = 0;
    bool topDown_ = false;
    int bitsPerPixel_ = 0;
    std::size_t rowBytes_ = 0;
    ColorTable colors_;
};

} // namespace gdi
