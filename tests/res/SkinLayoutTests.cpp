// The skins and their controls line up: the generator lays the pictures out
// where the window system puts each control of the program's dialog
// templates, every button picture continues the skin under its edges, and
// the skin under each slider is the colour that the slider's images let
// through.

#include "platform/window/Dialogs.h"
#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"
#include "tests/res/ResTestSupport.h"
#include "tools/resgen/DialogLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using restest::At;
using restest::NameOf;
using restest::Picture;

LONG_PTR QuietDialog(HWND, UINT, WPARAM, LPARAM) { return 0; }

// A program dialog as the window system builds it, hidden.
class Dialog {
public:
    explicit Dialog(UINT id)
    {
        res::DialogTemplate t = *res::FindDialog(res::Name { id, {} });
        t.style &= ~WS_VISIBLE;
        hwnd_ = CreateDialogIndirectParam(GetModuleHandle(nullptr), &t, nullptr, QuietDialog, 0);
    }
    ~Dialog() { DestroyWindow(hwnd_); }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Where control id stands in the client area.
    POINT Place(int id) const
    {
        RECT r {};
        GetWindowRect(GetDlgItem(hwnd_, id), &r);
        POINT p { r.left, r.top };
        ScreenToClient(hwnd_, &p);
        return p;
    }
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

TEST(SkinLayout, TheGeneratorPlacesEveryControlWhereTheWindowSystemDoes)
{
    for (UINT id : { 102u, 104u, 105u, 179u, 180u }) {
        SCOPED_TRACE(id);
        const Dialog dialog(id);
        ASSERT_NE(dialog.hwnd(), nullptr);
        const resgen::DialogLayout layout(id);
        for (const res::DialogItem& item : res::FindDialog(res::Name { id, {} })->items) {
            const POINT expected = dialog.Place(item.id), measured = layout.At(item.id);
            EXPECT_EQ(measured.x, expected.x) << item.id;
            EXPECT_EQ(measured.y, expected.y) << item.id;
        }
    }
}

struct Button {
    UINT dialog;
    int control;
    const char* picture;
    const char* skin;
    int pictures; // 3 for a hover button's strip
};

const Button kButtons[] = {
    { 102, 1015, "161", "157", 1 },
    { 102, 1000, "CLOSEU", "157", 1 },
    { 102, 1003, "193", "157", 3 },
    { 102, 1001, "PENU", "157", 1 },
    { 102, 1006, "LINEU", "157", 1 },
    { 102, 1002, "RECTANGLEU", "157", 1 },
    { 102, 1004, "MCIRCLEU", "157", 1 },
    { 102, 1005, "ECLIPSEU", "157", 1 },
    { 102, 1010, "RECTFILLU", "157", 1 },
    { 102, 1011, "MCIRCLEFILLU", "157", 1 },
    { 102, 1012, "ECLIPSEFILLU", "157", 1 },
    { 102, 1007, "ERASEU", "157", 1 },
    { 102, 1021, "181", "157", 3 },
    { 102, 1022, "187", "157", 3 },
    { 102, 1023, "196", "157", 3 },
    { 102, 1009, "COLORU", "157", 1 },
    { 102, 1013, "SAVEU", "157", 1 },
    { 104, 1013, "164", "162", 3 },
    { 104, 1014, "167", "162", 3 },
    { 104, 1015, "168", "162", 3 },
    { 104, 1019, "177", "162", 3 },
    { 104, 1020, "176", "162", 3 },
    { 104, 1021, "171", "162", 3 },
    { 104, 1022, "172", "162", 3 },
    { 104, 1023, "178", "162", 3 },
    { 104, 1024, "173", "162", 3 },
    { 104, 1025, "175", "162", 3 },
    { 179, 1013, "183", "182", 3 },
    { 179, 1014, "184", "182", 3 },
    { 179, 1015, "185", "182", 3 },
    { 179, 1016, "186", "182", 3 },
    { 180, 1022, "189", "188", 3 },
    { 180, 1023, "190", "188", 3 },
};

// The normal picture's outermost pixels are the skin's pixels under them
// (where the skin reaches), so a picture drawn for another place would
// show a seam.
TEST(SkinLayout, EveryButtonPictureContinuesTheSkinAtItsEdges)
{
    for (const Button& b : kButtons) {
        SCOPED_TRACE(b.picture);
        const Dialog dialog(b.dialog);
        const POINT at = dialog.Place(b.control);
        const res::Bitmap& picture = Picture(b.picture);
        const res::Bitmap& skin = Picture(b.skin);
        const int w = picture.width / b.pictures, h = picture.height;
        int compared = 0, differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                if (!edge || at.x + x >= skin.width || at.y + y >= skin.height)
                    continue;
                ++compared;
                differing += At(picture, x, y) != At(skin, at.x + x, at.y + y);
            }
        EXPECT_GT(compared, w);
        EXPECT_EQ(differing, 0);
    }
}

struct Slider {
    UINT dialog;
    int control;
    const char* channel;
    const char* thumb;
    const char* skin;
};

// Under each slider the skin is all of the one colour that both its images
// let through, so the groove and the knob stand on the window's own face.
TEST(SkinLayout, SlidersStandOnTheColourTheirImagesLetThrough)
{
    const Slider sliders[] = {
        { 104, 1016, "169", "166", "162" },
        { 104, 1017, "169", "166", "162" },
        { 105, 1014, "165", "166", "163" },
        { 105, 1015, "165", "166", "163" },
        { 105, 1016, "165", "166", "163" },
        { 180, 1024, "191", "192", "188" },
    };
    for (const Slider& s : sliders) {
        SCOPED_TRACE(std::to_string(s.dialog) + "/" + std::to_string(s.control));
        const Dialog dialog(s.dialog);
        const POINT at = dialog.Place(s.control);
        const res::Bitmap& channel = Picture(s.channel);
        const res::Bitmap& skin = Picture(s.skin);
        const std::uint32_t key = At(channel, 0, 0);
        EXPECT_EQ(At(Picture(s.thumb), 0, 0), key);
        int differing = 0;
        for (int y = 0; y < channel.height; ++y)
            for (int x = 0; x < channel.width; ++x)
                differing += At(skin, at.x + x, at.y + y) != key;
        EXPECT_EQ(differing, 0);
    }
}

} // namespace
