// The program's own resources as the program finds them: registered before
// main without anyone asking, the strings, and the cursors, icon and mask
// whose shapes the windows rely on. (Where the dialog templates put their
// controls is checked against the pictures in SkinLayoutTests.)

#include "platform/gdi/Gdi.h"
#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

res::Name Id(UINT id) { return res::Name { id, {} }; }

TEST(ProgramStrings, SystemMenuItem)
{
    const std::string about = "关于 Inkveil(&A)...";
    char buffer[64];
    EXPECT_EQ(LoadString(GetModuleHandle(nullptr), 101, buffer, sizeof buffer), static_cast<int>(about.size()));
    EXPECT_EQ(std::string(buffer), about);
}

// The eraser mask: a two-colour picture whose black block lies along the
// diagonal from the upper left to the lower right, twice as long as wide.
TEST(ProgramPictures, EraserMaskIsABlackDiagonalBlockOnWhite)
{
    const res::Bitmap* mask = res::FindBitmap(Id(142));
    ASSERT_NE(mask, nullptr);
    ASSERT_EQ(mask->width, 62);
    ASSERT_EQ(mask->height, 62);
    EXPECT_EQ(mask->bitsPerPixel, 24);
    // Along the diagonal (x + y) and across it (x - y), the block's extent.
    int alongMin = 1000, alongMax = -1000, acrossMin = 1000, acrossMax = -1000;
    for (int y = 0; y < 62; ++y)
        for (int x = 0; x < 62; ++x) {
            const std::uint32_t p = mask->pixels[static_cast<std::size_t>(y * 62 + x)];
            ASSERT_TRUE(p == 0 || p == 0xFFFFFF) << x << "," << y;
            if (p != 0)
                continue;
            alongMin = std::min(alongMin, x + y), alongMax = std::max(alongMax, x + y);
            acrossMin = std::min(acrossMin, x - y), acrossMax = std::max(acrossMax, x - y);
        }
    const double along = alongMax - alongMin, across = acrossMax - acrossMin;
    EXPECT_GT(along / across, 1.7);
    EXPECT_LT(along / across, 2.4);
    // It fills most of the picture along the diagonal, centred, and leaves
    // the corners off the diagonal white.
    EXPECT_GT(along, 70);
    EXPECT_NEAR((alongMin + alongMax) / 2.0, 61, 2);
    EXPECT_NEAR((acrossMin + acrossMax) / 2.0, 0, 2);
    EXPECT_EQ(mask->pixels[31 * 62 + 31], 0u);
    EXPECT_EQ(mask->pixels[61], 0xFFFFFFu); // upper right
    EXPECT_EQ(mask->pixels[61 * 62], 0xFFFFFFu); // lower left

    // And the program loads it as the same pixels.
    HBITMAP loaded = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(142));
    ASSERT_NE(loaded, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, loaded);
    int differing = 0;
    for (int y = 0; y < 62; ++y)
        for (int x = 0; x < 62; ++x) {
            const bool white = mask->pixels[static_cast<std::size_t>(y * 62 + x)] != 0;
            differing += GetPixel(dc, x, y) != (white ? RGB(255, 255, 255) : RGB(0, 0, 0));
        }
    EXPECT_EQ(differing, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(loaded);
}

TEST(ProgramPictures, BlankCursorShowsNothing)
{
    const res::Pointer* c = res::FindCursor(Id(156));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->width, 32);
    EXPECT_EQ(c->height, 32);
    EXPECT_EQ(c->hotspot.x, 16);
    EXPECT_EQ(c->hotspot.y, 9);
    ASSERT_EQ(c->argb.size(), 32u * 32u);
    EXPECT_TRUE(std::all_of(c->argb.begin(), c->argb.end(), [](std::uint32_t p) { return (p >> 24) == 0; }));
}

// A cursor of sixteen colours: every pixel wholly transparent or wholly
// opaque, no more than sixteen colours, and the point of the pencil, dark,
// exactly at the hot spot with nothing of the picture beyond it.
TEST(ProgramPictures, PencilCursorPointsWithItsTip)
{
    const res::Pointer* c = res::FindCursor(Id(137));
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->width, 32);
    ASSERT_EQ(c->height, 32);
    EXPECT_EQ(c->hotspot.x, 4);
    EXPECT_EQ(c->hotspot.y, 5);
    std::set<std::uint32_t> colors;
    int frontmost = 64, opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t p = c->argb[static_cast<std::size_t>(y * 32 + x)];
            ASSERT_TRUE((p >> 24) == 0 || (p >> 24) == 0xFF) << x << "," << y;
            if ((p >> 24) == 0)
                continue;
            colors.insert(p);
            frontmost = std::min(frontmost, x + y);
            ++opaque;
        }
    EXPECT_LE(colors.size(), 16u);
    EXPECT_GT(opaque, 150); // a pencil, not a speck
    EXPECT_EQ(frontmost, 4 + 5);
    const std::uint32_t tip = c->argb[5 * 32 + 4];
    EXPECT_EQ(tip >> 24, 0xFFu);
    const unsigned luma = (((tip >> 16) & 0xFF) * 3 + ((tip >> 8) & 0xFF) * 6 + (tip & 0xFF)) / 10;
    EXPECT_LT(luma, 96u);
}

TEST(ProgramPictures, IconHasSoftEdges)
{
    const res::Pointer* c = res::FindIcon(Id(128));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->width, 32);
    EXPECT_EQ(c->height, 32);
    const auto alpha = [&](std::uint32_t level) {
        return std::count_if(c->argb.begin(), c->argb.end(), [&](std::uint32_t p) { return (p >> 24) == level; });
    };
    const auto partial = static_cast<long>(c->argb.size()) - alpha(0) - alpha(255);
    EXPECT_GT(alpha(255), 32 * 32 / 2);
    EXPECT_GT(alpha(0), 0);
    EXPECT_GT(partial, 0);
}

} // namespace
