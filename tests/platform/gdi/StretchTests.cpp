// StretchDIBits from 24- and 32-bit frames, bottom-up and top-down, whose
// every pixel encodes its own picture coordinates (red = x, green = y,
// counted from the top), so that each destination pixel tells which source
// pixel landed on it.

#include "platform/gdi/Gdi.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr BYTE kTag = 0x5A; // blue of every frame pixel

struct Frame {
    BITMAPINFO info {};
    std::vector<BYTE> bits;

    // A width x height frame at 24 or 32 bits, rows padded to 4 bytes.
    Frame(int width, int height, int bpp, bool topDown)
    {
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = topDown ? -height : height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bpp);
        info.bmiHeader.biCompression = BI_RGB;
        std::size_t rowBytes = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
        // Padding bytes hold junk, which must never show.
        bits.assign(rowBytes * height, 0xEE);
        for (int y = 0; y < height; ++y) {
            BYTE* row = bits.data() + rowBytes * (topDown ? y : height - 1 - y);
            for (int x = 0; x < width; ++x) {
                BYTE* p = row + x * (bpp / 8);
                p[0] = kTag;
                p[1] = static_cast<BYTE>(y);
                p[2] = static_cast<BYTE>(x);
                if (bpp == 32)
                    p[3] = 0xFF; // the unused byte must not leak into the surface
            }
        }
    }
};

// The source index a nearest-neighbour stretch of `from` pixels onto `to`
// pixels shows at destination index i: the one under the pixel's centre.
int Nearest(int i, int from, int to) { return static_cast<int>(std::floor((i + 0.5) * from / to)); }

struct StretchCase {
    const char* name;
    int frameW, frameH;
    // Destination rectangle and source rectangle as passed to StretchDIBits.
    int xd, yd, wd, hd;
    int xs, ys, ws, hs;
};

// Source rectangles here cover the whole frame, so the expected picture is
// a plain function of the destination pixel; mirrored cases flip it.
const StretchCase kWholeFrameCases[] = {
    { "one to one", 5, 4, 1, 2, 5, 4, 0, 0, 5, 4 },
    { "twice as large", 3, 2, 0, 0, 6, 4, 0, 0, 3, 2 },
    { "half the size", 8, 6, 1, 1, 4, 3, 0, 0, 8, 6 },
    { "odd ratio up", 5, 3, 0, 0, 7, 8, 0, 0, 5, 3 },
    { "odd ratio down", 7, 9, 2, 0, 3, 5, 0, 0, 7, 9 },
    { "mirrored left to right", 5, 3, 9, 1, -7, 3, 0, 0, 5, 3 },
    { "upside down", 4, 5, 0, 9, 4, -7, 0, 0, 4, 5 },
    { "mirrored both ways", 6, 4, 10, 10, -5, -9, 0, 0, 6, 4 },
    // Wide enough for rows to be read in groups of four pixels.
    { "wide, three halves", 40, 3, 1, 0, 60, 4, 0, 0, 40, 3 },
    { "wide, mirrored, three quarters", 40, 3, 63, 2, -31, 5, 0, 0, 40, 3 },
    { "wide, half", 64, 2, 0, 0, 32, 1, 0, 0, 64, 2 },
};

TEST(StretchDIBits, WholeFramesAtEveryDepthOrderAndRatio)
{
    for (const StretchCase& c : kWholeFrameCases)
        for (int bpp : { 24, 32 })
            for (bool topDown : { false, true }) {
                SCOPED_TRACE(
                    testing::Message() << c.name << ", " << bpp << " bits, " << (topDown ? "top-down" : "bottom-up"));
                Frame f(c.frameW, c.frameH, bpp, topDown);
                test::TestDc dst(64, 12, RGB(1, 1, 1));
                SetStretchBltMode(dst.dc(), COLORONCOLOR);
                int lines = StretchDIBits(dst.dc(), c.xd, c.yd, c.wd, c.hd, c.xs, c.ys, c.ws, c.hs, f.bits.data(),
                    &f.info, DIB_RGB_COLORS, SRCCOPY);
                EXPECT_EQ(lines, c.hs);
                const int left = std::min(c.xd, c.xd + c.wd), top = std::min(c.yd, c.yd + c.hd);
                const int w = std::abs(c.wd), h = std::abs(c.hd);
                for (int y = 0; y < 12; ++y)
                    for (int x = 0; x < 64; ++x) {
                        int i = x - left, j = y - top;
                        COLORREF want = RGB(1, 1, 1);
                        if (i >= 0 && i < w && j >= 0 && j < h) {
                            int sx = Nearest(i, c.ws, w), sy = Nearest(j, c.hs, h);
                            if (c.wd < 0)
                                sx = c.ws - 1 - sx;
                            if (c.hd < 0)
                                sy = c.hs - 1 - sy;
                            want = RGB(sx, sy, kTag);
                        }
                        ASSERT_EQ(dst.At(x, y), want) << x << "," << y;
                    }
            }
}

TEST(StretchDIBits, SourceRectanglesCountFromThePictureOrigin)
{
    // A bottom-up DIB has its origin at the bottom-left corner, a top-down
    // one at the top-left: the same rectangle picks different rows.
    struct {
        bool topDown;
        int ys;
        int firstRow; // picture row (from the top) shown at the top
    } cases[] = {
        { false, 0, 4 }, // the bottom two rows of a 6-row picture
        { false, 3, 1 },
        { true, 0, 0 },
        { true, 3, 3 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.topDown ? "top-down" : "bottom-up") << " ys=" << c.ys);
        Frame f(4, 6, 24, c.topDown);
        test::TestDc dst(3, 2, RGB(1, 1, 1));
        EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 3, 2, 1, c.ys, 3, 2, f.bits.data(), &f.info, DIB_RGB_COLORS, SRCCOPY),
            2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(dst.At(x, y), RGB(1 + x, c.firstRow + y, kTag)) << x << "," << y;
    }
}

TEST(StretchDIBits, LeavesPixelsAloneOutsideTheClipAndThePicture)
{
    Frame f(4, 4, 32, false);
    test::TestDc dst(8, 8);
    dst.FillNoise(5);
    const std::vector<std::uint32_t> before = dst.Pixels();
    IntersectClipRect(dst.dc(), 0, 0, 6, 8);
    // Source columns 2..5 of which 4 and 5 are beyond the picture, doubled
    // onto destination columns 0..7; source rows 0..3 doubled likewise.
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 8, 8, 2, 0, 4, 4, f.bits.data(), &f.info, DIB_RGB_COLORS, SRCCOPY), 4);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool drawn = x < 4; // columns 4..5 clipped away, 6..7 have no source
            std::uint32_t old = before[static_cast<std::size_t>(y * 8 + x)];
            COLORREF want = drawn ? RGB(2 + x / 2, y / 2, kTag) : gdi::ColorRefFromPixel(old);
            EXPECT_EQ(dst.At(x, y), want) << x << "," << y;
        }
    EXPECT_EQ(dst.surface().Dirty(), (RECT { 0, 0, 4, 8 }));
}

TEST(StretchDIBits, OtherRasterOperationsCombineWithTheDestination)
{
    Frame f(2, 1, 24, true);
    test::TestDc dst(4, 1, RGB(0x0F, 0xF0, 0x33));
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 1, 0, 0, 2, 1, f.bits.data(), &f.info, DIB_RGB_COLORS, SRCAND), 1);
    EXPECT_EQ(dst.At(0, 0), RGB(0x00, 0x00, 0x33 & kTag));
    EXPECT_EQ(dst.At(3, 0), RGB(0x01, 0x00, 0x33 & kTag));
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 1, 0, 0, 2, 1, f.bits.data(), &f.info, DIB_RGB_COLORS, SRCINVERT), 1);
    EXPECT_EQ(dst.At(2, 0), RGB(0x01 ^ 0x01, 0, (0x33 & kTag) ^ kTag));
}

TEST(StretchDIBits, RefusesWhatItCannotDraw)
{
    Frame f(4, 4, 24, false);
    test::TestDc dst(4, 4);
    const void* bits = f.bits.data();
    EXPECT_EQ(StretchDIBits(nullptr, 0, 0, 4, 4, 0, 0, 4, 4, bits, &f.info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 4, nullptr, &f.info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 0, 4, 0, 0, 4, 4, bits, &f.info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 0, bits, &f.info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 9, 4, 4, bits, &f.info, DIB_RGB_COLORS, SRCCOPY), 0)
        << "the source rectangle misses the picture";
    BITMAPINFO bad = f.info;
    bad.bmiHeader.biBitCount = 16;
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 4, bits, &bad, DIB_RGB_COLORS, SRCCOPY), 0);
    bad = f.info;
    bad.bmiHeader.biCompression = 1; // run-length encoded
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 4, bits, &bad, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(dst.Count(RGB(255, 255, 255)), 16) << "nothing was drawn";
}

} // namespace
