#pragma once

// Image attributes: how an image's colours change on the way to the
// destination. The program uses only the colour key, which leaves out every
// pixel whose red, green and blue each lie within a range.

#include "platform/gdiplus/GdiPlusFlat.h"

#include <array>
#include <cstdint>

namespace gdiplus {

struct ColorKey {
    ARGB low = 0;
    ARGB high = 0;

    // Red, green and blue each within low..high, both ends inclusive; alpha
    // plays no part.
    bool Matches(std::uint32_t straightArgb) const
    {
        for (int shift : { 16, 8, 0 }) {
            std::uint32_t c = (straightArgb >> shift) & 0xFF;
            if (c < ((low >> shift) & 0xFF) || c > ((high >> shift) & 0xFF))
                return false;
        }
        return true;
    }
    bool operator==(const ColorKey&) const = default;
};

} // namespace gdiplus

struct GpImageAttributes {
    // One optional key per ColorAdjustType category (Default ... Text).
    std::array<bool, 5> keyEnabled {};
    std::array<gdiplus::ColorKey, 5> keys {};

    // The key that applies to drawing a bitmap: the Bitmap category's when
    // it has one, else the Default category's; null when neither has one.
    const gdiplus::ColorKey* BitmapKey() const
    {
        if (keyEnabled[ColorAdjustTypeBitmap])
            return &keys[ColorAdjustTypeBitmap];
        if (keyEnabled[ColorAdjustTypeDefault])
            return &keys[ColorAdjustTypeDefault];
        return nullptr;
    }
};
