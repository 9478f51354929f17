// Drawing bitmaps: colour keys, SourceOver blending, exact 1:1 copies,
// scaling that covers exactly the destination, and the statuses.

#include "tests/platform/gdiplus/ImagingTestSupport.h"
#include "tests/support/TestDc.h"

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

using namespace imagingtest;

namespace {

using GraphicsPtr = Owned<GpGraphics>;
using AttributesPtr = Owned<GpImageAttributes>;

AttributesPtr KeyAttributes(ColorAdjustType type, ARGB low, ARGB high)
{
    GpImageAttributes* a = nullptr;
    EXPECT_EQ(GdipCreateImageAttributes(&a), Ok);
    EXPECT_EQ(GdipSetImageAttributesColorKeys(a, type, TRUE, low, high), Ok);
    return AttributesPtr(a);
}

// A bitmap whose pixels are given row by row, straight alpha.
BitmapPtr BitmapFrom(int width, const std::vector<ARGB>& pixels)
{
    const int height = static_cast<int>(pixels.size()) / width;
    BitmapPtr b = MakeBitmap(width, height);
    for (int i = 0; i < static_cast<int>(pixels.size()); ++i)
        EXPECT_EQ(GdipBitmapSetPixel(b.get(), i % width, i / width, pixels[i]), Ok);
    return b;
}

COLORREF ColorRefOf(ARGB c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

GpStatus DrawWhole(GpGraphics* g, GpBitmap* b, int x, int y, int w, int h, const GpImageAttributes* a = nullptr)
{
    UINT bw = 0, bh = 0;
    GdipGetImageWidth(b, &bw);
    GdipGetImageHeight(b, &bh);
    return GdipDrawImageRectRectI(g, b, x, y, w, h, 0, 0, static_cast<INT>(bw), static_cast<INT>(bh), UnitPixel, a,
        nullptr, nullptr);
}

class DrawImageTest : public GdiplusFixture { };

TEST_F(DrawImageTest, ColourKeyLeavesOutMatchingPixelsWhateverTheirAlpha)
{
    struct Case {
        const char* what;
        ColorAdjustType type;
        ARGB low, high;
        ARGB pixel;
        bool drawn;
    };
    const Case cases[] = {
        { "blue 253 exactly", ColorAdjustTypeDefault, 0x000000FD, 0x000000FD, 0xFF0000FD, false },
        { "blue 252", ColorAdjustTypeDefault, 0x000000FD, 0x000000FD, 0xFF0000FC, true },
        { "blue 254", ColorAdjustTypeDefault, 0x000000FD, 0x000000FD, 0xFF0000FE, true },
        { "red 1, blue 253", ColorAdjustTypeDefault, 0x000000FD, 0x000000FD, 0xFF0100FD, true },
        { "translucent blue 253", ColorAdjustTypeDefault, 0x000000FD, 0x000000FD, 0x800000FD, false },
        { "key alphas reversed", ColorAdjustTypeDefault, 0xFF0000FD, 0x000000FD, 0xFF0000FD, false },
        { "bitmap category", ColorAdjustTypeBitmap, 0x000000FD, 0x000000FD, 0xFF0000FD, false },
        { "brush category leaves bitmaps alone", ColorAdjustTypeBrush, 0x000000FD, 0x000000FD, 0xFF0000FD, true },
        { "range, low end", ColorAdjustTypeDefault, 0x00102030, 0x00405060, 0xFF102030, false },
        { "range, high end", ColorAdjustTypeDefault, 0x00102030, 0x00405060, 0xFF405060, false },
        { "range, inside", ColorAdjustTypeDefault, 0x00102030, 0x00405060, 0xFF304050, false },
        { "range, red below", ColorAdjustTypeDefault, 0x00102030, 0x00405060, 0xFF0F2030, true },
        { "range, green above", ColorAdjustTypeDefault, 0x00102030, 0x00405060, 0xFF106130, true },
        { "range, blue above", ColorAdjustTypeDefault, 0x00102030, 0x00405060, 0xFF405061, true },
    };
    for (const Case& c : cases) {
        test::TestDc dc(3, 3, RGB(255, 255, 255));
        GraphicsPtr g = GraphicsOn(dc.dc());
        BitmapPtr b = BitmapFrom(1, { c.pixel });
        AttributesPtr a = KeyAttributes(c.type, c.low, c.high);
        ASSERT_EQ(DrawWhole(g.get(), b.get(), 1, 1, 1, 1, a.get()), Ok) << c.what;
        EXPECT_EQ(dc.At(1, 1) != RGB(255, 255, 255), c.drawn) << c.what;
        EXPECT_EQ(dc.Count(RGB(255, 255, 255)), c.drawn ? 8 : 9) << c.what; // nothing else changed
    }
}

TEST_F(DrawImageTest, ColourKeyCategoriesAndDisabling)
{
    test::TestDc dc(2, 1, RGB(255, 255, 255));
    GraphicsPtr g = GraphicsOn(dc.dc());
    BitmapPtr b = BitmapFrom(2, { 0xFF0000FD, 0xFF00FF00 });
    AttributesPtr a = KeyAttributes(ColorAdjustTypeDefault, 0x000000FD, 0x000000FD);
    // A Bitmap-category key overrides the Default one for bitmaps.
    ASSERT_EQ(GdipSetImageAttributesColorKeys(a.get(), ColorAdjustTypeBitmap, TRUE, 0x0000FF00, 0x0000FF00), Ok);
    ASSERT_EQ(DrawWhole(g.get(), b.get(), 0, 0, 2, 1, a.get()), Ok);
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 253));
    EXPECT_EQ(dc.At(1, 0), RGB(255, 255, 255));

    // Disabling it brings the Default key back; disabling that draws all.
    dc.Fill(RGB(255, 255, 255));
    ASSERT_EQ(GdipSetImageAttributesColorKeys(a.get(), ColorAdjustTypeBitmap, FALSE, 0, 0), Ok);
    ASSERT_EQ(DrawWhole(g.get(), b.get(), 0, 0, 2, 1, a.get()), Ok);
    EXPECT_EQ(dc.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(dc.At(1, 0), RGB(0, 255, 0));
    ASSERT_EQ(GdipSetImageAttributesColorKeys(a.get(), ColorAdjustTypeDefault, FALSE, 0, 0), Ok);
    ASSERT_EQ(DrawWhole(g.get(), b.get(), 0, 0, 2, 1, a.get()), Ok);
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 253));
}

TEST_F(DrawImageTest, SourceOverOntoOpaqueAndTransparentDestinations)
{
    struct Case {
        ARGB source;
        COLORREF overWhite; // on an opaque white DC
    };
    const Case cases[] = {
        { 0xFF123456, RGB(0x12, 0x34, 0x56) },
        { 0x80FF0000, RGB(255, 127, 127) },
        { 0x7F0000FF, RGB(128, 128, 255) },
        { 0x00000000, RGB(255, 255, 255) },
    };
    for (const Case& c : cases) {
        test::TestDc dc(1, 1, RGB(255, 255, 255));
        GraphicsPtr g = GraphicsOn(dc.dc());
        BitmapPtr b = BitmapFrom(1, { c.source });
        ASSERT_EQ(GdipDrawImageI(g.get(), b.get(), 0, 0), Ok);
        EXPECT_TRUE(Near(dc.At(0, 0), c.overWhite, 1)) << std::hex << c.source << " gave " << dc.At(0, 0);

        // Over a fully transparent bitmap the source arrives as it was.
        BitmapPtr target = MakeBitmap(1, 1);
        GraphicsPtr tg = GraphicsOn(target.get());
        ASSERT_EQ(GdipDrawImageI(tg.get(), b.get(), 0, 0), Ok);
        ARGB got = PixelOf(target.get(), 0, 0);
        EXPECT_EQ(got >> 24, c.source >> 24) << std::hex << c.source;
        EXPECT_TRUE(Near(ColorRefOf(got), ColorRefOf(c.source), 1)) << std::hex << c.source << " gave " << got;
    }

    // Translucent over translucent: a = as + ad(255 - as)/255 and the
    // colour weighted by each one's share of it.
    BitmapPtr target = BitmapFrom(1, { 0x800000FF });
    BitmapPtr b = BitmapFrom(1, { 0x80FF0000 });
    GraphicsPtr tg = GraphicsOn(target.get());
    ASSERT_EQ(GdipDrawImageI(tg.get(), b.get(), 0, 0), Ok);
    const double as = 128, ad = 128, a = as + ad * (255 - as) / 255;
    const double red = 255 * as / a, blue = 255 * ad * (255 - as) / 255 / a;
    ARGB got = PixelOf(target.get(), 0, 0);
    EXPECT_NEAR(got >> 24, a, 1);
    EXPECT_NEAR((got >> 16) & 0xFF, red, 2);
    EXPECT_NEAR(got & 0xFF, blue, 2);
    EXPECT_EQ((got >> 8) & 0xFF, 0u);
}

TEST_F(DrawImageTest, OneToOneDrawingIsPixelExactInsideTheClip)
{
    constexpr int kW = 37, kH = 23;
    std::mt19937 rng(1234);
    std::vector<ARGB> pixels(kW * kH);
    for (ARGB& p : pixels)
        p = (rng() % 5 == 0) ? 0x00000000 : (0xFF000000 | (rng() & 0xFFFFFF));
    BitmapPtr b = BitmapFrom(kW, pixels);

    test::TestDc dc(60, 40);
    dc.FillNoise(99);
    const std::vector<std::uint32_t> before = dc.Pixels();
    HRGN clip = CreateRectRgn(0, 0, 30, 40);
    SelectClipRgn(dc.dc(), clip);
    DeleteObject(clip);
    dc.surface().TakeDirty();
    GraphicsPtr g = GraphicsOn(dc.dc());
    ASSERT_EQ(DrawWhole(g.get(), b.get(), 5, 9, kW, kH), Ok);

    RECT changed { 60, 40, 0, 0 };
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const std::uint32_t old = before[y * 60 + x];
            std::uint32_t expected = old;
            const bool inside = x >= 5 && x < 5 + kW && y >= 9 && y < 9 + kH && x < 30;
            if (inside && pixels[(y - 9) * kW + (x - 5)] != 0)
                expected = pixels[(y - 9) * kW + (x - 5)] & 0xFFFFFF;
            ASSERT_EQ(dc.surface().At(x, y), expected) << "at " << x << "," << y;
            if (expected != old) {
                changed = RECT { std::min<LONG>(changed.left, x), std::min<LONG>(changed.top, y),
                    std::max<LONG>(changed.right, x + 1), std::max<LONG>(changed.bottom, y + 1) };
            }
        }
    }
    const RECT dirty = dc.surface().Dirty();
    EXPECT_TRUE(dirty.left <= changed.left && dirty.top <= changed.top && dirty.right >= changed.right
        && dirty.bottom >= changed.bottom);
    EXPECT_LE(dirty.right, 30); // nothing outside the clip counts as changed
}

TEST_F(DrawImageTest, MirroredAndPartlyOutsideSourceRectangles)
{
    BitmapPtr b = BitmapFrom(3, { 0xFFFF0000, 0xFF00FF00, 0xFF0000FF });
    test::TestDc dc(5, 1, RGB(255, 255, 255));
    GraphicsPtr g = GraphicsOn(dc.dc());
    // A negative destination width mirrors.
    ASSERT_EQ(GdipDrawImageRectRectI(g.get(), b.get(), 3, 0, -3, 1, 0, 0, 3, 1, UnitPixel, nullptr, nullptr, nullptr),
        Ok);
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.At(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(3, 0), RGB(255, 255, 255));

    // A source rectangle reaching past the image draws only what is there.
    dc.Fill(RGB(255, 255, 255));
    ASSERT_EQ(GdipDrawImageRectRectI(g.get(), b.get(), 0, 0, 5, 1, -2, 0, 5, 1, UnitPixel, nullptr, nullptr, nullptr),
        Ok);
    EXPECT_EQ(dc.Mask(RGB(255, 255, 255)), "##...\n");
    EXPECT_EQ(dc.At(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(4, 0), RGB(0, 0, 255));
}

TEST_F(DrawImageTest, ScaledDrawingCoversExactlyTheDestination)
{
    struct Case {
        int srcW, srcH;
        RECT dst; // left, top, width, height
    };
    const Case cases[] = {
        { 3, 2, { 5, 4, 17, 9 } }, // up
        { 16, 12, { 2, 3, 7, 5 } }, // down
        { 4, 4, { 1, 1, 4, 13 } }, // one axis only
        { 1, 1, { 6, 2, 10, 10 } },
    };
    for (const Case& c : cases) {
        BitmapPtr b = BitmapFrom(c.srcW, std::vector<ARGB>(c.srcW * c.srcH, 0xFF204080));
        test::TestDc dc(30, 20, RGB(255, 255, 255));
        GraphicsPtr g = GraphicsOn(dc.dc());
        ASSERT_EQ(DrawWhole(g.get(), b.get(), c.dst.left, c.dst.top, c.dst.right, c.dst.bottom), Ok);
        std::string expected;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 30; ++x) {
                const bool in = x >= c.dst.left && x < c.dst.left + c.dst.right && y >= c.dst.top
                    && y < c.dst.top + c.dst.bottom;
                expected += in ? '#' : '.';
            }
            expected += '\n';
        }
        EXPECT_EQ(dc.Mask(RGB(0x20, 0x40, 0x80)), expected) << c.srcW << "x" << c.srcH;
    }

    // The border pixels of a source rectangle repeat outwards; its
    // neighbours in the image never bleed in.
    BitmapPtr b = BitmapFrom(3, { 0xFFFF0000, 0xFF00FF00, 0xFF0000FF });
    test::TestDc dc(10, 10, RGB(255, 255, 255));
    GraphicsPtr g = GraphicsOn(dc.dc());
    ASSERT_EQ(GdipDrawImageRectRectI(g.get(), b.get(), 0, 0, 10, 10, 1, 0, 1, 1, UnitPixel, nullptr, nullptr, nullptr),
        Ok);
    EXPECT_EQ(dc.Count(RGB(0, 255, 0)), 100);

    // Scaling up blends across the middle but keeps the far ends exact.
    dc.Fill(RGB(255, 255, 255));
    ASSERT_EQ(GdipDrawImageRectRectI(g.get(), b.get(), 0, 0, 10, 1, 0, 0, 2, 1, UnitPixel, nullptr, nullptr, nullptr),
        Ok);
    EXPECT_EQ(dc.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(9, 0), RGB(0, 255, 0));
    EXPECT_TRUE(GetRValue(dc.At(5, 0)) > 0 && GetGValue(dc.At(5, 0)) > 0);
}

TEST_F(DrawImageTest, KeyedPixelsNeverShowWhenScaled)
{
    // Strokes of black on a blue 253 background, the overlay's layout.
    constexpr int kW = 40, kH = 30;
    std::vector<ARGB> pixels(kW * kH, 0xFF0000FD);
    for (int i = 0; i < kW; ++i)
        pixels[(i * 3 / 4) * kW + i] = pixels[15 * kW + i] = 0xFF000000;
    BitmapPtr b = BitmapFrom(kW, pixels);
    AttributesPtr a = KeyAttributes(ColorAdjustTypeBitmap, 0x000000FD, 0x000000FD);
    for (auto [w, h] : { std::pair { 40, 30 }, std::pair { 61, 47 }, std::pair { 23, 17 } }) {
        test::TestDc dc(64, 48, RGB(255, 255, 255));
        GraphicsPtr g = GraphicsOn(dc.dc());
        ASSERT_EQ(DrawWhole(g.get(), b.get(), 1, 1, w, h, a.get()), Ok);
        int blueish = 0, dark = 0;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) {
                COLORREF c = dc.At(x, y);
                blueish += GetBValue(c) > GetRValue(c) + 2; // any trace of the key colour
                dark += GetRValue(c) < 128;
            }
        }
        EXPECT_EQ(blueish, 0) << w << "x" << h;
        EXPECT_GT(dark, 0) << w << "x" << h;
    }
}

TEST_F(DrawImageTest, ChangesToTheBitmapShowOnTheNextDraw)
{
    BitmapPtr b = BitmapFrom(2, { 0xFF0000FD, 0xFFFF0000 });
    AttributesPtr a = KeyAttributes(ColorAdjustTypeDefault, 0x000000FD, 0x000000FD);
    test::TestDc dc(2, 1, RGB(255, 255, 255));
    GraphicsPtr g = GraphicsOn(dc.dc());
    ASSERT_EQ(DrawWhole(g.get(), b.get(), 0, 0, 2, 1, a.get()), Ok);
    EXPECT_EQ(dc.Mask(RGB(255, 255, 255)), "#.\n");

    // Through SetPixel, through a graphics on the bitmap, through a new key.
    ASSERT_EQ(GdipBitmapSetPixel(b.get(), 0, 0, 0xFF00FF00), Ok);
    ASSERT_EQ(DrawWhole(g.get(), b.get(), 0, 0, 2, 1, a.get()), Ok);
    EXPECT_EQ(dc.At(0, 0), RGB(0, 255, 0));
    {
        GraphicsPtr bg = GraphicsOn(b.get());
        ASSERT_EQ(GdipGraphicsClear(bg.get(), 0xFF0000FD), Ok);
    }
    dc.Fill(RGB(255, 255, 255));
    ASSERT_EQ(DrawWhole(g.get(), b.get(), 0, 0, 2, 1, a.get()), Ok);
    EXPECT_EQ(dc.Count(RGB(255, 255, 255)), 2);
    ASSERT_EQ(GdipSetImageAttributesColorKeys(a.get(), ColorAdjustTypeDefault, TRUE, 0x000000FC, 0x000000FC), Ok);
    ASSERT_EQ(DrawWhole(g.get(), b.get(), 0, 0, 2, 1, a.get()), Ok);
    EXPECT_EQ(dc.Count(RGB(0, 0, 253)), 2);

    // A new bitmap, perhaps at the old one's address, shows its own pixels.
    b.reset();
    BitmapPtr c = BitmapFrom(2, { 0xFF0000FF, 0xFF0000FF });
    ASSERT_EQ(DrawWhole(g.get(), c.get(), 0, 0, 2, 1, a.get()), Ok);
    EXPECT_EQ(dc.Count(RGB(0, 0, 255)), 2);
}

TEST_F(DrawImageTest, ArgumentsAreChecked)
{
    test::TestDc dc(4, 4);
    GraphicsPtr g = GraphicsOn(dc.dc());
    BitmapPtr b = MakeBitmap(2, 2);
    auto draw = [&](GpGraphics* gr, GpImage* im, GpUnit unit) {
        return GdipDrawImageRectRectI(gr, im, 0, 0, 2, 2, 0, 0, 2, 2, unit, nullptr, nullptr, nullptr);
    };
    EXPECT_EQ(draw(nullptr, b.get(), UnitPixel), InvalidParameter);
    EXPECT_EQ(draw(g.get(), nullptr, UnitPixel), InvalidParameter);
    EXPECT_EQ(draw(g.get(), b.get(), UnitPoint), NotImplemented);
    EXPECT_EQ(draw(g.get(), b.get(), UnitWorld), InvalidParameter);
    EXPECT_EQ(draw(g.get(), b.get(), static_cast<GpUnit>(7)), InvalidParameter);
    EXPECT_EQ(GdipDrawImageI(g.get(), nullptr, 0, 0), InvalidParameter);
    EXPECT_EQ(GdipCreateImageAttributes(nullptr), InvalidParameter);
    EXPECT_EQ(GdipSetImageAttributesColorKeys(nullptr, ColorAdjustTypeDefault, TRUE, 0, 0), InvalidParameter);
    EXPECT_EQ(GdipDisposeImageAttributes(nullptr), InvalidParameter);
    AttributesPtr a = KeyAttributes(ColorAdjustTypeDefault, 0, 0);
    EXPECT_EQ(GdipSetImageAttributesColorKeys(a.get(), static_cast<ColorAdjustType>(5), TRUE, 0, 0), InvalidParameter);

    BitmapData d {};
    ASSERT_EQ(GdipBitmapLockBits(b.get(), nullptr, ImageLockModeRead, PixelFormat32bppARGB, &d), Ok);
    EXPECT_EQ(draw(g.get(), b.get(), UnitPixel), WrongState);
    ASSERT_EQ(GdipBitmapUnlockBits(b.get(), &d), Ok);

    NotStartedScope notStarted;
    GpImageAttributes* created = nullptr;
    EXPECT_EQ(GdipCreateImageAttributes(&created), GdiplusNotInitialized);
    EXPECT_EQ(GdipSetImageAttributesColorKeys(a.get(), ColorAdjustTypeDefault, TRUE, 0, 0), GdiplusNotInitialized);
    EXPECT_EQ(GdipDisposeImageAttributes(a.get()), GdiplusNotInitialized);
    EXPECT_EQ(GdipDrawImageI(g.get(), b.get(), 0, 0), GdiplusNotInitialized);
    EXPECT_EQ(draw(g.get(), b.get(), UnitPixel), GdiplusNotInitialized);
}

} // namespace
