// GetDIBits and SetDIBits at every depth: the header query, the default
// colour tables, nearest-colour mapping, scan line order and row padding.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A BITMAPINFO with room for a full colour table.
struct Info {
    BITMAPINFOHEADER header {};
    RGBQUAD colors[256] {};

    Info(int width, int height, int bpp)
    {
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bpp);
        header.biCompression = BI_RGB;
    }
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
    COLORREF Color(int i) const { return RGB(colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue); }
};

std::size_t RowBytes(int width, int bpp) { return ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4; }

// The palette index of pixel x in a packed row.
int IndexAt(const BYTE* row, int x, int bpp)
{
    int perByte = 8 / bpp;
    return (row[x / perByte] >> (8 - bpp * (x % perByte + 1))) & ((1 << bpp) - 1);
}

gdi::Surface& SurfaceOf(HBITMAP b) { return *static_cast<gdi::Bitmap*>(b)->surface; }

TEST(GetDIBits, HeaderQueryDescribesTheBitmapItself)
{
    struct {
        int width, height, bpp;
        DWORD imageBytes;
    } cases[] = {
        { 5, 3, 32, 5 * 4 * 3 },
        { 33, 2, 1, 8 * 2 }, // 33 bits need two 32-bit words per row
        { 1, 1, 1, 4 },
    };
    for (const auto& c : cases) {
        HBITMAP b = CreateBitmap(c.width, c.height, 1, c.bpp, nullptr);
        Info info(0, 0, 0);
        EXPECT_NE(GetDIBits(nullptr, b, 0, 0, nullptr, info.get(), DIB_RGB_COLORS), 0);
        EXPECT_EQ(info.header.biWidth, c.width);
        EXPECT_EQ(info.header.biHeight, c.height);
        EXPECT_EQ(info.header.biBitCount, c.bpp);
        EXPECT_EQ(info.header.biPlanes, 1);
        EXPECT_EQ(info.header.biCompression, BI_RGB);
        EXPECT_EQ(info.header.biSizeImage, c.imageBytes);
        DeleteObject(b);
    }
    Info info(0, 0, 0);
    EXPECT_EQ(GetDIBits(nullptr, nullptr, 0, 0, nullptr, info.get(), DIB_RGB_COLORS), 0) << "no bitmap";
}

TEST(GetDIBits, DefaultColourTables)
{
    const COLORREF vga[16] = { RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128),
        RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),
        RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255) };
    // The twenty static colours at both ends of the 256-colour table.
    const COLORREF low[10] = { RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128),
        RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240) };
    const COLORREF high[10] = { RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),
        RGB(0, 255, 0), RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255) };

    HBITMAP b = CreateBitmap(2, 2, 1, 32, nullptr);
    Info one(2, 2, 1), four(2, 2, 4), eight(2, 2, 8);
    for (Info* info : { &one, &four, &eight })
        ASSERT_NE(GetDIBits(nullptr, b, 0, 2, nullptr, info->get(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(one.Color(0), RGB(0, 0, 0));
    EXPECT_EQ(one.Color(1), RGB(255, 255, 255));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(four.Color(i), vga[i]) << i;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(eight.Color(i), low[i]) << i;
        EXPECT_EQ(eight.Color(246 + i), high[i]) << 246 + i;
    }
    EXPECT_EQ(eight.header.biSizeImage, 8u);
    DeleteObject(b);
}

TEST(GetDIBits, ColoursOfTheTableSurviveTheRoundTripAtEveryDepth)
{
    for (int bpp : { 1, 4, 8, 24, 32 }) {
        SCOPED_TRACE(testing::Message() << bpp << " bits");
        // 16x16 pixels; at 8 bits and below, pixel i is table entry i modulo
        // the table size, so every entry appears; above, arbitrary colours.
        Info table(16, 16, bpp <= 8 ? bpp : 8);
        HBITMAP b = CreateBitmap(16, 16, 1, 32, nullptr);
        ASSERT_NE(GetDIBits(nullptr, b, 0, 16, nullptr, table.get(), DIB_RGB_COLORS), 0);
        const int entries = 1 << (bpp <= 8 ? bpp : 8);
        for (int i = 0; i < 256; ++i) {
            COLORREF c = bpp <= 8 ? table.Color(i % entries) : RGB(i * 7, 255 - i, i ^ 0x5A);
            SurfaceOf(b).Row(i / 16)[i % 16] = gdi::PixelFromColorRef(c);
        }
        Info info(16, 16, bpp);
        std::vector<BYTE> bits(RowBytes(16, bpp) * 16);
        ASSERT_EQ(GetDIBits(nullptr, b, 0, 16, bits.data(), info.get(), DIB_RGB_COLORS), 16);

        HBITMAP back = CreateBitmap(16, 16, 1, 32, nullptr);
        ASSERT_EQ(SetDIBits(nullptr, back, 0, 16, bits.data(), info.get(), DIB_RGB_COLORS), 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(SurfaceOf(back).At(x, y), SurfaceOf(b).At(x, y)) << x << "," << y;
        DeleteObject(b);
        DeleteObject(back);
    }
}

TEST(GetDIBits, OtherColoursMapToTheNearestEntry)
{
    struct {
        int bpp;
        COLORREF colour;
        int index;
    } cases[] = {
        { 1, RGB(100, 100, 100), 0 },
        { 1, RGB(160, 160, 160), 1 },
        { 4, RGB(250, 10, 10), 9 },
        { 4, RGB(0x90, 0x90, 0x90), 8 },
        { 4, RGB(0xB0, 0xB0, 0xB0), 7 },
        { 4, RGB(0x70, 0x00, 0x10), 1 },
        { 8, RGB(0xFE, 0xFA, 0xEF), 246 },
        { 8, RGB(0x01, 0x01, 0x01), 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bpp << " bits, colour " << std::hex << c.colour);
        HBITMAP b = CreateBitmap(1, 1, 1, 32, nullptr);
        SurfaceOf(b).Row(0)[0] = gdi::PixelFromColorRef(c.colour);
        Info info(1, 1, c.bpp);
        BYTE bits[4] = { 0xFF, 0xFF, 0xFF, 0xFF };
        ASSERT_EQ(GetDIBits(nullptr, b, 0, 1, bits, info.get(), DIB_RGB_COLORS), 1);
        EXPECT_EQ(IndexAt(bits, 0, c.bpp), c.index);
        DeleteObject(b);
    }
}

TEST(GetDIBits, ScanLineOrderPaddingAndRanges)
{
    // A 3x4 bitmap whose row y is filled with colour (y, 0, 0) and whose
    // pixel x has blue x.
    HBITMAP b = CreateBitmap(3, 4, 1, 32, nullptr);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            SurfaceOf(b).Row(y)[x] = gdi::PixelFromColorRef(RGB(y, 0, x));

    struct {
        LONG height;
        UINT start, lines;
        int copied;
        int firstPictureRow; // of the first scan line in the buffer
    } cases[] = {
        { 4, 0, 4, 4, 3 }, // bottom-up: the bottom row first
        { -4, 0, 4, 4, 0 }, // top-down: the top row first
        { 4, 1, 2, 2, 2 },
        { -4, 2, 9, 2, 2 }, // clamped to the rows there are
        { 4, 4, 1, 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.height << " start " << c.start << " lines " << c.lines);
        Info info(3, c.height, 24);
        std::vector<BYTE> bits(12 * 4, 0xAB);
        EXPECT_EQ(GetDIBits(nullptr, b, c.start, c.lines, bits.data(), info.get(), DIB_RGB_COLORS), c.copied);
        for (int k = 0; k < c.copied; ++k) {
            int row = c.height > 0 ? c.firstPictureRow - k : c.firstPictureRow + k;
            const BYTE* p = bits.data() + 12 * k; // 9 bytes of pixels, 3 of padding
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(p[x * 3 + 0], x) << "blue, scan " << k;
                EXPECT_EQ(p[x * 3 + 2], row) << "red, scan " << k;
            }
            EXPECT_EQ(p[9] | p[10] | p[11], 0) << "padding is zeroed";
        }
        for (std::size_t i = 12 * static_cast<std::size_t>(c.copied); i < bits.size(); ++i)
            ASSERT_EQ(bits[i], 0xAB) << "wrote past the lines asked for";
    }
    DeleteObject(b);
}

TEST(SetDIBits, PalettedSourcesUseTheirOwnColourTable)
{
    // A 5x2 top-down 4-bit DIB with a three-colour table; 5 pixels take 3
    // bytes, padded to 4.
    Info info(5, -2, 4);
    info.header.biClrUsed = 3;
    info.colors[0] = RGBQUAD { 0x30, 0x20, 0x10, 0 };
    info.colors[1] = RGBQUAD { 0xFF, 0x00, 0x00, 0 };
    info.colors[2] = RGBQUAD { 0x00, 0xFF, 0xFF, 0 };
    const BYTE bits[8] = { 0x01, 0x21, 0x00, 0x00, 0x22, 0x10, 0x20, 0x00 };
    HBITMAP b = CreateBitmap(5, 2, 1, 32, nullptr);
    ASSERT_EQ(SetDIBits(nullptr, b, 0, 2, bits, info.get(), DIB_RGB_COLORS), 2);
    const COLORREF c0 = RGB(0x10, 0x20, 0x30), c1 = RGB(0, 0, 0xFF), c2 = RGB(0xFF, 0xFF, 0);
    const COLORREF want[2][5] = { { c0, c1, c2, c1, c0 }, { c2, c2, c1, c0, c2 } };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(gdi::ColorRefFromPixel(SurfaceOf(b).At(x, y)), want[y][x]) << x << "," << y;
    EXPECT_EQ(SurfaceOf(b).Dirty(), (RECT { 0, 0, 5, 2 }));

    // Into a monochrome bitmap each colour becomes the nearer of black and white.
    HBITMAP mono = CreateBitmap(5, 2, 1, 1, nullptr);
    ASSERT_EQ(SetDIBits(nullptr, mono, 0, 2, bits, info.get(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(SurfaceOf(mono).At(0, 0), 0u);
    EXPECT_EQ(SurfaceOf(mono).At(2, 0), gdi::kWhitePixel);

    info.header.biClrUsed = 17; // more colours than 4 bits can index
    EXPECT_EQ(SetDIBits(nullptr, b, 0, 2, bits, info.get(), DIB_RGB_COLORS), 0);
    DeleteObject(b);
    DeleteObject(mono);
}

} // namespace
