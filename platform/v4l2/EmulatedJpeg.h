#pragma once

// Motion-JPEG frames for emulated cameras, encoded with TurboJPEG from
// known pictures, the way a camera's encoder makes them (4:2:2, the
// standard Huffman tables).

#include "platform/v4l2/EmulatedDevice.h"

#include <cstdint>
#include <vector>

namespace v4l2 {

// Top-down BGR pixels (width × 3 bytes a row) as one JPEG frame.
std::vector<std::uint8_t> EncodeJpeg(const std::uint8_t* bgr, int width, int height, int quality = 90);

// The frame with its Huffman table segments left out, as some cameras send.
std::vector<std::uint8_t> WithoutHuffmanTables(const std::vector<std::uint8_t>& jpeg);

// A picture that serves the frames in turn, whatever the format's size
// (frames larger than the buffer are cut off, as a faulty driver would).
EmulatedDevice::SizedPicture JpegFrames(std::vector<std::vector<std::uint8_t>> frames);

} // namespace v4l2
