#pragma once

// The runs of a picture: for every row, each maximal stretch of pixels that
// are not of a key colour. A skinned window's outline is the union of its
// background's runs, one pixel high each, and the drawing board's eraser
// copies the frozen screen back strip by strip along the runs of its mask.
//
// FindRuns is pure, so the outline's geometry can be checked without any
// window; ReadBitmapColors is the one platform step, reading a bitmap's
// pixels the way GetPixel would answer them.

#include "platform/gdi/Gdi.h"

#include <vector>

namespace skin {

// Pixels left..right-1 of row y.
struct Run {
    int y;
    int left;
    int right;
    bool operator==(const Run&) const = default;
};

// Calls f(left, right) for every maximal run of pixels of row (width
// pixels) that differ from key, left to right. A row without key pixels
// gives one run of the full width; a key pixel never starts a run.
template <typename F>
void ForEachRunInRow(const COLORREF* row, int width, COLORREF key, F&& f)
{
    int runStart = 0;
    for (int x = 0; x < width; ++x) {
        if (row[x] != key)
            continue;
        if (runStart < x)
            f(runStart, x);
        runStart = x + 1;
    }
    if (runStart < width)
        f(runStart, width);
}

// The runs of the top-left scanWidth x scanHeight pixels of a picture whose
// rows are stride pixels apart, top row first, in row order.
std::vector<Run> FindRuns(const COLORREF* pixels, int stride, int scanWidth, int scanHeight, COLORREF key);

// A bitmap's pixels as COLORREFs, rows top-down, width pixels apart.
struct BitmapColors {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colors;
};

// Reads every pixel of a bitmap; an empty result when it cannot be read.
BitmapColors ReadBitmapColors(HBITMAP bitmap);

} // namespace skin
