// Buttons: what an owner-drawn button's parent is asked to draw through a
// press, BN_CLICKED only for a release over the button, the keyboard and
// the button messages, and the flat look of a push button.

#include "platform/window/ControlPainting.h"
#include "tests/platform/window/ControlTestSupport.h"

#include <optional>
#include <vector>

namespace {

using test::Log;
using test::SetHandler;
using namespace ws::ctl;

class Button : public test::ControlTest {
protected:
    std::vector<DRAWITEMSTRUCT> drawn;

    // The parent copies every DRAWITEMSTRUCT (the pointer dies with the call).
    void RecordDrawItems()
    {
        SetHandler(parent, [this](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
            if (m == WM_DRAWITEM) {
                drawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
                return TRUE;
            }
            return std::nullopt;
        });
    }
};

struct Drawn {
    UINT action;
    UINT state;
    bool operator==(const Drawn& o) const { return action == o.action && state == o.state; }
};

std::ostream& operator<<(std::ostream& os, const Drawn& d)
{
    return os << "{action " << d.action << ", state " << d.state << "}";
}

TEST_F(Button, AnOwnerDrawnButtonsParentDrawsEveryStateOfAPress)
{
    RecordDrawItems();
    HWND b = Make(WC_BUTTON, "PEN", BS_OWNERDRAW, RECT { 10, 10, 60, 40 }, 1001);
    ASSERT_FALSE(drawn.empty()) << "the first paint asks for the whole button";
    EXPECT_EQ(drawn.back().itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(drawn.back().CtlType, ODT_BUTTON);
    EXPECT_EQ(drawn.back().CtlID, 1001u);
    EXPECT_EQ(drawn.back().hwndItem, b);
    EXPECT_EQ(drawn.back().rcItem, (RECT { 0, 0, 50, 30 }));

    drawn.clear();
    driver.MoveTo(Centre(b));
    driver.Press();
    std::vector<Drawn> press;
    for (const auto& d : drawn)
        press.push_back(Drawn { d.itemAction, d.itemState });
    std::vector<Drawn> expectedPress = { { ODA_FOCUS, ODS_FOCUS }, { ODA_SELECT, ODS_SELECTED | ODS_FOCUS } };
    EXPECT_EQ(press, expectedPress) << "the press takes the focus, then shows the button down";

    const struct {
        POINT to;
        std::vector<Drawn> expected;
        const char* what;
    } steps[] = {
        { At(b, 100, 15), { { ODA_SELECT, ODS_FOCUS } }, "moving out lets the button up" },
        { At(b, 120, 15), {}, "moving further out changes nothing" },
        { At(b, 25, 15), { { ODA_SELECT, ODS_SELECTED | ODS_FOCUS } }, "moving back pushes it down again" },
        { At(b, 30, 20), {}, "moving within it changes nothing" },
    };
    for (const auto& step : steps) {
        drawn.clear();
        driver.MoveTo(step.to);
        std::vector<Drawn> got;
        for (const auto& d : drawn)
            got.push_back(Drawn { d.itemAction, d.itemState });
        EXPECT_EQ(got, step.expected) << step.what;
    }
    drawn.clear();
    Log().Clear();
    driver.Release();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ((Drawn { drawn[0].itemAction, drawn[0].itemState }), (Drawn { ODA_SELECT, ODS_FOCUS }));
    EXPECT_EQ(Notifications(1001), (std::vector<WORD> { BN_CLICKED }));

    drawn.clear();
    EnableWindow(b, FALSE);
    InvalidateRect(b, nullptr, TRUE);
    driver.Pump();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().itemState & ODS_DISABLED, ODS_DISABLED);
}

TEST_F(Button, ClickedOnlyWhenTheReleaseIsOverTheButton)
{
    HWND b = Make(WC_BUTTON, "OK", BS_PUSHBUTTON, RECT { 10, 10, 90, 40 }, 5);
    const struct {
        POINT press, release;
        std::size_t clicks;
        const char* what;
    } cases[] = {
        { At(b, 40, 15), At(b, 45, 20), 1, "press and release over the button" },
        { At(b, 40, 15), At(b, 200, 20), 0, "released outside" },
        { At(b, 40, 15), At(b, -1, 15), 0, "released one pixel off the left edge" },
        { At(b, 40, 15), At(b, 79, 29), 1, "released on the last pixel" },
        { At(b, 200, 15), At(b, 40, 15), 0, "pressed outside, released over it" },
    };
    for (const auto& c : cases) {
        Log().Clear();
        driver.MoveTo(c.press);
        driver.Press();
        driver.MoveTo(c.release);
        driver.Release();
        EXPECT_EQ(Notifications(5).size(), c.clicks) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
        EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << c.what;
    }
}

TEST_F(Button, KeyboardAndButtonMessages)
{
    HWND b = Make(WC_BUTTON, "OK", BS_PUSHBUTTON, RECT { 10, 10, 90, 40 }, 5);
    SetFocus(b);
    driver.KeyDown(VK_SPACE);
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0), static_cast<LRESULT>(BST_PUSHED | BST_FOCUS));
    EXPECT_TRUE(Notifications(5).empty()) << "Space clicks when it comes up";
    driver.KeyUp(VK_SPACE);
    EXPECT_EQ(Notifications(5), (std::vector<WORD> { BN_CLICKED }));

    Log().Clear();
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, static_cast<LRESULT>(BST_PUSHED));
    SendMessage(b, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_TRUE(Notifications(5).empty()) << "showing the state is not a click";
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(Notifications(5), (std::vector<WORD> { BN_CLICKED }));
    EnableWindow(b, FALSE);
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(Notifications(5).size(), 1u) << "a disabled button does not click";

    const struct {
        DWORD style;
        LRESULT code;
    } codes[] = {
        { BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON },
        { BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON },
        { BS_OWNERDRAW, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON },
        { BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON },
    };
    for (const auto& c : codes) {
        SendMessage(b, BM_SETSTYLE, c.style, FALSE);
        EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), c.code) << "style " << c.style;
        EXPECT_EQ(GetWindowLongPtr(b, GWL_STYLE) & (WS_CHILD | WS_VISIBLE),
            static_cast<LONG_PTR>(WS_CHILD | WS_VISIBLE))
            << "BM_SETSTYLE keeps the window styles";
    }
}

TEST_F(Button, APushButtonIsFlatAndLooksPressedWhileHeld)
{
    HWND b = Make(WC_BUTTON, "", BS_PUSHBUTTON, RECT { 10, 10, 90, 40 }, 5);
    POINT corner = At(b, 0, 0);
    POINT inside = At(b, 5, 5);
    EXPECT_EQ(driver.PixelAt(corner.x, corner.y), kBorderColour);
    EXPECT_EQ(driver.PixelAt(inside.x, inside.y), kFaceColour);
    driver.MoveTo(Centre(b));
    driver.Press();
    EXPECT_EQ(driver.PixelAt(corner.x, corner.y), kPressedBorderColour);
    EXPECT_EQ(driver.PixelAt(inside.x, inside.y), kPressedFaceColour);
    driver.Release();
    EXPECT_EQ(driver.PixelAt(inside.x, inside.y), kFaceColour);
    EXPECT_EQ(driver.PixelAt(corner.x, corner.y), kHighlightColour) << "the focused button's border is blue";

    HWND def = Make(WC_BUTTON, "", BS_DEFPUSHBUTTON, RECT { 100, 10, 180, 40 }, 6);
    POINT defCorner = At(def, 0, 0);
    EXPECT_EQ(driver.PixelAt(defCorner.x, defCorner.y), kHighlightColour) << "so is the default button's";
}

} // namespace
