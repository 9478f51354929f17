#pragma once

// Frame sizes the capture object accepts. A device that reports a size no
// camera delivers (a side of 0 or less, or beyond kMaxFrameSide) is not
// trusted with buffers: such sizes are passed over when the capture size is
// chosen, and a graph whose format has one is not run.

#include "platform/win/WinTypes.h"

#include <cstdint>

inline constexpr LONG kMaxFrameSide = 16384;

// Bytes of a 24-bit frame of that size with rows one after another, worked
// out in 64 bits; 0 for a size outside what a camera delivers. The largest,
// 16384 x 16384 x 3, still fits an int32.
inline std::int64_t FrameBytes24(LONG width, LONG height)
{
    if (width <= 0 || height <= 0 || width > kMaxFrameSide || height > kMaxFrameSide)
        return 0;
    return static_cast<std::int64_t>(width) * height * 3;
}
