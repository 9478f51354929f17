#pragma once

// One row of the capture object's table of candidate sizes.

#include <cstdint>

struct ResolutionEntry {
    std::int32_t nWidth;
    std::int32_t nHeight; // 0 until a device format of this width is found
    std::int32_t bSupported; // 1 when the device offers a format of this width
};
