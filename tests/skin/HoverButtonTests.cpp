// The hover button on the in-memory screen: the picture it shows for each
// state of the mouse and of the check mark, its size from the strip, and its
// one tooltip tool.

#include "skin/HoverButton.h"
#include "tests/skin/SkinTestSupport.h"

namespace {

constexpr UINT IDD_BUTTONS = 9210;
constexpr UINT IDB_STRIP = 9211;
constexpr int IDC_HOVER = 1001;
constexpr COLORREF kNormal = RGB(200, 0, 0), kPressed = RGB(0, 180, 0), kHighlight = RGB(0, 0, 220);

class CProbe : public CHoverButton {
public:
    CToolTipCtrl& Tip() { return m_ToolTip; }
};

class HoverButtons : public skintest::SkinTest {
protected:
    void SetUp() override
    {
        // Three 8 by 6 pictures and two spare magenta columns that never
        // show (the face stays of one colour).
        skintest::AddBitmap(IDB_STRIP, 26, 6, [](int x, int) {
            return x < 8 ? kNormal : x < 16 ? kPressed : x < 24 ? kHighlight : RGB(255, 0, 255);
        });
        skintest::AddPopupTemplate(IDD_BUTTONS, 60, 30,
            { { "BUTTON", "", IDC_HOVER, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 10, 10, 30, 30 } });
        ASSERT_TRUE(dlg.Create(IDD_BUTTONS));
        dlg.MoveWindow(100, 100, 120, 60);
        driver.Pump();
        face = ScreenRect(button);
    }
    POINT Inside() const { return POINT { face.left + 3, face.top + 2 }; }
    POINT Outside() const { return POINT { face.right + 20, face.bottom + 10 }; }

    CProbe button;
    skintest::CHostDlg dlg { IDD_BUTTONS, IDC_HOVER, button, 0, [this] {
                                button.LoadStateStrip(IDB_STRIP);
                                button.SetTooltipText("Stift");
                            } };
    CRect face;
};

// Each step, then the face the whole button shows. The pointer rests for
// longer than the hover time only where a step says so.
TEST_F(HoverButtons, ShowsThePictureOfItsState)
{
    EXPECT_EQ(face.Size(), CSize(8, 6)) << "a third of the 26-pixel strip";
    auto rest = [&] { driver.Advance(20); };
    const std::tuple<const char*, std::function<void()>, COLORREF> steps[] = {
        { "at rest", [] {}, kNormal },
        { "pointer arrives", [&] { driver.MoveTo(Inside()); }, kNormal },
        { "pointer rests", rest, kHighlight },
        { "pointer leaves", [&] { driver.MoveTo(Outside()); }, kNormal },
        { "second visit",
            [&] {
                driver.MoveTo(Inside());
                rest();
            },
            kHighlight },
        { "pressed while highlighted",
            [&] {
                driver.Press();
                rest();
            },
            kPressed },
        { "released", [&] { driver.Release(); }, kHighlight },
        { "third visit",
            [&] {
                driver.MoveTo(Outside());
                driver.MoveTo(Inside());
                rest();
            },
            kHighlight },
        { "checked", [&] { button.SetChecked(TRUE); }, kPressed },
        { "checked, pointer away", [&] { driver.MoveTo(Outside()); }, kPressed },
        { "checked, resting on it",
            [&] {
                driver.MoveTo(Inside());
                rest();
            },
            kPressed },
        { "unchecked", [&] { button.SetChecked(FALSE); }, kHighlight },
    };
    for (const auto& [what, act, colour] : steps) {
        act();
        driver.Pump();
        EXPECT_EQ(UniformColour(face), colour) << what;
    }
}

TEST_F(HoverButtons, OneToolWhoseTextFollowsTheLatestCall)
{
    CToolTipCtrl& tip = button.Tip();
    button.SetTooltipText("Radierer");
    button.SetTooltipText(static_cast<const CString*>(nullptr));
    EXPECT_EQ(tip.GetToolCount(), 1);
    char text[32] = {};
    TOOLINFO ti { sizeof(TOOLINFO), 0, button.m_hWnd, 1, {}, nullptr, text, 0 };
    tip.SendMessage(TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "Radierer");
    ASSERT_TRUE(tip.SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(CRect(ti.rect), CRect(0, 0, 8, 6)) << "the resized button's client area";

    // The button relays the mouse to its tooltip, which shows once the
    // pointer has rested on the button.
    EXPECT_FALSE(tip.IsWindowVisible());
    driver.MoveTo(Inside());
    driver.Advance(1000);
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_FALSE(button.LoadStateStrip(9219)) << "no such bitmap";
}

} // namespace
