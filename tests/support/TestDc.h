#pragma once

// A memory device context holding a small 32-bit bitmap, for tests that draw
// and then check exact pixels.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace test {

class TestDc {
public:
    TestDc(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~TestDc();
    TestDc(const TestDc&) = delete;
    TestDc& operator=(const TestDc&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    gdi::Surface& surface() const;
    int width() const { return width_; }
    int height() const { return height_; }

    // The pixel as a COLORREF, read straight from the bitmap.
    COLORREF At(int x, int y) const;
    void Fill(COLORREF color);
    // Fills every pixel from a fixed-seed generator, so that a drawing that
    // fails to restore a pixel cannot hide behind a uniform background.
    void FillNoise(std::uint32_t seed);

    std::vector<std::uint32_t> Pixels() const;
    // How many pixels differ from an earlier Pixels().
    int CountChanged(const std::vector<std::uint32_t>& before) const;
    // The pixels whose colour is c, as a string of '#' and '.' rows; handy
    // in failure messages.
    std::string Mask(COLORREF c) const;
    // Number of pixels whose colour is c.
    int Count(COLORREF c) const;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

} // namespace test
