// BitBlt and the single-pixel calls: raster operations, the colour and
// monochrome conversions, clipping, origins and overlapping copies, checked
// pixel by pixel on small bitmaps.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Rop.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr COLORREF W = RGB(255, 255, 255);
constexpr COLORREF K = RGB(0, 0, 0);

// A memory DC holding a monochrome bitmap.
class MonoDc {
public:
    MonoDc(int width, int height)
    {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateBitmap(width, height, 1, 1, nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~MonoDc()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    gdi::Surface& surface() const { return *static_cast<gdi::Bitmap*>(bitmap_)->surface; }
    void Set(int x, int y, COLORREF c) { surface().Row(y)[x] = gdi::PixelFromColorRef(c); }
    COLORREF At(int x, int y) const { return gdi::ColorRefFromPixel(surface().At(x, y)); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// A 4x1 source and destination of either kind, the way the conformance
// table below describes them.
struct Pairing {
    bool srcMono;
    bool dstMono;
};

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kText = RGB(0x11, 0x22, 0x33);
constexpr COLORREF kBack = RGB(0xC0, 0x80, 0x40);

struct RopCase {
    const char* name;
    Pairing pairing;
    DWORD rop;
    COLORREF expected[4];
};

// Colour sources hold {key, red, key, blue} with the key as the source DC's
// background; monochrome sources {0, 1, 0, 1}. Colour destinations hold
// {#123456, #F0F0F0, #0F0F0F, white} with text colour #112233 and background
// #C08040; monochrome ones {1, 1, 0, 0}.
const RopCase kRopCases[] = {
    { "colour to colour, copy", { false, false }, SRCCOPY, { kKey, RGB(255, 0, 0), kKey, RGB(0, 0, 255) } },
    { "colour to colour, and", { false, false }, SRCAND,
        { RGB(0x12, 0, 0x56), RGB(0xF0, 0, 0), RGB(0x0F, 0, 0x0F), RGB(0, 0, 255) } },
    { "colour to colour, paint", { false, false }, SRCPAINT,
        { RGB(0xFF, 0x34, 0xFF), RGB(0xFF, 0xF0, 0xF0), RGB(0xFF, 0x0F, 0xFF), W } },
    // The background colour of the source becomes white, all else black.
    { "colour to mono, copy", { false, true }, SRCCOPY, { W, K, W, K } },
    { "colour to mono, and", { false, true }, SRCAND, { W, K, K, K } },
    { "colour to mono, paint", { false, true }, SRCPAINT, { W, W, W, K } },
    // Black bits become the text colour, white bits the background colour.
    { "mono to colour, copy", { true, false }, SRCCOPY, { kText, kBack, kText, kBack } },
    { "mono to colour, and", { true, false }, SRCAND, { RGB(0x10, 0x20, 0x12), kBack, RGB(0x01, 0x02, 0x03), kBack } },
    { "mono to colour, paint", { true, false }, SRCPAINT,
        { RGB(0x13, 0x36, 0x77), RGB(0xF0, 0xF0, 0xF0), RGB(0x1F, 0x2F, 0x3F), W } },
    { "mono to mono, copy", { true, true }, SRCCOPY, { K, W, K, W } },
    { "mono to mono, and", { true, true }, SRCAND, { K, W, K, K } },
    { "mono to mono, paint", { true, true }, SRCPAINT, { W, W, K, W } },
};

TEST(BitBlt, RasterOperationsOverEveryPairingOfColourAndMonochrome)
{
    for (const RopCase& c : kRopCases) {
        SCOPED_TRACE(c.name);
        test::TestDc colourSrc(4, 1), colourDst(4, 1);
        MonoDc monoSrc(4, 1), monoDst(4, 1);
        const COLORREF colourSrcPixels[4] = { kKey, RGB(255, 0, 0), kKey, RGB(0, 0, 255) };
        const COLORREF colourDstPixels[4] = { RGB(0x12, 0x34, 0x56), RGB(0xF0, 0xF0, 0xF0), RGB(0x0F, 0x0F, 0x0F), W };
        const COLORREF monoSrcPixels[4] = { K, W, K, W };
        const COLORREF monoDstPixels[4] = { W, W, K, K };
        for (int x = 0; x < 4; ++x) {
            colourSrc.surface().Row(0)[x] = gdi::PixelFromColorRef(colourSrcPixels[x]);
            colourDst.surface().Row(0)[x] = gdi::PixelFromColorRef(colourDstPixels[x]);
            monoSrc.Set(x, 0, monoSrcPixels[x]);
            monoDst.Set(x, 0, monoDstPixels[x]);
        }
        SetBkColor(colourSrc.dc(), kKey);
        for (HDC dst : { colourDst.dc(), monoDst.dc() }) {
            SetTextColor(dst, kText);
            SetBkColor(dst, kBack);
        }
        HDC src = c.pairing.srcMono ? monoSrc.dc() : colourSrc.dc();
        HDC dst = c.pairing.dstMono ? monoDst.dc() : colourDst.dc();
        ASSERT_TRUE(BitBlt(dst, 0, 0, 4, 1, src, 0, 0, c.rop));
        for (int x = 0; x < 4; ++x) {
            COLORREF got = c.pairing.dstMono ? monoDst.At(x, 0) : colourDst.At(x, 0);
            EXPECT_EQ(got, c.expected[x]) << "pixel " << x;
        }
    }
}

TEST(BitBlt, TransparentImageThroughAMaskMadeFromAKeyColour)
{
    // An image whose key-coloured pixels must let the background through.
    const COLORREF key = RGB(255, 0, 255);
    const char* picture[] = { "k.#k", ".kk#", "#..k" };
    test::TestDc image(4, 3), screen(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            char p = picture[y][x];
            COLORREF c = p == 'k' ? key : p == '#' ? RGB(10, 200, 30) : RGB(250, 250, 5);
            image.surface().Row(y)[x] = gdi::PixelFromColorRef(c);
        }
    screen.FillNoise(7);
    std::vector<std::uint32_t> background = screen.Pixels();

    // The mask: key pixels white, the rest black.
    MonoDc mask(4, 3);
    SetBkColor(image.dc(), key);
    ASSERT_TRUE(BitBlt(mask.dc(), 0, 0, 4, 3, image.dc(), 0, 0, SRCCOPY));
    // Key pixels of the image go black: mask 0 -> white, 1 -> black.
    SetTextColor(image.dc(), RGB(255, 255, 255));
    SetBkColor(image.dc(), RGB(0, 0, 0));
    ASSERT_TRUE(BitBlt(image.dc(), 0, 0, 4, 3, mask.dc(), 0, 0, SRCAND));
    // The screen goes black under the image, with default text and
    // background colours; then the image is painted in.
    ASSERT_TRUE(BitBlt(screen.dc(), 0, 0, 4, 3, mask.dc(), 0, 0, SRCAND));
    ASSERT_TRUE(BitBlt(screen.dc(), 0, 0, 4, 3, image.dc(), 0, 0, SRCPAINT));

    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            char p = picture[y][x];
            EXPECT_EQ(mask.At(x, y), p == 'k' ? W : K) << x << "," << y;
            COLORREF want = p == 'k' ? gdi::ColorRefFromPixel(background[static_cast<std::size_t>(y * 4 + x)])
                : p == '#'           ? RGB(10, 200, 30)
                                     : RGB(250, 250, 5);
            EXPECT_EQ(screen.At(x, y), want) << x << "," << y;
        }
}

TEST(BitBlt, WritesOnlyInsideTheClipAndWhereTheSourceExists)
{
    test::TestDc src(6, 6), dst(8, 8);
    src.FillNoise(3);
    dst.FillNoise(4);
    const std::vector<std::uint32_t> before = dst.Pixels();
    // A clip with a hole: the 6x6 square at (1, 1) less the pixel (3, 3).
    gdi::DeviceContext* d = gdi::DcFromHandle(dst.dc());
    d->clipRegion = gdi::Region(RECT { 1, 1, 7, 7 }).Subtract(gdi::Region(RECT { 3, 3, 4, 4 }));
    d->ClipChanged();
    // Logical origins on both sides: destination logical (10, 10) is device
    // (0, 0); source logical (-1, -1) is device (0, 0).
    SetWindowOrgEx(dst.dc(), 10, 10, nullptr);
    SetWindowOrgEx(src.dc(), -1, -1, nullptr);
    // Source device x = dest device x - 2, so dest device columns 0 and 1
    // have no source, nor rows 0 and 1.
    ASSERT_TRUE(BitBlt(dst.dc(), 10, 10, 8, 8, src.dc(), -3, -3, SRCCOPY));

    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool inClip = x >= 1 && x < 7 && y >= 1 && y < 7 && !(x == 3 && y == 3);
            bool hasSource = x >= 2 && y >= 2;
            std::uint32_t want = inClip && hasSource ? src.surface().At(x - 2, y - 2)
                                                     : before[static_cast<std::size_t>(y * 8 + x)];
            EXPECT_EQ(dst.surface().At(x, y), want) << x << "," << y;
        }
    EXPECT_EQ(dst.surface().Dirty(), (RECT { 2, 2, 7, 7 }));
}

TEST(BitBlt, ADcInsideALargerSurfaceStaysInItsArea)
{
    // Both DCs draw into a 3x3 area at (2, 1) of their 6x5 surfaces, as a
    // window's client area inside its backing store.
    test::TestDc src(6, 5), dst(6, 5);
    src.FillNoise(8);
    dst.FillNoise(9);
    const std::vector<std::uint32_t> before = dst.Pixels();
    for (HDC hdc : { src.dc(), dst.dc() }) {
        gdi::DeviceContext* d = gdi::DcFromHandle(hdc);
        d->surfaceOffset = POINT { 2, 1 };
        d->deviceSize = SIZE { 3, 3 };
        d->ClipChanged();
    }
    // Device (-1, -1)..(4, 4) from source device (-2, -2): each pixel takes
    // the source one up and to the left, so only destination device
    // (1, 1)..(3, 3) has both a place in the area and a source pixel in its
    // area; that is surface (3, 2)..(5, 4).
    ASSERT_TRUE(BitBlt(dst.dc(), -1, -1, 5, 5, src.dc(), -2, -2, SRCCOPY));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            bool drawn = x >= 3 && x < 5 && y >= 2 && y < 4;
            std::uint32_t want = drawn ? src.surface().At(x - 1, y - 1) : before[static_cast<std::size_t>(y * 6 + x)];
            EXPECT_EQ(dst.surface().At(x, y), want) << x << "," << y;
        }
}

TEST(BitBlt, OverlappingCopiesOnOneSurfaceActAsIfThroughATemporary)
{
    const POINT shifts[] = { { 2, 0 }, { -2, 0 }, { 0, 2 }, { 0, -2 }, { 1, 1 }, { -1, -1 }, { 2, -1 }, { -1, 2 } };
    for (POINT s : shifts) {
        SCOPED_TRACE(testing::Message() << "shift " << s.x << "," << s.y);
        for (DWORD rop : { SRCCOPY, SRCINVERT }) {
            test::TestDc t(9, 9);
            t.FillNoise(11);
            const std::vector<std::uint32_t> original = t.Pixels();
            ASSERT_TRUE(BitBlt(t.dc(), 2 + s.x, 2 + s.y, 5, 5, t.dc(), 2, 2, rop));
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 9; ++x) {
                    std::uint32_t old = original[static_cast<std::size_t>(y * 9 + x)];
                    int sx = x - s.x, sy = y - s.y;
                    bool inside = sx >= 2 && sx < 7 && sy >= 2 && sy < 7;
                    std::uint32_t src = inside ? original[static_cast<std::size_t>(sy * 9 + sx)] : 0;
                    std::uint32_t want = !inside ? old : rop == SRCCOPY ? src : (src ^ old);
                    ASSERT_EQ(t.surface().At(x, y), want) << x << "," << y;
                }
        }
    }
}

TEST(BitBlt, EveryTernaryOperationMatchesItsTruthTable)
{
    // Source, destination and brush from a fixed seed; each of the 256
    // operations must give, pixel for pixel, what its truth table says.
    test::TestDc src(7, 3), dst(7, 3);
    src.FillNoise(21);
    const COLORREF brushColour = RGB(0x5A, 0xC3, 0x0F);
    HBRUSH brush = CreateSolidBrush(brushColour);
    HGDIOBJ oldBrush = SelectObject(dst.dc(), brush);
    const std::uint32_t pat = gdi::PixelFromColorRef(brushColour);
    for (unsigned code = 0; code < 256; ++code) {
        const DWORD rop = code << 16;
        dst.FillNoise(22 + code);
        const std::vector<std::uint32_t> before = dst.Pixels();
        const std::vector<std::uint32_t> source = src.Pixels();
        ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 7, 3, src.dc(), 0, 0, rop)) << code;
        const std::vector<std::uint32_t> after = dst.Pixels();
        for (std::size_t i = 0; i < after.size(); ++i) {
            // Evaluate the truth table bit by bit, independently of Rop.h.
            std::uint32_t want = 0;
            for (int bit = 0; bit < 24; ++bit) {
                unsigned p = (pat >> bit) & 1, s = (source[i] >> bit) & 1, d = (before[i] >> bit) & 1;
                want |= ((code >> (p * 4 + s * 2 + d)) & 1u) << bit;
            }
            ASSERT_EQ(after[i], want) << "rop " << code << " pixel " << i;
        }
    }
    SelectObject(dst.dc(), oldBrush);
    DeleteObject(brush);
}

TEST(BitBlt, OperationsWithoutASourceIgnoreTheSourceDc)
{
    test::TestDc t(3, 2, RGB(0x10, 0x20, 0x30));
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ old = SelectObject(t.dc(), brush);
    struct {
        DWORD rop;
        COLORREF want;
    } cases[] = {
        { PATCOPY, RGB(1, 2, 3) },
        { PATINVERT, RGB(0x11, 0x22, 0x33) },
        { DSTINVERT, RGB(0xEF, 0xDF, 0xCF) },
        { BLACKNESS, RGB(0, 0, 0) },
        { WHITENESS, RGB(255, 255, 255) },
    };
    for (const auto& c : cases) {
        t.Fill(RGB(0x10, 0x20, 0x30));
        EXPECT_TRUE(BitBlt(t.dc(), 0, 0, 3, 2, nullptr, 0, 0, c.rop)) << std::hex << c.rop;
        EXPECT_EQ(t.Count(c.want), 6) << std::hex << c.rop << "\n" << t.Mask(c.want);
    }
    // Operations that read the source need a live source DC.
    EXPECT_FALSE(BitBlt(t.dc(), 0, 0, 3, 2, nullptr, 0, 0, SRCCOPY));
    int notADc = 0;
    EXPECT_FALSE(BitBlt(t.dc(), 0, 0, 3, 2, reinterpret_cast<HDC>(&notADc), 0, 0, SRCAND));
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 3, 2, t.dc(), 0, 0, SRCCOPY));
    // A hollow brush paints nothing.
    SelectObject(t.dc(), GetStockObject(NULL_BRUSH));
    t.Fill(RGB(9, 9, 9));
    EXPECT_TRUE(BitBlt(t.dc(), 0, 0, 3, 2, nullptr, 0, 0, PATCOPY));
    EXPECT_EQ(t.Count(RGB(9, 9, 9)), 6);
    SelectObject(t.dc(), old);
    DeleteObject(brush);
}

TEST(Pixels, SetAndGetFollowOriginsClipAndDepth)
{
    test::TestDc t(4, 4, RGB(0, 0, 0));
    SetViewportOrgEx(t.dc(), 1, 1, nullptr);
    EXPECT_EQ(SetPixel(t.dc(), 0, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(t.At(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(t.dc(), 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(t.surface().Dirty(), (RECT { 1, 1, 2, 2 }));

    IntersectClipRect(t.dc(), 0, 0, 2, 2); // device (1, 1)..(3, 3)
    EXPECT_EQ(GetPixel(t.dc(), 2, 2), CLR_INVALID) << "outside the clip";
    EXPECT_EQ(GetPixel(t.dc(), 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(SetPixel(t.dc(), 2, 0, RGB(9, 9, 9)), static_cast<COLORREF>(-1));
    EXPECT_EQ(GetPixel(t.dc(), -2, 0), CLR_INVALID) << "outside the surface";
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
    EXPECT_EQ(t.Count(RGB(9, 9, 9)), 0);

    // On a monochrome bitmap the colour set is the nearer of black and white.
    MonoDc mono(2, 1);
    EXPECT_EQ(SetPixel(mono.dc(), 0, 0, RGB(200, 180, 160)), W);
    EXPECT_EQ(SetPixel(mono.dc(), 1, 0, RGB(90, 60, 30)), K);
    EXPECT_EQ(GetPixel(mono.dc(), 0, 0), W);
    EXPECT_EQ(GetPixel(mono.dc(), 1, 0), K);
}

} // namespace
