#pragma once

// A rectangle of pixels that GDI draws into: a bitmap, a window's backing
// store or the screen. Pixels are 32-bit values 0x00RRGGBB (blue in the
// lowest byte in memory, as in a 32-bit DIB), rows top-down. A monochrome
// surface keeps the same layout with every pixel either 0 or 0x00FFFFFF.
//
// The surface records the bounding box of everything drawn into it since the
// last TakeDirty, so that presentation copies only what changed.

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <memory>

namespace gdi {

inline constexpr std::uint32_t kWhitePixel = 0x00FFFFFF;

constexpr std::uint32_t PixelFromColorRef(COLORREF c)
{
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF ColorRefFromPixel(std::uint32_t p)
{
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

class Surface {
public:
    // Owns zeroed (black) pixel memory.
    Surface(int width, int height, int bitsPerPixel = 32);
    // Draws into memory owned by someone else; stride is in pixels and is
    // negative for memory laid out bottom-up.
    Surface(int width, int height, std::uint32_t* pixels, int stridePixels);

    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    bool IsMonochrome() const { return bitsPerPixel_ == 1; }
    int Stride() const { return stride_; }
    RECT Bounds() const { return RECT { 0, 0, width_, height_ }; }

    std::uint32_t* Row(int y) { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    const std::uint32_t* Row(int y) const { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    std::uint32_t* Pixels() { return pixels_; }
    const std::uint32_t* Pixels() const { return pixels_; }

    std::uint32_t At(int x, int y) const { return Row(y)[x]; }

    // Brings a colour to what this surface can hold: itself for colour
    // surfaces, the nearer of black and white for monochrome ones.
    std::uint32_t Representable(std::uint32_t pixel) const;

    // Grows the dirty box by r (clipped to the surface).
    void MarkDirty(const RECT& r);
    RECT Dirty() const { return dirty_; }
    // Returns the dirty box and starts a new, empty one.
    RECT TakeDirty();

private:
    int width_;
    int height_;
    int bitsPerPixel_;
    int stride_;
    std::unique_ptr<std::uint32_t[]> owned_;
    std::uint32_t* pixels_;
    RECT dirty_ { 0, 0, 0, 0 };
};

} // namespace gdi
