#include "platform/x11/PixelFormat.h"

#include <bit>
#include <cstring>

namespace platform::x11 {

PixelFormat::Channel PixelFormat::FromMask(unsigned long mask)
{
    Channel c;
    if (mask == 0)
        return c;
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
    return c;
}

std::uint32_t PixelFormat::Channel::Unpack(std::uint32_t pixel) const
{
    std::uint32_t v = (pixel >> shift) & ((1u << bits) - 1);
    // Widen to 8 bits by repeating the top bits, so that full intensity
    // stays full (31 of 5 bits becomes 255, not 248).
    std::uint32_t wide = v << (8 - bits);
    for (int have = bits; have < 8; have += bits)
        wide |= wide >> have;
    return wide & 0xFF;
}

PixelFormat::PixelFormat(const XImage& image)
    : red_(FromMask(image.red_mask))
    , green_(FromMask(image.green_mask))
    , blue_(FromMask(image.blue_mask))
    , bytesPerPixel_(image.bits_per_pixel / 8)
    , msbFirst_(image.byte_order == MSBFirst)
{
    auto usable = [](const Channel& c) { return c.bits >= 1 && c.bits <= 8; };
    supported_ = image.format == ZPixmap && (bytesPerPixel_ == 2 || bytesPerPixel_ == 3 || bytesPerPixel_ == 4)
        && image.bits_per_pixel % 8 == 0 && usable(red_) && usable(green_) && usable(blue_);
    bool hostMsbFirst = std::endian::native == std::endian::big;
    identical_ = supported_ && bytesPerPixel_ == 4 && msbFirst_ == hostMsbFirst && image.red_mask == 0xFF0000
        && image.green_mask == 0xFF00 && image.blue_mask == 0xFF;
}

std::uint32_t PixelFormat::Load(const unsigned char* p) const
{
    std::uint32_t v = 0;
    if (msbFirst_)
        for (int i = 0; i < bytesPerPixel_; ++i)
            v = (v << 8) | p[i];
    else
        for (int i = bytesPerPixel_ - 1; i >= 0; --i)
            v = (v << 8) | p[i];
    return v;
}

void PixelFormat::Store(std::uint32_t v, unsigned char* p) const
{
    if (msbFirst_)
        for (int i = bytesPerPixel_ - 1; i >= 0; --i, v >>= 8)
            p[i] = static_cast<unsigned char>(v);
    else
        for (int i = 0; i < bytesPerPixel_; ++i, v >>= 8)
            p[i] = static_cast<unsigned char>(v);
}

void PixelFormat::ToImage(const std::uint32_t* src, int count, char* dst) const
{
    if (identical_) {
        std::memcpy(dst, src, static_cast<std::size_t>(count) * 4);
        return;
    }
    auto* out = reinterpret_cast<unsigned char*>(dst);
    for (int i = 0; i < count; ++i, out += bytesPerPixel_) {
        std::uint32_t p = src[i];
        Store(red_.Pack((p >> 16) & 0xFF) | green_.Pack((p >> 8) & 0xFF) | blue_.Pack(p & 0xFF), out);
    }
}

void PixelFormat::FromImage(const char* src, int count, std::uint32_t* dst) const
{
    if (identical_) {
        std::memcpy(dst, src, static_cast<std::size_t>(count) * 4);
        // The byte above blue, green and red is undefined in the image.
        for (int i = 0; i < count; ++i)
            dst[i] &= 0x00FFFFFF;
        return;
    }
    auto* in = reinterpret_cast<const unsigned char*>(src);
    for (int i = 0; i < count; ++i, in += bytesPerPixel_) {
        std::uint32_t v = Load(in);
        dst[i] = (red_.Unpack(v) << 16) | (green_.Unpack(v) << 8) | blue_.Unpack(v);
    }
}

} // namespace platform::x11
