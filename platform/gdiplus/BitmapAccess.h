#pragma once

// Helpers shared by the files that implement the bitmap half of the API:
// finding the bitmap behind an image pointer and reaching its pixel rows.

#include "platform/gdiplus/GpObjects.h"

#include <cstdint>
#include <string>

namespace gdiplus {

// The bitmap behind an image (every image is a bitmap; null stays null).
GpBitmap* AsBitmap(GpImage* image);
const GpBitmap* AsBitmap(const GpImage* image);

// The premultiplied pixels of row y. Call BeginPixelAccess before reading
// or writing through it and EndPixelWrite after writing, so that cairo's
// view of the surface stays consistent.
std::uint32_t* BitmapRow(GpBitmap* bitmap, int y);
void BeginPixelAccess(GpBitmap* bitmap);
void EndPixelWrite(GpBitmap* bitmap);

// Writes the bitmap to a PNG file, for looking at while debugging.
// Returns false if the file could not be written.
bool DumpBitmap(GpBitmap* bitmap, const std::string& path);

} // namespace gdiplus
