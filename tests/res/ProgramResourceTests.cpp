// The program's own resources as the program finds them: registered before
// main without anyone asking, the dialog templates with the sizes, fonts,
// styles and controls the windows are built from, the strings, and the
// pictures drawn so far. Styles are written out as numbers here, so that a
// wrong value of a style constant shows up as well as a wrong choice.

#include "platform/gdi/Gdi.h"
#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>

namespace {

res::Name Id(UINT id) { return res::Name { id, {} }; }

struct DialogRow {
    UINT id;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    const char* face;
    WORD points;
    const char* caption;
};

// WS_POPUP 0x80000000, WS_VISIBLE 0x10000000, WS_DISABLED 0x08000000,
// WS_CAPTION 0x00C00000, WS_SYSMENU 0x00080000, WS_MINIMIZEBOX 0x00020000,
// WS_MAXIMIZEBOX 0x00010000, DS_MODALFRAME 0x80, DS_SETFONT 0x40,
// DS_FIXEDSYS 0x08; WS_EX_APPWINDOW 0x00040000.
const DialogRow kDialogs[] = {
    { 102, 0x90000040, 0x00040000, 52, 380, "宋体", 9, "" },
    { 103, 0x80CB00C8, 0, 529, 318, "MS Shell Dlg", 8, "Inkveil" },
    { 104, 0x90000040, 0x00040000, 914, 81, "宋体", 9, "" },
    { 105, 0x80000048, 0, 174, 108, "MS Shell Dlg", 8, "" },
    { 106, 0x88000048, 0, 139, 38, "MS Shell Dlg", 8, "" },
    { 139, 0x80000000, 0, 48, 35, "System", 10, "" },
    { 179, 0x80000048, 0, 106, 125, "MS Shell Dlg", 8, "" },
    { 180, 0x80000048, 0, 220, 98, "MS Shell Dlg", 8, "" },
};

struct ItemRow {
    UINT dialog;
    WORD id;
    const char* windowClass;
    const char* text;
    DWORD style;
    short x, y, cx, cy;
};

// Every control is WS_CHILD | WS_VISIBLE (0x50000000).
constexpr DWORD kOwnerDrawn = 0x5001000B; // WS_TABSTOP, BS_OWNERDRAW
constexpr DWORD kSlider = 0x5000010E; // SS_BITMAP, SS_NOTIFY
constexpr DWORD kTabSlider = 0x5001010E; // with WS_TABSTOP
constexpr DWORD kDropDown = 0x50210002; // WS_VSCROLL, WS_TABSTOP, CBS_DROPDOWN
constexpr DWORD kDropList = 0x50210003; // WS_VSCROLL, WS_TABSTOP, CBS_DROPDOWNLIST
constexpr DWORD kVideoPlace = 0x50010105; // WS_TABSTOP, SS_NOTIFY, SS_GRAYRECT

// In the order of the templates, which is the tab order.
const ItemRow kItems[] = {
    { 102, 1015, "BUTTON", "MIN", kOwnerDrawn, 3, 2, 9, 9 },
    { 102, 1000, "BUTTON", "CLOSE", kOwnerDrawn, 16, 2, 19, 14 },
    { 102, 1003, "BUTTON", "NEW", kOwnerDrawn, 3, 16, 25, 14 },
    { 102, 1001, "BUTTON", "PEN", kOwnerDrawn, 4, 40, 25, 14 },
    { 102, 1006, "BUTTON", "LINE", kOwnerDrawn, 4, 60, 25, 14 },
    { 102, 1002, "BUTTON", "RECTANGLE", kOwnerDrawn, 4, 79, 25, 14 },
    { 102, 1004, "BUTTON", "MCIRCLE", kOwnerDrawn, 4, 99, 25, 14 },
    { 102, 1005, "BUTTON", "ECLIPSE", kOwnerDrawn, 4, 118, 25, 14 },
    { 102, 1010, "BUTTON", "RECTFILL", kOwnerDrawn, 4, 137, 25, 14 },
    { 102, 1011, "BUTTON", "MCIRCLEFILL", kOwnerDrawn, 4, 159, 25, 14 },
    { 102, 1012, "BUTTON", "ECLIPSEFILL", kOwnerDrawn, 4, 178, 25, 14 },
    { 102, 1007, "BUTTON", "ERASE", kOwnerDrawn, 4, 198, 25, 14 },
    { 102, 1021, "BUTTON", "线型", kOwnerDrawn, 3, 221, 30, 14 },
    { 102, 1022, "BUTTON", "透明", kOwnerDrawn, 3, 245, 30, 14 },
    { 102, 1023, "BUTTON", "闪烁", kOwnerDrawn, 3, 269, 30, 14 },
    { 102, 1008, "COMBOBOX", "", kDropDown, 5, 295, 23, 88 },
    { 102, 1009, "BUTTON", "COLOR", kOwnerDrawn, 3, 313, 25, 14 },
    { 102, 1013, "BUTTON", "SAVE", kOwnerDrawn, 3, 334, 25, 14 },
    { 103, 1012, "STATIC", "", kVideoPlace, 57, 34, 394, 239 },
    { 104, 1018, "COMBOBOX", "", kDropList, 195, 41, 72, 97 },
    { 104, 1013, "BUTTON", "BSC", kOwnerDrawn, 285, 41, 30, 14 },
    { 104, 1014, "BUTTON", "高清", kOwnerDrawn, 331, 41, 30, 14 },
    { 104, 1016, "STATIC", "#169", kSlider, 370, 46, 60, 9 },
    { 104, 1015, "BUTTON", "高速", kOwnerDrawn, 433, 41, 30, 14 },
    { 104, 1019, "BUTTON", "缩小", kOwnerDrawn, 473, 41, 30, 14 },
    { 104, 1017, "STATIC", "#169", kSlider, 496, 45, 60, 9 },
    { 104, 1020, "BUTTON", "放大", kOwnerDrawn, 560, 41, 30, 14 },
    { 104, 1021, "BUTTON", "实大小", kOwnerDrawn, 591, 41, 30, 14 },
    { 104, 1022, "BUTTON", "适合", kOwnerDrawn, 615, 41, 30, 14 },
    { 104, 1023, "BUTTON", "逆90", kOwnerDrawn, 649, 41, 30, 14 },
    { 104, 1024, "BUTTON", "顺90", kOwnerDrawn, 673, 41, 30, 14 },
    { 104, 1025, "BUTTON", "拍照", kOwnerDrawn, 708, 41, 30, 14 },
    { 105, 1014, "STATIC", "#165", kTabSlider, 29, 19, 84, 15 },
    { 105, 1015, "STATIC", "#165", kTabSlider, 29, 50, 92, 8 },
    { 105, 1016, "STATIC", "#165", kTabSlider, 29, 76, 92, 8 },
    { 179, 1013, "BUTTON", "实心", kOwnerDrawn, 1, 1, 50, 14 },
    { 179, 1014, "BUTTON", "虚线", kOwnerDrawn, 1, 28, 50, 14 },
    { 179, 1015, "BUTTON", "箭头", kOwnerDrawn, 1, 55, 50, 14 },
    { 179, 1016, "BUTTON", "用户定义", kOwnerDrawn, 1, 82, 50, 14 },
    { 180, 1022, "BUTTON", "确定", kOwnerDrawn, 39, 70, 21, 14 },
    { 180, 1023, "BUTTON", "取消", kOwnerDrawn, 82, 70, 21, 14 },
    { 180, 1024, "STATIC", "#191", kSlider, 54, 28, 72, 2 },
};

TEST(ProgramDialogs, EveryTemplateWithItsSizeFontAndStyles)
{
    for (const DialogRow& row : kDialogs) {
        SCOPED_TRACE(row.id);
        const res::DialogTemplate* d = res::FindDialog(Id(row.id));
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->style, row.style);
        EXPECT_EQ(d->exStyle, row.exStyle);
        EXPECT_EQ(d->cx, row.cx);
        EXPECT_EQ(d->cy, row.cy);
        EXPECT_EQ(d->fontFace, row.face);
        EXPECT_EQ(d->pointSize, row.points);
        EXPECT_EQ(d->caption, row.caption);
        const auto count = std::count_if(
            std::begin(kItems), std::end(kItems), [&](const ItemRow& item) { return item.dialog == row.id; });
        EXPECT_EQ(d->items.size(), static_cast<std::size_t>(count));
    }
}

TEST(ProgramDialogs, EveryControlInTabOrder)
{
    std::map<UINT, std::size_t> next;
    for (const ItemRow& row : kItems) {
        SCOPED_TRACE(std::to_string(row.dialog) + "/" + std::to_string(row.id));
        const res::DialogTemplate* d = res::FindDialog(Id(row.dialog));
        ASSERT_NE(d, nullptr);
        const std::size_t index = next[row.dialog]++;
        ASSERT_LT(index, d->items.size());
        const res::DialogItem& item = d->items[index];
        EXPECT_EQ(item.id, row.id);
        EXPECT_EQ(item.windowClass, row.windowClass);
        EXPECT_EQ(item.text, row.text);
        EXPECT_EQ(item.style, row.style);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ((std::array<short, 4> { item.x, item.y, item.cx, item.cy }),
            (std::array<short, 4> { row.x, row.y, row.cx, row.cy }));
    }
}

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
