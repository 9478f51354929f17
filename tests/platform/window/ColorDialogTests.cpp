// The colour dialog: HLS on the 0-240 scale against RGB, the basic palette,
// the chooser's selection and custom slots, and ChooseColor driven as the
// user would: choosing swatches, typing values, the field and the bar,
// adding custom colours, and every way of accepting and leaving.

#include "platform/window/ColorDialog.h"

#include "platform/window/CommonDialog.h"
#include "platform/window/ControlPainting.h"
#include "platform/window/Dialogs.h"
#include "tests/platform/window/ControlTestSupport.h"
#include "tests/support/TestDc.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

namespace {

using namespace ws::dlg;
using Swatch = ColorChooser::Swatch;
using Kind = ColorChooser::Kind;

TEST(ColorSpace, RgbAndHlsAgreeForATableOfColours)
{
    const struct {
        COLORREF rgb;
        Hls hls;
    } cases[] = {
        { RGB(255, 0, 0), { 0, 240, 120 } },
        { RGB(255, 255, 0), { 40, 240, 120 } },
        { RGB(0, 255, 0), { 80, 240, 120 } },
        { RGB(0, 255, 255), { 120, 240, 120 } },
        { RGB(0, 0, 255), { 160, 240, 120 } },
        { RGB(255, 0, 255), { 200, 240, 120 } },
        { RGB(255, 128, 0), { 20, 240, 120 } },
        { RGB(128, 0, 0), { 0, 240, 60 } },
        { RGB(0, 0, 128), { 160, 240, 60 } },
        { RGB(255, 128, 128), { 0, 240, 180 } },
        { RGB(255, 255, 255), { 160, 0, 240 } },
        { RGB(0, 0, 0), { 160, 0, 0 } },
        { RGB(128, 128, 128), { 160, 0, 120 } },
        { RGB(64, 64, 64), { 160, 0, 60 } },
        { RGB(1, 2, 3), { 140, 120, 2 } },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RgbToHls(c.rgb), c.hls) << std::hex << c.rgb;
        EXPECT_EQ(HlsToRgb(c.hls), c.rgb) << std::dec << c.hls.hue << "," << c.hls.sat << "," << c.hls.lum;
    }
    // Rounding may move a channel a little where HLS is coarser than RGB.
    EXPECT_EQ(RgbToHls(RGB(200, 100, 50)), (Hls { 13, 144, 118 }));
    EXPECT_EQ(HlsToRgb(Hls { 13, 144, 118 }), RGB(201, 99, 50));
}

TEST(ColorSpace, RoundTripsStayWithinTheScalesRounding)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    int worst = 0;
    for (int i = 0; i < 20000; ++i) {
        COLORREF c = RGB(byte(random), byte(random), byte(random));
        Hls hls = RgbToHls(c);
        ASSERT_TRUE(hls.hue >= 0 && hls.hue < 240 && hls.sat >= 0 && hls.sat <= 240 && hls.lum >= 0 && hls.lum <= 240);
        COLORREF back = HlsToRgb(hls);
        worst = std::max({ worst, std::abs(GetRValue(c) - GetRValue(back)), std::abs(GetGValue(c) - GetGValue(back)),
            std::abs(GetBValue(c) - GetBValue(back)) });
        // Greys stay grey (241 luminances cannot hold 256 greys exactly),
        // with no saturation and the grey hue.
        BYTE level = GetRValue(c);
        Hls greyHls = RgbToHls(RGB(level, level, level));
        COLORREF grey = HlsToRgb(greyHls);
        EXPECT_EQ(greyHls.sat, 0);
        EXPECT_EQ(greyHls.hue, 160);
        EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));
        EXPECT_LE(std::abs(GetRValue(grey) - level), 1);
    }
    EXPECT_LE(worst, 5);
    // Out-of-range values are clamped; hue 240 is hue 0.
    EXPECT_EQ(HlsToRgb(Hls { 240, 300, 120 }), RGB(255, 0, 0));
    EXPECT_EQ(HlsToRgb(Hls { -5, 240, 999 }), RGB(255, 255, 255));
}

TEST(ColorChooser, StartingColourSelectsItsSwatch)
{
    std::array<COLORREF, 16> custom {};
    custom.fill(RGB(255, 255, 255));
    custom[3] = RGB(12, 34, 56);
    const struct {
        COLORREF initial;
        bool rgbInit;
        Swatch selected;
    } cases[] = {
        { RGB(0, 0, 255), true, { Kind::Basic, 21 } }, { RGB(12, 34, 56), true, { Kind::Custom, 3 } },
        { RGB(255, 255, 255), true, { Kind::Basic, 47 } }, // basic before custom
        { RGB(1, 2, 3), true, { Kind::None, 0 } },
        { RGB(0, 0, 255), false, { Kind::Basic, 40 } }, // without CC_RGBINIT: black
    };
    for (const auto& c : cases) {
        ColorChooser chooser(custom.data(), c.initial, c.rgbInit);
        EXPECT_EQ(chooser.Selected(), c.selected) << std::hex << c.initial;
        EXPECT_EQ(chooser.Colour(), c.rgbInit ? c.initial : RGB(0, 0, 0));
    }
}

TEST(ColorChooser, CustomSlotsFillInTurnAndFollowTheChosenSlot)
{
    ColorChooser chooser(nullptr, 0, false);
    for (int i = 0; i < 17; ++i) {
        chooser.SetRgb(RGB(i, 0, 0));
        EXPECT_EQ(chooser.AddCustom(), i % 16);
    }
    EXPECT_EQ(chooser.Custom()[0], RGB(16, 0, 0)) << "the seventeenth wraps to the first slot";
    EXPECT_EQ(chooser.Custom()[15], RGB(15, 0, 0));
    chooser.Select(Swatch { Kind::Custom, 9 });
    EXPECT_EQ(chooser.Colour(), RGB(9, 0, 0));
    chooser.SetHls(Hls { 80, 240, 120 });
    EXPECT_EQ(chooser.Selected(), Swatch {}) << "a colour of its own is no swatch";
    EXPECT_EQ(chooser.AddCustom(), 9);
    EXPECT_EQ(chooser.Custom()[9], RGB(0, 255, 0));
    EXPECT_EQ(chooser.NextCustomSlot(), 10);
}

// The dialog, driven.
class ChooseColorTest : public test::ControlTest {
public:
    std::array<COLORREF, 16> custom {};
    CHOOSECOLOR cc {};

    void SetUp() override
    {
        ControlTest::SetUp();
        custom.fill(RGB(255, 255, 255));
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = parent;
        cc.lpCustColors = custom.data();
        cc.rgbResult = RGB(1, 2, 3);
    }

    static HWND Box() { return GetActiveWindow(); }
    static HWND Item(int id) { return GetDlgItem(Box(), id); }
    static POINT ClientPoint(int x, int y) { return At(Box(), x, y); }

    // Inside a modal loop the pointer moves in one wait and presses in the
    // next.
    void ClickAt(std::function<POINT()> where, int times = 1)
    {
        driver.WhenWaiting([this, where] { driver.MoveTo(where()); });
        driver.WhenWaiting([this, times] {
            for (int i = 0; i < times; ++i) {
                driver.Press();
                driver.Release();
            }
        });
    }
    void ClickItem(int id, int times = 1)
    {
        ClickAt([id] { return Centre(Item(id)); }, times);
    }
    void Keys(std::vector<UINT> keys)
    {
        driver.WhenWaiting([this, keys] {
            for (UINT k : keys)
                driver.Key(k);
        });
    }
    // Replaces a field's text as the user would: click it, select all,
    // type.
    void TypeInto(int id, std::string text)
    {
        ClickItem(id);
        driver.WhenWaiting([this, id, text] {
            SendMessage(Item(id), EM_SETSEL, 0, -1);
            driver.Type(text);
        });
    }
    static int Field(int id)
    {
        char text[8] = {};
        GetDlgItemText(Box(), id, text, sizeof text);
        return std::atoi(text);
    }
    static std::array<int, 6> Fields()
    {
        return { Field(kColorRedId), Field(kColorGreenId), Field(kColorBlueId), Field(kColorHueId), Field(kColorSatId),
            Field(kColorLumId) };
    }
};

TEST_F(ChooseColorTest, ChoosingABasicSwatchAndOkAnswersItsColour)
{
    struct {
        std::string caption;
        bool ownerEnabled = true;
        COLORREF frame = 0, inside = 0, other = 0;
    } seen;
    ClickItem(kFirstBasicId + 21);
    driver.WhenWaiting([&] {
        char caption[32] = {};
        GetWindowText(Box(), caption, sizeof caption);
        seen.caption = caption;
        seen.ownerEnabled = IsWindowEnabled(parent) != FALSE;
        RECT r;
        GetWindowRect(Item(kFirstBasicId + 21), &r);
        seen.frame = driver.PixelAt(r.left, r.top);
        seen.inside = driver.PixelAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        GetWindowRect(Item(kFirstBasicId + 22), &r);
        seen.other = driver.PixelAt(r.left, r.top);
    });
    ClickItem(IDOK);
    EXPECT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(0, 0, 255));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(seen.caption, "颜色");
    EXPECT_FALSE(seen.ownerEnabled) << "the owner is disabled while the dialog is up";
    EXPECT_TRUE(IsWindowEnabled(parent));
    EXPECT_EQ(seen.frame, RGB(0, 0, 0)) << "the selected swatch is framed";
    EXPECT_EQ(seen.inside, RGB(0, 0, 255));
    EXPECT_EQ(seen.other, ws::ctl::kFaceColour) << "other swatches are not";
}

TEST_F(ChooseColorTest, CancelEscAndClosingLeaveTheResult)
{
    using Leave = std::function<void(ChooseColorTest&)>;
    const struct {
        Leave leave;
        const char* what;
    } cases[] = {
        { [](ChooseColorTest& t) { t.ClickItem(IDCANCEL); }, "Cancel" },
        { [](ChooseColorTest& t) { t.Keys({ VK_ESCAPE }); }, "Esc" },
        { [](ChooseColorTest& t) { t.driver.WhenWaiting([] { PostMessage(Box(), WM_CLOSE, 0, 0); }); }, "closing" },
    };
    for (const auto& c : cases) {
        cc.rgbResult = RGB(1, 2, 3);
        ClickItem(kFirstBasicId + 3);
        c.leave(*this);
        EXPECT_FALSE(ChooseColor(&cc)) << c.what;
        EXPECT_EQ(cc.rgbResult, RGB(1, 2, 3)) << c.what;
        EXPECT_FALSE(driver.StepsLeft()) << c.what;
        driver.Advance(1000); // no double click with the next case's first click
    }
}

TEST_F(ChooseColorTest, RgbInitPreselectsTheSwatchOrFillsTheFields)
{
    cc.Flags = CC_RGBINIT;
    cc.rgbResult = ColorChooser::Basic(10);
    std::array<int, 6> fields {};
    COLORREF frame = 0;
    driver.WhenWaiting([&] {
        RECT r;
        GetWindowRect(Item(kFirstBasicId + 10), &r);
        frame = driver.PixelAt(r.left + 1, r.top + 1);
        fields = Fields();
        driver.Key(VK_RETURN);
    });
    EXPECT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(frame, RGB(0, 0, 0));
    EXPECT_EQ(cc.rgbResult, ColorChooser::Basic(10)) << "Enter accepts the preselected colour";
    EXPECT_EQ(fields, (std::array<int, 6> { 255, 255, 85, 40, 240, 160 }));

    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    cc.rgbResult = RGB(200, 100, 50);
    COLORREF preview = 0;
    driver.WhenWaiting([&] {
        fields = Fields();
        RECT p = ColorPicture::kPreview;
        POINT centre = ClientPoint((p.left + p.right) / 2, (p.top + p.bottom) / 2);
        preview = driver.PixelAt(centre.x, centre.y);
        driver.Key(VK_RETURN);
    });
    EXPECT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(200, 100, 50)) << "the colour given, not its HLS rounding";
    EXPECT_EQ(fields, (std::array<int, 6> { 200, 100, 50, 13, 144, 118 }));
    EXPECT_EQ(preview, RGB(200, 100, 50));
}

TEST_F(ChooseColorTest, TypedValuesKeepRgbAndHlsFieldsInAgreement)
{
    cc.Flags = CC_FULLOPEN;
    const struct {
        int field;
        const char* text;
        std::array<int, 6> expected; // red, green, blue, hue, sat, lum
    } steps[] = {
        { kColorRedId, "255", { 255, 0, 0, 0, 240, 120 } }, { kColorGreenId, "255", { 255, 255, 0, 40, 240, 120 } },
        { kColorRedId, "0", { 0, 255, 0, 80, 240, 120 } }, { kColorLumId, "240", { 255, 255, 255, 80, 240, 240 } },
        { kColorLumId, "60", { 0, 128, 0, 80, 240, 60 } }, { kColorHueId, "160", { 0, 0, 128, 160, 240, 60 } },
        { kColorSatId, "0", { 64, 64, 64, 160, 0, 60 } },
        { kColorBlueId, "999", { 64, 64, 255, 160, 240, 150 } }, // clamped to 255
    };
    std::vector<std::array<int, 6>> seen;
    for (const auto& s : steps) {
        TypeInto(s.field, s.text);
        driver.WhenWaiting([&] { seen.push_back(Fields()); });
    }
    Keys({ VK_RETURN });
    EXPECT_TRUE(ChooseColor(&cc));
    ASSERT_EQ(seen.size(), std::size(steps));
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], steps[i].expected) << "step " << i << ": " << steps[i].text;
    EXPECT_EQ(cc.rgbResult, RGB(64, 64, 255));
}

TEST_F(ChooseColorTest, FieldAndBarSetHueSaturationAndLuminance)
{
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    cc.rgbResult = RGB(128, 128, 128); // luminance 120
    RECT field = ColorPicture::kField;
    RECT bar = ColorPicture::kBar;
    std::array<int, 6> afterField {}, afterBar {};
    // The field's top-left corner is hue 0 at full saturation; the bar's
    // middle row is luminance 120, its bottom black.
    ClickAt([&] { return ClientPoint(field.left, field.top); });
    driver.WhenWaiting([&] { afterField = Fields(); });
    ClickAt([&] { return ClientPoint(bar.left + 2, bar.bottom - 1); });
    driver.WhenWaiting([&] {
        afterBar = Fields();
        driver.Key(VK_ESCAPE);
    });
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(afterField, (std::array<int, 6> { 255, 0, 0, 0, 240, 120 }));
    EXPECT_EQ(afterBar, (std::array<int, 6> { 0, 0, 0, 0, 240, 0 }));
}

TEST_F(ChooseColorTest, AddedCustomColourComesBackEvenOnCancel)
{
    cc.Flags = CC_FULLOPEN;
    TypeInto(kColorRedId, "10");
    TypeInto(kColorGreenId, "20");
    ClickItem(kColorAddId);
    COLORREF swatch = 0;
    driver.WhenWaiting([&] {
        RECT r;
        GetWindowRect(Item(kFirstCustomId), &r);
        swatch = driver.PixelAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    });
    ClickItem(kColorAddId); // the same colour again fills the second slot
    ClickItem(IDCANCEL);
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(swatch, RGB(10, 20, 0)) << "the custom swatch shows it at once";
    EXPECT_EQ(custom[0], RGB(10, 20, 0));
    EXPECT_EQ(custom[1], RGB(10, 20, 0));
    EXPECT_EQ(custom[2], RGB(255, 255, 255));
    EXPECT_EQ(cc.rgbResult, RGB(1, 2, 3));

    // The custom colours given are shown and can be chosen.
    ClickItem(kFirstCustomId + 1);
    ClickItem(IDOK);
    EXPECT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(10, 20, 0));
}

TEST_F(ChooseColorTest, DoubleClickEnterAndArrowsWorkTheSwatches)
{
    ClickItem(kFirstBasicId + 5, 2);
    EXPECT_TRUE(ChooseColor(&cc)) << "a double click accepts";
    EXPECT_EQ(cc.rgbResult, ColorChooser::Basic(5));
    driver.Advance(1000);

    ClickItem(kFirstBasicId + 9);
    // One key a wait: each goes to the swatch that has the focus by then.
    for (UINT k : { VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN })
        Keys({ k });
    EXPECT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, ColorChooser::Basic(26)) << "arrows move the selection; Enter accepts it";
}

TEST_F(ChooseColorTest, DefineCustomColoursOpensTheRestOfTheDialog)
{
    int narrow = 0, wide = 0;
    BOOL mixEnabled = TRUE;
    bool fieldsHidden = false, fieldsShown = false;
    driver.WhenWaiting([&] {
        RECT r;
        GetClientRect(Box(), &r);
        narrow = r.right;
        fieldsHidden = !IsWindowVisible(Item(kColorRedId));
    });
    ClickItem(kColorMixId);
    driver.WhenWaiting([&] {
        RECT r;
        GetClientRect(Box(), &r);
        wide = r.right;
        mixEnabled = IsWindowEnabled(Item(kColorMixId));
        fieldsShown = IsWindowVisible(Item(kColorRedId)) != FALSE;
        driver.Key(VK_ESCAPE);
    });
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_LT(narrow, ColorPicture::kField.left) << "closed, the field lies outside";
    EXPECT_GT(wide, ColorPicture::kBar.right);
    EXPECT_FALSE(mixEnabled);
    EXPECT_TRUE(fieldsHidden) << "Tab must not reach fields outside the narrow dialog";
    EXPECT_TRUE(fieldsShown);
}

TEST_F(ChooseColorTest, BadStructuresAreRefused)
{
    EXPECT_FALSE(ChooseColor(nullptr));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    cc.lStructSize = 12;
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    cc.lStructSize = sizeof cc;
    cc.lpCustColors = nullptr;
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
}

} // namespace
