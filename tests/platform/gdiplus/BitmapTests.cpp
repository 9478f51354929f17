// Bitmaps: creation, single pixels, LockBits, RotateFlip, cloning and the
// statuses the API answers.

#include "tests/platform/gdiplus/ImagingTestSupport.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

using namespace imagingtest;

namespace {

class BitmapTest : public GdiplusFixture { };

TEST_F(BitmapTest, CreationChecksItsArgumentsAndStartsTransparent)
{
    static std::uint32_t memory[16 * 4];
    BYTE* mem = reinterpret_cast<BYTE*>(memory);
    struct Case {
        const char* what;
        INT w, h, stride;
        PixelFormat format;
        BYTE* scan0;
        GpStatus expected;
    };
    const Case cases[] = {
        { "own ARGB", 5, 3, 0, PixelFormat32bppARGB, nullptr, Ok },
        { "own PARGB", 4, 4, 0, PixelFormat32bppPARGB, nullptr, Ok },
        { "zero width", 0, 4, 0, PixelFormat32bppARGB, nullptr, InvalidParameter },
        { "negative height", 4, -1, 0, PixelFormat32bppARGB, nullptr, InvalidParameter },
        { "unknown format", 4, 4, 0, 0x12345, nullptr, InvalidParameter },
        { "own 24bpp", 4, 4, 0, PixelFormat24bppRGB, nullptr, NotImplemented },
        { "caller PARGB, wide stride", 4, 4, 64, PixelFormat32bppPARGB, mem, Ok },
        { "caller stride not a multiple of 4", 4, 4, 18, PixelFormat32bppPARGB, mem, InvalidParameter },
        { "caller stride too short", 4, 4, 12, PixelFormat32bppPARGB, mem, InvalidParameter },
        { "caller bottom-up", 4, 4, -16, PixelFormat32bppPARGB, mem + 48, NotImplemented },
        { "caller straight alpha", 4, 4, 16, PixelFormat32bppARGB, mem, NotImplemented },
    };
    for (const Case& c : cases) {
        GpBitmap* raw = nullptr;
        EXPECT_EQ(GdipCreateBitmapFromScan0(c.w, c.h, c.stride, c.format, c.scan0, &raw), c.expected) << c.what;
        BitmapPtr b(raw);
        ASSERT_EQ(b != nullptr, c.expected == Ok) << c.what;
        if (!b || c.scan0)
            continue;
        UINT w = 0, h = 0;
        PixelFormat f = 0;
        EXPECT_EQ(GdipGetImageWidth(b.get(), &w), Ok);
        EXPECT_EQ(GdipGetImageHeight(b.get(), &h), Ok);
        EXPECT_EQ(GdipGetImagePixelFormat(b.get(), &f), Ok);
        EXPECT_EQ((std::vector<UINT> { w, h, static_cast<UINT>(f) }),
            (std::vector<UINT> { static_cast<UINT>(c.w), static_cast<UINT>(c.h), static_cast<UINT>(c.format) }));
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                EXPECT_EQ(PixelOf(b.get(), x, y), 0u) << c.what;
    }
}

TEST_F(BitmapTest, CallerMemoryIsDrawnInPlace)
{
    std::vector<std::uint32_t> memory(6 * 2, 0); // 4 pixels wide, stride 6
    GpBitmap* raw = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(4, 2, 24, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(memory.data()), &raw),
        Ok);
    BitmapPtr b(raw);
    // Writes through the API land premultiplied in the caller's memory, and
    // the caller's own writes are what the API reads.
    ASSERT_EQ(GdipBitmapSetPixel(b.get(), 3, 1, 0x80FF0000), Ok);
    EXPECT_EQ(memory[6 + 3], 0x80800000u);
    memory[2] = 0x40204000;
    EXPECT_EQ(PixelOf(b.get(), 2, 0), 0x4080FF00u);
    // A mirror keeps the shape, and so the memory.
    ASSERT_EQ(GdipImageRotateFlip(b.get(), RotateNoneFlipX), Ok);
    EXPECT_EQ(memory[1], 0x40204000u);
}

TEST_F(BitmapTest, SetPixelGetPixelRoundTrips)
{
    struct Case {
        ARGB set;
        ARGB expected;
        int tolerance; // per colour channel
    };
    const Case cases[] = {
        // Opaque colours keep every bit.
        { 0xFF000000, 0xFF000000, 0 },
        { 0xFFFFFFFF, 0xFFFFFFFF, 0 },
        { 0xFF0000FD, 0xFF0000FD, 0 },
        { 0xFF123456, 0xFF123456, 0 },
        { 0xFFFEFDFC, 0xFFFEFDFC, 0 },
        // Half alpha keeps full and empty channels exactly ...
        { 0x7FFF0000, 0x7FFF0000, 0 },
        { 0x7F00FF00, 0x7F00FF00, 0 },
        { 0x7FFFFFFF, 0x7FFFFFFF, 0 },
        // ... and every other channel to within one step.
        { 0x7F808080, 0x7F808080, 1 },
        { 0x7F123456, 0x7F123456, 1 },
        // Nothing of the colour survives full transparency.
        { 0x00FF0000, 0x00000000, 0 },
    };
    BitmapPtr b = MakeBitmap(2, 2);
    for (const Case& c : cases) {
        ASSERT_EQ(GdipBitmapSetPixel(b.get(), 1, 1, c.set), Ok);
        ARGB got = PixelOf(b.get(), 1, 1);
        EXPECT_EQ(got >> 24, c.expected >> 24) << std::hex << c.set;
        for (int shift : { 16, 8, 0 })
            EXPECT_LE(
                std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((c.expected >> shift) & 0xFF)),
                c.tolerance)
                << std::hex << c.set << " got " << got;
    }
    EXPECT_EQ(PixelOf(b.get(), 0, 1), 0u); // the neighbours never changed

    // Outside the bitmap nothing is read or written.
    for (auto [x, y] : { std::pair { -1, 0 }, { 0, -1 }, { 2, 0 }, { 0, 2 }, { INT_MIN, 1 }, { 1, INT_MAX } }) {
        EXPECT_EQ(GdipBitmapSetPixel(b.get(), x, y, 0xFFFFFFFF), InvalidParameter) << x << "," << y;
        ARGB c = 0;
        EXPECT_EQ(GdipBitmapGetPixel(b.get(), x, y, &c), InvalidParameter) << x << "," << y;
    }
    EXPECT_EQ(PixelOf(b.get(), 0, 0), 0u);
}

TEST_F(BitmapTest, LockBitsRoundTripsInEachFormat)
{
    BitmapPtr b = MakeBitmap(3, 2);
    ASSERT_EQ(GdipBitmapSetPixel(b.get(), 1, 0, 0x80FF8000), Ok);
    struct ReadCase {
        PixelFormat format;
        std::uint32_t at00, at10; // how the format holds an empty and a translucent pixel
    };
    const ReadCase reads[] = {
        { PixelFormat32bppARGB, 0, 0x80FF8000 },
        { PixelFormat32bppPARGB, 0, 0x80804000 },
        { PixelFormat32bppRGB, 0xFF000000, 0xFFFF8000 },
    };
    BitmapData d {};
    for (const ReadCase& c : reads) {
        ASSERT_EQ(GdipBitmapLockBits(b.get(), nullptr, ImageLockModeRead, c.format, &d), Ok);
        EXPECT_EQ((std::vector<UINT> { d.Width, d.Height }), (std::vector<UINT> { 3, 2 }));
        const auto* row = static_cast<const std::uint32_t*>(d.Scan0);
        EXPECT_EQ(row[0], c.at00) << std::hex << c.format;
        EXPECT_EQ(row[1], c.at10) << std::hex << c.format;
        ASSERT_EQ(GdipBitmapUnlockBits(b.get(), &d), Ok);
    }

    // Writing a rectangle in straight alpha, from a buffer of the caller's.
    std::uint32_t buffer[4] = { 0x7FFF0000, 0xFF00FF00, 0xDEADBEEF, 0xDEADBEEF };
    d.Scan0 = buffer;
    d.Stride = 16;
    GpRect r { 1, 1, 2, 1 };
    ASSERT_EQ(GdipBitmapLockBits(b.get(), &r, ImageLockModeWrite | ImageLockModeUserInputBuf, PixelFormat32bppARGB, &d),
        Ok);
    ASSERT_EQ(GdipBitmapUnlockBits(b.get(), &d), Ok);
    EXPECT_EQ(PixelOf(b.get(), 1, 1), 0x7FFF0000u);
    EXPECT_EQ(PixelOf(b.get(), 2, 1), 0xFF00FF00u);
    EXPECT_EQ(PixelOf(b.get(), 0, 1), 0u);

    // What is written to a buffer locked only for reading goes nowhere.
    ASSERT_EQ(GdipBitmapLockBits(b.get(), nullptr, ImageLockModeRead, PixelFormat32bppARGB, &d), Ok);
    static_cast<std::uint32_t*>(d.Scan0)[0] = 0xFFFFFFFF;
    ASSERT_EQ(GdipBitmapUnlockBits(b.get(), &d), Ok);
    EXPECT_EQ(PixelOf(b.get(), 0, 0), 0u);
}

TEST_F(BitmapTest, LockStateAndArgumentsAreChecked)
{
    BitmapPtr b = MakeBitmap(4, 4);
    BitmapData d {};
    for (const GpRect& r : { GpRect { -1, 0, 2, 2 }, GpRect { 0, 0, 5, 1 }, GpRect { 3, 3, 2, 1 },
             GpRect { 0, 0, 0, 1 }, GpRect { 1, 1, 2, INT_MAX } })
        EXPECT_EQ(GdipBitmapLockBits(b.get(), &r, ImageLockModeRead, PixelFormat32bppARGB, &d), InvalidParameter)
            << r.X << "," << r.Y << " " << r.Width << "x" << r.Height;
    EXPECT_EQ(GdipBitmapLockBits(b.get(), nullptr, 0, PixelFormat32bppARGB, &d), InvalidParameter);
    EXPECT_EQ(GdipBitmapLockBits(b.get(), nullptr, ImageLockModeRead, 0x777, &d), InvalidParameter);
    EXPECT_EQ(GdipBitmapUnlockBits(b.get(), &d), WrongState);

    // While locked, the pixels are the lock's alone.
    ASSERT_EQ(GdipBitmapLockBits(b.get(), nullptr, ImageLockModeRead, PixelFormat32bppARGB, &d), Ok);
    BitmapData again {};
    ARGB c = 0;
    GpImage* clone = nullptr;
    EXPECT_EQ(GdipBitmapLockBits(b.get(), nullptr, ImageLockModeRead, PixelFormat32bppARGB, &again), WrongState);
    EXPECT_EQ(GdipBitmapGetPixel(b.get(), 0, 0, &c), WrongState);
    EXPECT_EQ(GdipBitmapSetPixel(b.get(), 0, 0, c), WrongState);
    EXPECT_EQ(GdipImageRotateFlip(b.get(), Rotate90FlipNone), WrongState);
    EXPECT_EQ(GdipCloneImage(b.get(), &clone), WrongState);
    EXPECT_EQ(GdipBitmapUnlockBits(b.get(), &d), Ok);
}

// Reference turns built from the simplest moves, sharing nothing with the
// implementation: a clockwise quarter turn and a left-right mirror.
using Grid = std::vector<std::vector<ARGB>>; // [row][column]

Grid TurnClockwise(const Grid& g)
{
    const std::size_t h = g.size(), w = g[0].size();
    Grid out(w, std::vector<ARGB>(h));
    for (std::size_t y = 0; y < h; ++y)
        for (std::size_t x = 0; x < w; ++x)
            out[x][h - 1 - y] = g[y][x];
    return out;
}

TEST_F(BitmapTest, RotateFlipMovesEveryPixelWhereTheTurnSays)
{
    constexpr int kW = 4, kH = 3;
    Grid original(kH, std::vector<ARGB>(kW));
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            original[y][x] = 0xFF000000u | static_cast<ARGB>(y * 16 + x + 1);

    for (int type = RotateNoneFlipNone; type <= Rotate270FlipX; ++type) {
        Grid expected = original;
        for (int i = 0; i < (type & 3); ++i)
            expected = TurnClockwise(expected);
        if (type & 4)
            for (auto& row : expected)
                std::reverse(row.begin(), row.end());

        BitmapPtr b = MakeBitmap(kW, kH);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                ASSERT_EQ(GdipBitmapSetPixel(b.get(), x, y, original[y][x]), Ok);
        ASSERT_EQ(GdipImageRotateFlip(b.get(), static_cast<RotateFlipType>(type)), Ok);
        UINT w = 0, h = 0;
        GdipGetImageWidth(b.get(), &w);
        GdipGetImageHeight(b.get(), &h);
        ASSERT_EQ(h, expected.size()) << "type " << type;
        ASSERT_EQ(w, expected[0].size()) << "type " << type;
        for (UINT y = 0; y < h; ++y)
            for (UINT x = 0; x < w; ++x)
                EXPECT_EQ(PixelOf(b.get(), x, y), expected[y][x]) << "type " << type << " at " << x << "," << y;
    }

    // The named turns spelled out: clockwise takes the top-left pixel to the
    // top-right corner, counter-clockwise to the bottom-left.
    for (auto [type, x, y] : { std::tuple { Rotate90FlipNone, kH - 1, 0 }, { Rotate270FlipNone, 0, kW - 1 } }) {
        BitmapPtr b = MakeBitmap(kW, kH);
        ASSERT_EQ(GdipBitmapSetPixel(b.get(), 0, 0, 0xFFABCDEF), Ok);
        ASSERT_EQ(GdipImageRotateFlip(b.get(), type), Ok);
        EXPECT_EQ(PixelOf(b.get(), x, y), 0xFFABCDEFu) << type;
    }
}

TEST_F(BitmapTest, ClonesChangeIndependently)
{
    BitmapPtr a = MakeBitmap(3, 2);
    ASSERT_EQ(GdipBitmapSetPixel(a.get(), 2, 1, 0x80112233), Ok);
    GpImage* raw = nullptr;
    ASSERT_EQ(GdipCloneImage(a.get(), &raw), Ok);
    BitmapPtr c(gdiplus::AsBitmap(raw));
    ASSERT_TRUE(c);
    EXPECT_EQ(PixelOf(c.get(), 2, 1), PixelOf(a.get(), 2, 1));

    ASSERT_EQ(GdipBitmapSetPixel(a.get(), 0, 0, 0xFFFF0000), Ok);
    ASSERT_EQ(GdipBitmapSetPixel(c.get(), 1, 0, 0xFF00FF00), Ok);
    ASSERT_EQ(GdipImageRotateFlip(c.get(), Rotate90FlipNone), Ok);
    EXPECT_EQ(PixelOf(a.get(), 1, 0), 0u);
    EXPECT_EQ(PixelOf(c.get(), 1, 0), 0u); // where the clone's own top-left went
    UINT w = 0;
    GdipGetImageWidth(a.get(), &w);
    EXPECT_EQ(w, 3u);
}

TEST_F(BitmapTest, DumpWritesThePixelsAsPng)
{
    BitmapPtr b = MakeBitmap(3, 2);
    ASSERT_EQ(GdipBitmapSetPixel(b.get(), 2, 1, 0x80008000), Ok);
    const std::string path = ::testing::TempDir() + "inkveil_dump_test.png";
    ASSERT_TRUE(gdiplus::DumpBitmap(b.get(), path));
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 3);
    const auto* row1 = reinterpret_cast<const std::uint32_t*>(
        cairo_image_surface_get_data(png) + cairo_image_surface_get_stride(png));
    EXPECT_EQ(row1[2], 0x80004000u); // premultiplied, as cairo reads PNGs back
    cairo_surface_destroy(png);
    std::remove(path.c_str());
}

TEST_F(BitmapTest, NullPointersAreInvalidParameters)
{
    BitmapPtr b = MakeBitmap(1, 1);
    UINT u = 0;
    PixelFormat f = 0;
    GpImage* img = nullptr;
    GpBitmap* bmp = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(GdipBitmapSetPixel(nullptr, 0, 0, 0), InvalidParameter);
    EXPECT_EQ(GdipBitmapGetPixel(b.get(), 0, 0, nullptr), InvalidParameter);
    EXPECT_EQ(GdipBitmapLockBits(b.get(), nullptr, ImageLockModeRead, PixelFormat32bppARGB, nullptr), InvalidParameter);
    EXPECT_EQ(GdipBitmapUnlockBits(b.get(), nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetImageWidth(nullptr, &u), InvalidParameter);
    EXPECT_EQ(GdipGetImageHeight(b.get(), nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetImagePixelFormat(nullptr, &f), InvalidParameter);
    EXPECT_EQ(GdipCloneImage(b.get(), nullptr), InvalidParameter);
    EXPECT_EQ(GdipImageRotateFlip(nullptr, Rotate90FlipNone), InvalidParameter);
    EXPECT_EQ(GdipDisposeImage(nullptr), InvalidParameter);

    NotStartedScope notStarted;
    EXPECT_EQ(GdipCreateBitmapFromScan0(2, 2, 0, PixelFormat32bppARGB, nullptr, &bmp), GdiplusNotInitialized);
    EXPECT_EQ(GdipBitmapSetPixel(b.get(), 0, 0, 0), GdiplusNotInitialized);
    EXPECT_EQ(GdipBitmapGetPixel(b.get(), 0, 0, &u), GdiplusNotInitialized);
    BitmapData d {};
    EXPECT_EQ(GdipBitmapLockBits(b.get(), nullptr, ImageLockModeRead, PixelFormat32bppARGB, &d), GdiplusNotInitialized);
    EXPECT_EQ(GdipBitmapUnlockBits(b.get(), &d), GdiplusNotInitialized);
    EXPECT_EQ(GdipImageRotateFlip(b.get(), Rotate90FlipNone), GdiplusNotInitialized);
    EXPECT_EQ(GdipGetImageWidth(b.get(), &u), GdiplusNotInitialized);
    EXPECT_EQ(GdipGetImageHeight(b.get(), &u), GdiplusNotInitialized);
    EXPECT_EQ(GdipGetImagePixelFormat(b.get(), &f), GdiplusNotInitialized);
    EXPECT_EQ(GdipCloneImage(b.get(), &img), GdiplusNotInitialized);
    EXPECT_EQ(GdipDisposeImage(b.get()), GdiplusNotInitialized);
}

} // namespace
