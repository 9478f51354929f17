#include "platform/gdi/Surface.h"

#include <algorithm>
#include <cassert>

namespace gdi {

Surface::Surface(int width, int height, int bitsPerPixel)
    : width_(std::max(width, 0))
    , height_(std::max(height, 0))
    , bitsPerPixel_(bitsPerPixel == 1 ? 1 : 32)
    , stride_(width_)
    , owned_(new std::uint32_t[static_cast<std::size_t>(std::max(width_, 1)) * std::max(height_, 1)]())
    , pixels_(owned_.get())
{
}

Surface::Surface(int width, int height, std::uint32_t* pixels, int stridePixels)
    : width_(width)
    , height_(height)
    , bitsPerPixel_(32)
    , stride_(stridePixels)
    , pixels_(pixels)
{
    // A negative stride walks memory bottom-up, as a bottom-up DIB section does.
    assert(pixels != nullptr && (stridePixels >= width || -stridePixels >= width));
}

std::uint32_t Surface::Representable(std::uint32_t pixel) const
{
    pixel &= kWhitePixel;
    if (!IsMonochrome())
        return pixel;
    // Nearest of black and white by the sum of the channels.
    unsigned sum = (pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF);
    return sum >= 384 ? kWhitePixel : 0;
}

void Surface::MarkDirty(const RECT& r)
{
    RECT c { std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, width_),
        std::min<LONG>(r.bottom, height_) };
    if (c.left >= c.right || c.top >= c.bottom)
        return;
    if (dirty_.left >= dirty_.right || dirty_.top >= dirty_.bottom) {
        dirty_ = c;
        return;
    }
    dirty_.left = std::min(dirty_.left, c.left);
    dirty_.top = std::min(dirty_.top, c.top);
    dirty_.right = std::max(dirty_.right, c.right);
    dirty_.bottom = std::max(dirty_.bottom, c.bottom);
}

RECT Surface::TakeDirty()
{
    RECT d = dirty_;
    dirty_ = RECT { 0, 0, 0, 0 };
    return d;
}

} // namespace gdi
