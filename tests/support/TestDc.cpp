#include "tests/support/TestDc.h"

#include "platform/gdi/GdiObjects.h"

#include <cassert>
#include <random>

namespace test {

TestDc::TestDc(int width, int height, COLORREF fill)
    : width_(width)
    , height_(height)
{
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bmi {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    assert(bitmap_);
    old_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

TestDc::~TestDc()
{
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

gdi::Surface& TestDc::surface() const { return *static_cast<gdi::Bitmap*>(bitmap_)->surface; }

COLORREF TestDc::At(int x, int y) const { return gdi::ColorRefFromPixel(surface().At(x, y)); }

void TestDc::Fill(COLORREF color)
{
    std::uint32_t p = gdi::PixelFromColorRef(color);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            surface().Row(y)[x] = p;
}

void TestDc::FillNoise(std::uint32_t seed)
{
    std::mt19937 rng(seed);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            surface().Row(y)[x] = rng() & gdi::kWhitePixel;
}

std::vector<std::uint32_t> TestDc::Pixels() const
{
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        out.insert(out.end(), surface().Row(y), surface().Row(y) + width_);
    return out;
}

int TestDc::CountChanged(const std::vector<std::uint32_t>& before) const
{
    std::vector<std::uint32_t> now = Pixels();
    int n = 0;
    for (std::size_t i = 0; i < now.size(); ++i)
        n += now[i] != before[i];
    return n;
}

std::string TestDc::Mask(COLORREF c) const
{
    std::string s;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
            s += At(x, y) == c ? '#' : '.';
        s += '\n';
    }
    return s;
}

int TestDc::Count(COLORREF c) const
{
    int n = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            n += At(x, y) == c;
    return n;
}

} // namespace test
