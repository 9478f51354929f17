#pragma once

// Writing a bitmap to a BMP file at the colour depth of the display: a
// 14-byte file header, a 40-byte info header, the colour table for depths of
// 8 bits and less, and the rows bottom-up, each padded to a multiple of four
// bytes. The board's picture is saved this way.
//
// The new file is written beside the old one under a temporary name and
// takes the final name only once every byte is written, so a failed save
// (no space, no permission, no such folder) leaves an existing file whole
// and no partial file behind.

#include "platform/gdi/Gdi.h"

#include <string>

// The bits per pixel of a file for a display of that many planes times
// bits per pixel: 1, 4, 8 or 24 for displays up to those depths (so a 16-bit
// display gives 24-bit files), the display's own depth above.
int BitmapFileBitCount(int displayBits);

// The padded length in bytes of one pixel row of a file.
int BitmapFileStride(int bitCount, int width);

// Writes the bitmap (not selected into any device context) to path, replacing
// any file there. Answers TRUE when the whole file was written; FALSE, with
// nothing changed on disk, otherwise. Nothing is reported to the user.
BOOL WriteBitmapFile(HBITMAP bitmap, std::string path);
