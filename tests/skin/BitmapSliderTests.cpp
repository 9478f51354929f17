// The bitmap slider on the in-memory screen: its geometry, the drag with its
// grab offset and clamping, the keyboard table, what it posts to its parent,
// and its pictures, pixel for pixel, over the dialog's own picture.

#include "skin/BitmapSlider.h"
#include "tests/skin/SkinTestSupport.h"

#include <memory>

namespace {

constexpr UINT IDD_SLIDER = 9220;
constexpr UINT IDB_PICTURE = 9221;
constexpr UINT IDB_CHANNEL = 9222;
constexpr UINT IDB_THUMB = 9223;
constexpr int IDC_SLIDER = 1016;
constexpr int IDC_NEXT = 1017;

constexpr COLORREF kChannelKey = RGB(255, 255, 0);
constexpr COLORREF kThumbKey = RGB(255, 0, 255);

// The dialog's picture: no two neighbours alike, so a pixel put back in the
// wrong place shows.
COLORREF Picture(int x, int y) { return RGB((x * 37 + y * 11) & 0xFF, (x * 5 + y * 29) & 0xFF, (x ^ y) * 3 & 0xFF); }
// A 90 by 13 channel: a bar on rows 4 to 8, key colour above and below.
COLORREF Channel(int x, int y) { return y >= 4 && y <= 8 ? RGB(60 + x, 90, 200 - y) : kChannelKey; }
// A 12 by 13 thumb: a disc, key colour in the corners.
COLORREF Thumb(int x, int y)
{
    int dx = 2 * x - 11, dy = 2 * y - 12;
    return dx * dx + dy * dy <= 130 ? RGB(20 + y, 30 + x, 40) : kThumbKey;
}

using Posted = std::pair<UINT, LPARAM>; // message and position
Posted Track(int pos) { return { WM_SLIDER_TRACK, pos }; }
Posted Changed(int pos) { return { WM_SLIDER_POSCHANGED, pos }; }

class CProbe : public CBitmapSlider {
public:
    using CBitmapSlider::PixelToPos;
    using CBitmapSlider::PosToPixel;
};

class Sliders : public skintest::SkinTest {
protected:
    // The toolbar's zoom slider on a dialog with a picture, and a button to
    // take the focus.
    void Open(BOOL keyed = TRUE)
    {
        skintest::AddBitmap(IDB_PICTURE, 200, 60, Picture);
        skintest::AddBitmap(IDB_CHANNEL, 90, 13, Channel);
        skintest::AddBitmap(IDB_THUMB, 12, 13, Thumb);
        skintest::AddPopupTemplate(IDD_SLIDER, 100, 30,
            { { "STATIC", "", IDC_SLIDER, WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_BITMAP | SS_NOTIFY, 0, 10, 10, 20,
                  5 },
                { "BUTTON", "Next", IDC_NEXT, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 10, 20, 20, 8 } });
        keyedChannel = keyed;
        dlg = std::make_unique<skintest::CHostDlg>(IDD_SLIDER, IDC_SLIDER, slider, IDB_PICTURE, [this] {
            slider.SetChannelImage(IDB_CHANNEL, keyedChannel);
            slider.SetThumbImage(IDB_THUMB, TRUE);
            slider.SetRange(0, 400, FALSE);
            slider.SetMargins(1, 0, 0, 0);
        });
        ASSERT_TRUE(dlg->Create(IDD_SLIDER));
        dlg->MoveWindow(100, 100, 200, 60);
        driver.Pump();
        origin = ScreenRect(slider).TopLeft();
        dlg->posted.clear();
    }
    // A point in the slider's client coordinates, on the screen.
    POINT At(int x, int y = 6) const { return POINT { origin.x + x, origin.y + y }; }
    std::vector<Posted> TakePosted() { return std::exchange(dlg->posted, {}); }

    // The client pixels of the slider that differ from what it should show
    // (the thumb where not keyed, else the channel, else the dialog's
    // picture), once the focus and its rectangle have gone to the button.
    int Mismatches()
    {
        dlg->GetDlgItem(IDC_NEXT)->SetFocus();
        driver.Pump();
        int left = slider.PosToPixel(slider.GetPos()) - 6, wrong = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 90; ++x) {
                COLORREF want = x >= left && x < left + 12 && Thumb(x - left, y) != kThumbKey ? Thumb(x - left, y)
                    : !keyedChannel || Channel(x, y) != kChannelKey                           ? Channel(x, y)
                                                                    : Picture(origin.x - 100 + x, origin.y - 100 + y);
                wrong += driver.PixelAt(origin.x + x, origin.y + y) != want;
            }
        return wrong;
    }

    CProbe slider;
    std::unique_ptr<skintest::CHostDlg> dlg;
    BOOL keyedChannel = TRUE;
    CPoint origin;
};

TEST_F(Sliders, GeometryOfTheToolbarsZoomSlider)
{
    Open();
    auto& s = slider;
    EXPECT_EQ(ScreenRect(s).Size(), CSize(90, 13)) << "sized by the channel";
    for (auto [pos, pixel] : { std::pair { 0, 7 }, { 400, 84 }, { 100, 26 }, { 98, 25 }, { 200, 45 } })
        EXPECT_EQ(s.PosToPixel(pos), pixel) << "position " << pos;
    for (auto [pixel, pos] : { std::pair { 7, 0 }, { 84, 400 }, { 26, 98 }, { 27, 103 }, { 45, 197 } })
        EXPECT_EQ(s.PixelToPos(pixel), pos) << "pixel " << pixel;
    // Minimum, maximum, value set, position kept: the minimum wins when the
    // range is inverted.
    for (auto [min, max, value, result] :
        { std::tuple { 0, 400, 401, 400 }, { 0, 400, -1, 0 }, { 10, 600, 0, 10 }, { 50, 10, 30, 50 } }) {
        s.SetRange(min, max);
        s.SetPos(value);
        EXPECT_EQ(s.GetPos(), result) << min << " to " << max << ", set " << value;
    }
    EXPECT_TRUE(TakePosted().empty()) << "SetPos posts nothing";
    s.SetRange(5, 5); // an empty range keeps the thumb at the left end
    EXPECT_EQ(s.PosToPixel(5), 7);
    EXPECT_EQ(s.PixelToPos(60), 5);
}

// Mouse scenarios, each from the position given: a step moves the pointer
// to a client point, then presses ('P'), releases ('R') or does nothing
// more ('M'), and lists what the parent then gets.
TEST_F(Sliders, DragsReportThePositionsThePixelsReach)
{
    struct Step {
        char act;
        int x, y;
        std::vector<Posted> posted;
    };
    struct Scenario {
        const char* name;
        int start;
        std::vector<Step> steps;
    };
    const Scenario scenarios[] = {
        { "a press on the channel puts the thumb under the pointer", 0,
            { { 'P', 26, 6, { Track(98) } }, { 'M', 26, 2, {} }, { 'M', 26, 11, {} }, { 'M', 27, 11, { Track(103) } },
                { 'R', 27, 11, { Changed(103) } } } },
        { "a press on the thumb keeps its offset", 200,
            { { 'P', 48, 6, {} }, { 'M', 58, 6, { Track(249) } }, { 'M', 38, 6, { Track(145) } },
                { 'R', 38, 6, { Changed(145) } } } },
        { "dragging past the ends", 200,
            { { 'P', 45, 6, {} }, { 'M', -300, 40, { Track(0) } }, { 'M', 2, 6, {} }, { 'M', 500, -20, { Track(400) } },
                { 'R', 500, -20, { Changed(400) } } } },
        { "a release whose press began elsewhere", 0,
            { { 'P', 80, 30, {} }, { 'M', 40, 6, {} }, { 'R', 40, 6, { Changed(0) } } } },
    };
    Open();
    for (const auto& sc : scenarios) {
        SCOPED_TRACE(sc.name);
        slider.SetPos(sc.start);
        driver.Pump();
        TakePosted();
        for (const auto& step : sc.steps) {
            driver.MoveTo(At(step.x, step.y));
            if (step.act == 'P')
                driver.Press();
            if (step.act == 'R')
                driver.Release();
            EXPECT_EQ(TakePosted(), step.posted) << step.act << " at " << step.x << "," << step.y;
        }
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_EQ(Mismatches(), 0);
    }
}

TEST_F(Sliders, KeysMoveThePositionAndReportEveryTime)
{
    Open();
    slider.SetFocus();
    // The position after the key; -1: not a key of the slider's, nothing
    // happens (Enter and Escape do not reach the dialog either).
    const std::pair<UINT, int> keys[] = { { VK_END, 400 }, { VK_RIGHT, 400 }, { VK_HOME, 0 }, { VK_HOME, 0 },
        { VK_UP, 0 }, { VK_NEXT, 20 }, { VK_NEXT, 40 }, { VK_PRIOR, 20 }, { VK_RIGHT, 21 }, { VK_DOWN, 22 },
        { VK_LEFT, 21 }, { VK_UP, 20 }, { VK_RETURN, -1 }, { VK_ESCAPE, -1 }, { 'A', -1 } };
    int pos = 0;
    for (auto [vk, after] : keys) {
        driver.Key(vk);
        pos = after < 0 ? pos : after;
        EXPECT_EQ(TakePosted(), after < 0 ? std::vector<Posted> {} : std::vector { Changed(pos) }) << "key " << vk;
        EXPECT_EQ(slider.GetPos(), pos) << "key " << vk;
    }
    EXPECT_TRUE(dlg->IsWindowVisible());
    driver.Key(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), dlg->GetDlgItem(IDC_NEXT)) << "Tab is the dialog's";
    EXPECT_TRUE(TakePosted().empty());
}

// Many moves of a keyed thumb over a keyed channel, the focus rectangle
// coming and going, and a repaint of only part of the control: the dialog's
// picture around the thumb stays as it was. An opaque channel covers it.
TEST_F(Sliders, ThePictureAroundTheThumbStaysIntact)
{
    for (BOOL keyed : { TRUE, FALSE }) {
        SCOPED_TRACE(keyed ? "keyed channel" : "opaque channel");
        Open(keyed);
        EXPECT_EQ(Mismatches(), 0) << "first paint";
        driver.MoveTo(At(30));
        driver.Press();
        for (int x = 30; x < 90; x += 3)
            driver.MoveTo(At(x, 5 + x % 4));
        for (int x = 90; x > -10; x -= 7)
            driver.MoveTo(At(x));
        driver.Release();
        for (int i = 0; i < 12; ++i)
            driver.Key(i % 3 ? VK_NEXT : VK_LEFT);
        EXPECT_EQ(Mismatches(), 0);

        slider.SetFocus();
        slider.SetPos(150);
        driver.Pump();
        CRect part(0, 0, 40, 13); // the thumb spans x 29 to 40
        slider.InvalidateRect(&part);
        driver.Pump();
        slider.SetPos(300);
        EXPECT_EQ(Mismatches(), 0);
        dlg->DestroyWindow();
    }
}

} // namespace
