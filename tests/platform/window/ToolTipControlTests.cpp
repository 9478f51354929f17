// Tooltips: the tip shows after the initial delay with the pointer resting
// on a tool (not before), hides when the pointer leaves, at a press and
// after the auto-pop time, changes its text in place, hands over to the
// next tool after the reshow delay, and stays on the screen.

#include "platform/window/ControlPainting.h"
#include "tests/platform/window/ControlTestSupport.h"

#include <optional>
#include <string>

namespace {

using test::SetHandler;

class ToolTip : public test::ControlTest {
public:
    HWND tip = nullptr;

    void SetUp() override
    {
        ControlTest::SetUp();
        tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr);
        // The holder relays its mouse messages, as a program's message
        // filter does.
        SetHandler(parent, [this](HWND h, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
            if (m == WM_MOUSEMOVE || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP) {
                MSG msg { h, m, wp, lp, 0, { 0, 0 } };
                SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
            }
            return std::nullopt;
        });
    }

    void AddTool(UINT_PTR id, RECT r, const char* text)
    {
        TOOLINFO ti {};
        ti.cbSize = sizeof ti;
        ti.hwnd = parent;
        ti.uId = id;
        ti.rect = r;
        ti.lpszText = text;
        ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    }

    std::string TipText(UINT_PTR id)
    {
        char buffer[64] = {};
        TOOLINFO ti {};
        ti.cbSize = sizeof ti;
        ti.hwnd = parent;
        ti.uId = id;
        ti.lpszText = buffer;
        SendMessage(tip, TTM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
        return buffer;
    }

    bool Shown() { return IsWindowVisible(tip) != FALSE; }
    POINT InParent(int x, int y) { return At(parent, x, y); }
};

TEST_F(ToolTip, TheTipShowsAfterTheInitialDelayAndGoesWhenThePointerLeaves)
{
    AddTool(1, RECT { 10, 10, 60, 40 }, "画笔");
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    driver.MoveTo(InParent(20, 20));
    driver.Advance(499);
    EXPECT_FALSE(Shown()) << "not before the initial delay";
    driver.Advance(1);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(GetWindowLongPtr(tip, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_NOACTIVATE),
        WS_EX_TOPMOST | WS_EX_NOACTIVATE);
    EXPECT_NE(GetActiveWindow(), tip);
    RECT r;
    GetWindowRect(tip, &r);
    POINT cursor = driver.Cursor();
    EXPECT_GT(r.left, cursor.x - 1) << "to the right of the pointer";
    EXPECT_GT(r.top, cursor.y) << "and below it";
    EXPECT_EQ(driver.PixelAt(r.left, r.top), ws::ctl::kTipBorderColour);
    EXPECT_EQ(driver.PixelAt(r.left + 2, r.top + 2), ws::ctl::kTipColour);

    driver.MoveTo(InParent(25, 22));
    EXPECT_TRUE(Shown()) << "moving within the tool keeps it";
    driver.MoveTo(InParent(200, 200));
    EXPECT_FALSE(Shown()) << "leaving the tool hides it";
}

TEST_F(ToolTip, NewTextShowsInPlace)
{
    AddTool(1, RECT { 10, 10, 60, 40 }, "short");
    driver.MoveTo(InParent(20, 20));
    driver.Advance(500);
    ASSERT_TRUE(Shown());
    RECT before;
    GetWindowRect(tip, &before);
    TOOLINFO ti {};
    ti.cbSize = sizeof ti;
    ti.hwnd = parent;
    ti.uId = 1;
    ti.lpszText = "a much longer text";
    SendMessage(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(TipText(1), "a much longer text");
    EXPECT_TRUE(Shown()) << "the tip stays up";
    RECT after;
    GetWindowRect(tip, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_GT(after.right, before.right) << "and grows to the new text";
}

TEST_F(ToolTip, APressOrTheAutoPopTimeHidesItUntilThePointerLeaves)
{
    AddTool(1, RECT { 10, 10, 60, 40 }, "tip");
    driver.MoveTo(InParent(20, 20));
    driver.Advance(500);
    ASSERT_TRUE(Shown());
    driver.Press();
    driver.Release();
    EXPECT_FALSE(Shown());
    driver.MoveTo(InParent(22, 22));
    driver.Advance(2000);
    EXPECT_FALSE(Shown()) << "not again over the same tool";

    driver.MoveTo(InParent(200, 200));
    driver.MoveTo(InParent(20, 20));
    driver.Advance(1000);
    ASSERT_TRUE(Shown()) << "back after leaving and coming back";
    driver.Advance(4999 - 500);
    EXPECT_TRUE(Shown());
    driver.Advance(1);
    EXPECT_FALSE(Shown()) << "auto-pop after five seconds";
    driver.Advance(6000);
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTip, MovingToAnotherToolShowsItsTipAfterTheReshowDelay)
{
    AddTool(1, RECT { 10, 10, 60, 40 }, "one");
    AddTool(2, RECT { 70, 10, 120, 40 }, "two");
    driver.MoveTo(InParent(20, 20));
    driver.Advance(500);
    ASSERT_TRUE(Shown());
    driver.MoveTo(InParent(80, 20));
    EXPECT_FALSE(Shown());
    driver.Advance(99);
    EXPECT_FALSE(Shown());
    driver.Advance(1);
    EXPECT_TRUE(Shown()) << "the reshow delay, not the initial one";

    TOOLINFO ti {};
    ti.cbSize = sizeof ti;
    ti.hwnd = parent;
    ti.uId = 2;
    SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(Shown()) << "deleting the tool takes its tip away";
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(ToolTip, DelaysAreSetAndTheTipStaysOnTheScreen)
{
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(200, 0));
    // A tool in the parent's bottom-right corner, moved to the screen's.
    MoveWindow(parent, 1366 - 100, 768 - 60, 100, 60, TRUE);
    AddTool(1, RECT { 0, 0, 100, 60 }, "a tip too wide for the space left");
    driver.MoveTo(InParent(95, 55));
    driver.Advance(200);
    ASSERT_TRUE(Shown());
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_LE(r.right, 1366);
    EXPECT_LE(r.bottom, 768);
    EXPECT_LT(r.bottom, driver.Cursor().y + 1) << "no room below: above the pointer";
    SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
    EXPECT_FALSE(Shown()) << "deactivating hides it";
}

} // namespace
