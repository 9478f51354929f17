#pragma once

// How the pixels of an X image are laid out, and conversion of rows between
// that layout and the window system's 0x00RRGGBB pixels. Any TrueColor
// layout of 16, 24 or 32 bits per pixel in either byte order is understood;
// the common one (32 bits, 8-bit channels in the host's order) is a copy.

#include <X11/Xlib.h>

#include <cstdint>

namespace platform::x11 {

class PixelFormat {
public:
    explicit PixelFormat(const XImage& image);

    bool Supported() const { return supported_; }
    int BytesPerPixel() const { return bytesPerPixel_; }

    // Writes count pixels from src (0x00RRGGBB) into dst in the image's layout.
    void ToImage(const std::uint32_t* src, int count, char* dst) const;
    // Reads count pixels from src in the image's layout into dst (0x00RRGGBB).
    void FromImage(const char* src, int count, std::uint32_t* dst) const;

private:
    struct Channel {
        int shift = 0; // of the channel's lowest bit
        int bits = 0;
        std::uint32_t Pack(std::uint32_t value8) const { return (value8 >> (8 - bits)) << shift; }
        std::uint32_t Unpack(std::uint32_t pixel) const;
    };
    static Channel FromMask(unsigned long mask);
    std::uint32_t Load(const unsigned char* p) const;
    void Store(std::uint32_t value, unsigned char* p) const;

    Channel red_, green_, blue_;
    int bytesPerPixel_ = 4;
    bool msbFirst_ = false;
    bool identical_ = false; // the layout is the window system's own
    bool supported_ = false;
};

} // namespace platform::x11
