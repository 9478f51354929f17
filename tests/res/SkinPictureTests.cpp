// The skins, button strips and slider images as the program loads them:
// every id and name the windows ask for, at its size, with the key colour
// exactly where the windows cut themselves away and nowhere else.

#include "platform/gdi/Gdi.h"
#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"
#include "tests/res/ResTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr std::uint32_t kYellow = 0xFFFF00; // pure yellow, 0x00RRGGBB

using restest::At;
using restest::NameOf;
using restest::Picture;

struct Size {
    const char* name;
    int width, height;
};

const Size kPictures[] = {
    { "142", 62, 62 },
    // The tool palette.
    { "157", 42, 556 },
    { "160", 13, 13 },
    { "161", 13, 13 },
    { "CLOSEU", 13, 13 },
    { "CLOSED", 13, 13 },
    { "PENU", 32, 32 },
    { "PEND", 32, 32 },
    { "LINEU", 32, 32 },
    { "LINED", 32, 32 },
    { "RECTANGLEU", 32, 32 },
    { "RECTANGLED", 32, 32 },
    { "MCIRCLEU", 32, 32 },
    { "MCIRCLED", 32, 32 },
    { "ECLIPSEU", 32, 32 },
    { "ECLIPSED", 32, 32 },
    { "RECTFILLU", 32, 32 },
    { "RECTFILLD", 32, 32 },
    { "MCIRCLEFILLU", 32, 32 },
    { "MCIRCLEFILLD", 32, 32 },
    { "ECLIPSEFILLU", 32, 32 },
    { "ECLIPSEFILLD", 32, 32 },
    { "ERASEU", 32, 32 },
    { "ERASED", 32, 32 },
    { "COLORU", 32, 32 },
    { "COLORD", 32, 32 },
    { "SAVEU", 32, 32 },
    { "SAVED", 32, 32 },
    { "181", 105, 35 },
    { "187", 105, 35 },
    { "193", 105, 35 },
    { "194", 105, 35 },
    { "195", 105, 35 },
    { "196", 105, 35 },
    // The choosers and the tip.
    { "182", 120, 180 },
    { "183", 354, 45 },
    { "184", 354, 45 },
    { "185", 354, 45 },
    { "186", 354, 45 },
    { "188", 230, 150 },
    { "189", 144, 22 },
    { "190", 150, 24 },
    { "191", 108, 12 },
    { "192", 12, 12 },
    { "170", 90, 30 },
    // The camera toolbar and the adjustment panel.
    { "162", 1366, 93 },
    { "164", 126, 25 },
    { "167", 150, 27 },
    { "168", 150, 27 },
    { "171", 114, 22 },
    { "172", 114, 22 },
    { "173", 114, 22 },
    { "178", 114, 22 },
    { "175", 120, 22 },
    { "176", 87, 22 },
    { "177", 87, 22 },
    { "169", 90, 13 },
    { "166", 12, 13 },
    { "163", 200, 145 },
    { "165", 138, 13 },
};

TEST(SkinPictures, EveryPictureTheWindowsAskForLoadsAtItsSize)
{
    HINSTANCE instance = GetModuleHandle(nullptr);
    for (const Size& s : kPictures) {
        SCOPED_TRACE(s.name);
        const res::Bitmap* b = res::FindBitmap(NameOf(s.name));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->width, s.width);
        EXPECT_EQ(b->height, s.height);
        EXPECT_EQ(b->bitsPerPixel, 24);
        // And through the window system's loader, by number or by name as
        // the program asks for it.
        const res::Name name = NameOf(s.name);
        HBITMAP loaded = LoadBitmap(instance, name.text.empty() ? MAKEINTRESOURCE(name.id) : s.name);
        ASSERT_NE(loaded, nullptr);
        BITMAP info {};
        ASSERT_NE(GetObject(loaded, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, s.width);
        EXPECT_EQ(info.bmHeight, s.height);
        DeleteObject(loaded);
    }
}

// A shaped skin is cut by yellow outside its outline only: on every row the
// pixels that stay form one unbroken run, so no hole opens inside.
void ExpectYellowOnlyOutside(const res::Bitmap& b, int firstRow)
{
    for (int y = firstRow; y < b.height; ++y) {
        int runs = 0;
        for (int x = 0; x < b.width; ++x)
            runs += At(b, x, y) != kYellow && (x == 0 || At(b, x - 1, y) == kYellow);
        EXPECT_EQ(runs, 1) << "row " << y;
    }
}

TEST(SkinPictures, ThePaletteIsCutAwayOutsideItsRoundedOutline)
{
    const res::Bitmap& palette = Picture("157");
    ExpectYellowOnlyOutside(palette, 0);
    for (int x : { 0, 41 })
        for (int y : { 0, 555 })
            EXPECT_EQ(At(palette, x, y), kYellow) << x << "," << y;
    // The outline reaches the picture's edges between the corners.
    EXPECT_NE(At(palette, 0, 278), kYellow);
    EXPECT_NE(At(palette, 41, 278), kYellow);
    EXPECT_NE(At(palette, 21, 0), kYellow);
    EXPECT_NE(At(palette, 21, 555), kYellow);
}

TEST(SkinPictures, TheToolbarIsABarUnderFiftyThreeYellowRows)
{
    const res::Bitmap& toolbar = Picture("162");
    for (int y = 0; y < 53; ++y)
        for (int x = 0; x < toolbar.width; ++x)
            ASSERT_EQ(At(toolbar, x, y), kYellow) << x << "," << y;
    ExpectYellowOnlyOutside(toolbar, 53);
    // The bar runs to the right end and stops short of the left one.
    for (int y = 53; y < 93; ++y) {
        EXPECT_NE(At(toolbar, 1365, y), kYellow) << y;
        EXPECT_EQ(At(toolbar, 0, y), kYellow) << y;
    }
}

TEST(SkinPictures, TheLineTypeChooserIsAWhitePanelWithADarkBorder)
{
    const res::Bitmap& chooser = Picture("182");
    ExpectYellowOnlyOutside(chooser, 0);
    EXPECT_EQ(At(chooser, 0, 0), kYellow);
    EXPECT_EQ(At(chooser, 60, 90), 0xFFFFFFu);
    for (const auto& [x, y] : { std::pair { 0, 90 }, { 119, 90 }, { 60, 0 }, { 60, 179 } }) {
        const std::uint32_t p = At(chooser, x, y);
        EXPECT_LT(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF), 3u * 96) << x << "," << y;
    }
}

TEST(SkinPictures, WholeWindowSkinsHoldNoYellowAndTheTipIsOneRed)
{
    // The adjustment panel is shaped but meant whole; the transparency
    // chooser is never shaped, so yellow would show.
    for (const char* name : { "163", "188", "170" }) {
        const res::Bitmap& b = Picture(name);
        EXPECT_EQ(std::count(b.pixels.begin(), b.pixels.end(), kYellow), 0) << name;
    }
    const res::Bitmap& tip = Picture("170");
    EXPECT_EQ(std::count(tip.pixels.begin(), tip.pixels.end(), 0xFF0402u), 90 * 30);
}

TEST(SkinPictures, ThePreviewBoxIsWhiteInsideOnePixelFrameLines)
{
    const res::Bitmap& chooser = Picture("188");
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    for (int y = 65; y <= 104; ++y) {
        EXPECT_NE(At(chooser, 129, y), kWhite) << y;
        EXPECT_NE(At(chooser, 218, y), kWhite) << y;
        EXPECT_EQ(At(chooser, 128, y), kWhite) << y;
        EXPECT_EQ(At(chooser, 219, y), kWhite) << y;
    }
    for (int x = 129; x <= 218; ++x) {
        EXPECT_NE(At(chooser, x, 65), kWhite) << x;
        EXPECT_NE(At(chooser, x, 104), kWhite) << x;
    }
    for (int y = 66; y < 104; ++y)
        for (int x = 130; x < 218; ++x)
            ASSERT_EQ(At(chooser, x, y), kWhite) << x << "," << y;
}

// Channels and thumbs are keyed by their top-left pixel: it must be the
// colour round the groove or knob, which is drawn in others.
TEST(SkinPictures, SliderImagesKeepTheirKeyInTheTopLeftPixel)
{
    for (const char* name : { "169", "166", "165", "191", "192" }) {
        SCOPED_TRACE(name);
        const res::Bitmap& b = Picture(name);
        const std::uint32_t key = At(b, 0, 0);
        const auto keyed = std::count(b.pixels.begin(), b.pixels.end(), key);
        EXPECT_GT(keyed, static_cast<long>(b.pixels.size()) / 5);
        EXPECT_LT(keyed, static_cast<long>(b.pixels.size()));
        EXPECT_EQ(At(b, b.width - 1, 0), key);
        EXPECT_EQ(At(b, 0, b.height - 1), key);
    }
}

// The line type strips: the normal picture on white, the checked one on a
// dark ground with an orange tick, the highlighted one on light blue; each
// shows its name in dark or light writing.
TEST(SkinPictures, LineTypeStripsShowNormalCheckedAndHighlightedFaces)
{
    auto luma = [](std::uint32_t p) { return (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10; };
    for (const char* name : { "183", "184", "185", "186" }) {
        SCOPED_TRACE(name);
        const res::Bitmap& strip = Picture(name);
        const int w = strip.width / 3;
        EXPECT_EQ(At(strip, 5, 6), 0xFFFFFFu);
        EXPECT_LT(luma(At(strip, w + 5, 6)), 80u);
        const std::uint32_t hover = At(strip, 2 * w + 5, 6);
        EXPECT_GT(luma(hover), 200u);
        EXPECT_GT(hover & 0xFF, (hover >> 16) & 0xFF);
        int orange = 0, darkWriting = 0, lightWriting = 0;
        for (int y = 0; y < strip.height; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t checked = At(strip, w + x, y);
                orange += (checked >> 16) > 220 && ((checked >> 8) & 0xFF) > 110 && ((checked >> 8) & 0xFF) < 190
                    && (checked & 0xFF) < 90;
                if (x >= 56 && x < 100) {
                    darkWriting += luma(At(strip, x, y)) < 100;
                    lightWriting += luma(At(strip, w + x, y)) > 180;
                }
            }
        EXPECT_GT(orange, 10);
        EXPECT_GT(darkWriting, 25);
        EXPECT_GT(lightWriting, 25);
    }
}

} // namespace
