#include "platform/gdi/DefaultPalette.h"

#include <cassert>

namespace gdi {

namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return (r << 16) | (g << 8) | b; }

// The twenty static colours in system palette order: ten at the start of
// the table and ten at its end, so that black and white sit at the two
// extreme indices.
constexpr std::array<std::uint32_t, 10> kStaticLow {
    Rgb(0x00, 0x00, 0x00),
    Rgb(0x80, 0x00, 0x00),
    Rgb(0x00, 0x80, 0x00),
    Rgb(0x80, 0x80, 0x00),
    Rgb(0x00, 0x00, 0x80),
    Rgb(0x80, 0x00, 0x80),
    Rgb(0x00, 0x80, 0x80),
    Rgb(0xC0, 0xC0, 0xC0),
    Rgb(0xC0, 0xDC, 0xC0),
    Rgb(0xA6, 0xCA, 0xF0),
};
constexpr std::array<std::uint32_t, 10> kStaticHigh {
    Rgb(0xFF, 0xFB, 0xF0),
    Rgb(0xA0, 0xA0, 0xA4),
    Rgb(0x80, 0x80, 0x80),
    Rgb(0xFF, 0x00, 0x00),
    Rgb(0x00, 0xFF, 0x00),
    Rgb(0xFF, 0xFF, 0x00),
    Rgb(0x00, 0x00, 0xFF),
    Rgb(0xFF, 0x00, 0xFF),
    Rgb(0x00, 0xFF, 0xFF),
    Rgb(0xFF, 0xFF, 0xFF),
};

} // namespace

const ColorTable& ColorTable::Default(int bitsPerPixel)
{
    static const std::array<ColorTable, 3> tables = [] {
        std::array<ColorTable, 3> t {};
        ColorTable& mono = t[0];
        mono.size_ = 2;
        mono.pixels_[1] = Rgb(0xFF, 0xFF, 0xFF);

        // The sixteen VGA colours: the eight dark ones (light grey last),
        // then dark grey and the seven bright ones.
        ColorTable& vga = t[1];
        vga.size_ = 16;
        for (std::size_t i = 0; i < 8; ++i) {
            vga.pixels_[i] = kStaticLow[i];
            vga.pixels_[8 + i] = kStaticHigh[2 + i];
        }

        // 256 entries: the static colours at both ends, and between them a
        // regular mix stepping red by 32 (bits 0-2 of the index), green by 32
        // (bits 3-5) and blue by 64 (bits 6-7).
        ColorTable& full = t[2];
        full.size_ = 256;
        for (std::uint32_t i = 0; i < 256; ++i)
            full.pixels_[i] = Rgb((i & 7) << 5, ((i >> 3) & 7) << 5, ((i >> 6) & 3) << 6);
        for (std::size_t i = 0; i < 10; ++i) {
            full.pixels_[i] = kStaticLow[i];
            full.pixels_[246 + i] = kStaticHigh[i];
        }
        return t;
    }();
    assert(bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8);
    return tables[bitsPerPixel == 1 ? 0 : bitsPerPixel == 4 ? 1 : 2];
}

ColorTable ColorTable::FromQuads(const RGBQUAD* quads, int count, int bitsPerPixel)
{
    assert(bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8);
    ColorTable t;
    t.size_ = 1 << bitsPerPixel;
    for (int i = 0; i < count && i < t.size_; ++i)
        t.pixels_[i] = Rgb(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    return t;
}

std::uint32_t ColorTable::Pixel(int index) const
{
    assert(index >= 0 && index < size_);
    return pixels_[static_cast<std::size_t>(index)];
}

int ColorTable::Nearest(std::uint32_t pixel) const
{
    int pr = (pixel >> 16) & 0xFF, pg = (pixel >> 8) & 0xFF, pb = pixel & 0xFF;
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < size_; ++i) {
        std::uint32_t e = pixels_[static_cast<std::size_t>(i)];
        int dr = static_cast<int>((e >> 16) & 0xFF) - pr;
        int dg = static_cast<int>((e >> 8) & 0xFF) - pg;
        int db = static_cast<int>(e & 0xFF) - pb;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return best;
}

void ColorTable::CopyTo(RGBQUAD* out) const
{
    for (int i = 0; i < size_; ++i) {
        std::uint32_t p = pixels_[static_cast<std::size_t>(i)];
        out[i] = RGBQUAD { static_cast<BYTE>(p & 0xFF), static_cast<BYTE>((p >> 8) & 0xFF),
            static_cast<BYTE>((p >> 16) & 0xFF), 0 };
    }
}

} // namespace gdi
