#pragma once

// Turning and stretching a camera frame onto the screen in one pass.
//
// Turning a frame into a work buffer (RotateFrame) and then stretching the
// turned copy reads and writes every pixel twice, and a quarter turn reads
// the frame down its columns, pixel by pixel. Here each pixel of the part of
// the picture that is shown is read once from the frame itself, through two
// tables of byte offsets: one for the screen column, one for the screen row.
// Whatever the angle, a pixel's offset in the frame is the sum of the two,
// because a turn by quarters maps screen columns onto either frame columns
// or frame rows, and the same for screen rows.
//
// The result is the one RotateFrame and a nearest-neighbour StretchDIBits
// of the turned frame give, pixel for pixel: the same pixel of the turned
// frame is picked for every screen pixel.

#include "camera/TurnKernels.h"
#include "platform/win/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Rows of 32-bit pixels (0x00RRGGBB), top-down, written by the turn.
struct PixelRows {
    std::uint32_t* pixels = nullptr; // the first pixel of the first row
    std::ptrdiff_t stride = 0; // pixels from one row to the next
};

// Keeps its offset tables from one picture to the next, so that painting
// allocates nothing once the view's size has settled.
class CTurnedStretch {
public:
    // Writes the frame (a 24-bit bitmap with its header), turned by the
    // angle and stretched over (0, 0, target), into out for the part of the
    // target in part (target coordinates): out's first pixel stands for
    // part's top-left corner. Answers false, writing nothing, when the frame
    // is not a 24-bit bitmap as long as its header says, or the target is
    // empty.
    bool Draw(const BYTE* frame, std::size_t frameLen, const BITMAPINFOHEADER& header, int angle, SIZE target,
        const RECT& part, PixelRows out);

private:
    // The two ways of walking the part: screen rows that read frame rows
    // (0 and 180) or frame columns (90 and 270). widest is the largest
    // column share, which bounds how far past a row's share a read goes.
    void DrawUpright(const BYTE* frame, std::size_t frameLen, std::uint32_t widest, std::uint32_t* out,
        std::ptrdiff_t stride);
    void DrawSideways(const BYTE* frame, std::size_t frameLen, std::uint32_t widest, std::uint32_t* out,
        std::ptrdiff_t stride, int maxStrip);

    // Frame rows a multiple of kCrowdedStride bytes apart (a 2048-pixel
    // frame's 6144) share few cache sets, so that the lines of a thousand
    // of them no longer stay cached: a quarter turn of such a frame is
    // walked in strips of kCrowdedStrip screen columns, which measured twice
    // as fast there. Other frames are walked whole, which measured faster
    // for them.
    static constexpr long long kCrowdedStride = 1024;
    static constexpr int kCrowdedStrip = 512;

    std::vector<std::uint32_t> m_columns; // byte share of each screen column of the part
    std::vector<std::uint32_t> m_rows; // byte share of each screen row of the part
    turnkernel::Groups m_groups; // the screen columns' shuffles, upright
};
