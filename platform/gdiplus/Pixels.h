#pragma once

// Conversions between the API's straight-alpha ARGB and the premultiplied
// ARGB that cairo keeps in its ARGB32 surfaces. Both are 0xAARRGGBB in a
// native 32-bit word, so only the colour channels change.

#include <cstdint>

namespace gdiplus {

// c * a / 255 rounded to nearest, exactly as cairo and pixman round it.
constexpr std::uint32_t MulDiv255(std::uint32_t c, std::uint32_t a)
{
    std::uint32_t t = c * a + 0x80;
    return (t + (t >> 8)) >> 8;
}

constexpr std::uint32_t Premultiply(std::uint32_t argb)
{
    std::uint32_t a = argb >> 24;
    if (a == 255)
        return argb;
    if (a == 0)
        return 0;
    return (a << 24) | (MulDiv255((argb >> 16) & 0xFF, a) << 16) | (MulDiv255((argb >> 8) & 0xFF, a) << 8)
        | MulDiv255(argb & 0xFF, a);
}

// A premultiplied channel back to straight, rounded to nearest. A channel
// above its alpha (which cairo never writes, but caller memory may hold) is
// clamped to full intensity.
constexpr std::uint32_t Unpremultiply(std::uint32_t premultiplied)
{
    std::uint32_t a = premultiplied >> 24;
    if (a == 255)
        return premultiplied;
    if (a == 0)
        return 0;
    auto channel = [a](std::uint32_t p) {
        std::uint32_t c = (p * 255 + a / 2) / a;
        return c > 255 ? 255u : c;
    };
    return (a << 24) | (channel((premultiplied >> 16) & 0xFF) << 16) | (channel((premultiplied >> 8) & 0xFF) << 8)
        | channel(premultiplied & 0xFF);
}

} // namespace gdiplus
