#pragma once

// BMP files: reading pictures of 1, 4, 8, 24 and 32 bits per pixel (BI_RGB,
// bottom-up or top-down) into surfaces, and writing surfaces out as 24- or
// 32-bit pictures. Reading trusts nothing in the file: every size and offset
// is checked against the length of the data before a byte is read, and
// anything malformed is refused.
//
// DumpSurface and DumpBitmap write what GDI holds to a file, for tests and
// debugging.

#include "platform/gdi/Surface.h"
#include "platform/win/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gdi {

// A 32-bit surface with the picture of a BMP file's bytes, or null when the
// data is not a BMP picture this reader handles.
std::unique_ptr<Surface> DecodeBmp(const std::uint8_t* data, std::size_t size);
std::unique_ptr<Surface> ReadBmpFile(const std::string& path);
// The same as a new 32-bit bitmap, owned by the caller (DeleteObject).
HBITMAP ReadBmpBitmap(const std::string& path);

// The bytes of a bottom-up BMP file of the surface at 24 or 32 bits per
// pixel; empty for another depth or an empty surface.
std::vector<std::uint8_t> EncodeBmp(const Surface& surface, int bitsPerPixel);
bool WriteBmpFile(const Surface& surface, const std::string& path, int bitsPerPixel = 24);

bool DumpSurface(const Surface& surface, const std::string& path);
bool DumpBitmap(HBITMAP bitmap, const std::string& path);

} // namespace gdi
