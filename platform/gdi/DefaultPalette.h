#pragma once

// The colour tables of palettised DIBs: the ones GDI makes up when a bitmap is
// read out at 1, 4 or 8 bits per pixel, and the ones a DIB brings along.
//
// The default tables are built around the twenty static colours of the
// system palette: black, the six dark primaries and secondaries, light grey,
// "money green" and "sky blue" at indices 0..9, and "cream", medium grey,
// dark grey, the six bright primaries and secondaries and white at 246..255.
// The 4-bit table is the sixteen VGA colours among them, dark ones first;
// the 1-bit table is black and white.

#include "platform/win/WinTypes.h"

#include <array>
#include <cstdint>

namespace gdi {

class ColorTable {
public:
    static constexpr int kMaxEntries = 256;

    // An empty table, for depths that have none.
    ColorTable() = default;

    // The table GDI synthesises for bitsPerPixel 1, 4 or 8.
    static const ColorTable& Default(int bitsPerPixel);
    // The table carried by a DIB: count entries of RGBQUAD, padded with
    // black up to the size the depth can index, so that every index a
    // pixel can hold reads a defined colour.
    static ColorTable FromQuads(const RGBQUAD* quads, int count, int bitsPerPixel);

    int Size() const { return size_; }
    // The colour of an index as a 0x00RRGGBB pixel; the index must be valid.
    std::uint32_t Pixel(int index) const;
    const std::array<std::uint32_t, kMaxEntries>& Pixels() const { return pixels_; }
    // The index of the entry nearest to a pixel (squared distance in RGB;
    // the lowest index wins a tie), so that a colour that is in the table
    // maps to itself.
    int Nearest(std::uint32_t pixel) const;
    // Writes the entries as RGBQUADs.
    void CopyTo(RGBQUAD* out) const;

private:
    int size_ = 0;
    std::array<std::uint32_t, kMaxEntries> pixels_ {};
};

} // namespace gdi
