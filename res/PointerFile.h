#pragma once

// The file format of the program's cursors and icons: a small header and
// straight-alpha ARGB pixels, so that a picture keeps its soft edges and its
// hot spot without the monochrome masks of older formats.
//
//   offset  size  content
//        0     4  "IVPT"
//        4     2  width in pixels (1 to 256)
//        6     2  height in pixels (1 to 256)
//        8     2  hot spot x (less than the width)
//       10     2  hot spot y (less than the height)
//       12  4*w*h pixels 0xAARRGGBB, rows top-down
//
// Every number is little-endian; the file holds nothing after the pixels.

#include "platform/window/Resources.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace res {

std::vector<std::uint8_t> EncodePointer(const Pointer& pointer);
// The picture, or nothing when the bytes are not such a file.
std::optional<Pointer> DecodePointer(const std::uint8_t* data, std::size_t size);

} // namespace res
