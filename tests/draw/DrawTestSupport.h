#pragma once

// Helpers for the drawing-object tests: a GDI+ bitmap that frees itself,
// straight-alpha pixel reads, and objects configured the way a surface
// configures them.

#include "draw/DrawObj.h"
#include "platform/gdiplus/GdiPlusFlat.h"

#include <memory>

namespace test {

struct BitmapDeleter {
    void operator()(GpBitmap* b) const { GdipDisposeImage(b); }
};
using BitmapPtr = std::unique_ptr<GpBitmap, BitmapDeleter>;

// A fully transparent 32bppARGB bitmap, like the video view's overlay.
BitmapPtr MakeOverlay(int width, int height);
ARGB PixelOf(GpBitmap* bitmap, int x, int y);
int AlphaOf(GpBitmap* bitmap, int x, int y);

// Makes the object for a tool and configures it in the surfaces' order:
// alpha, fill brush, pen, line type.
std::unique_ptr<CDrawObj> MakeObject(int tool, int width, COLORREF color, int alphaPercent = 100, int lineType = 0,
    COLORREF fillColor = RGB(255, 0, 0));

// Drops the final pen and brush, so that DrawFinal only removes the rubber
// band and draws nothing of its own.
void WithoutFinalRendering(CDrawObj& obj);

} // namespace test
