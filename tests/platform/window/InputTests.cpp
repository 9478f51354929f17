// Mouse input: hit-testing through shapes and stacking, the capture, hover
// and leave tracking, and moving a window by its caption.

#include "tests/platform/window/WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

using test::Log;
using test::MakeWindow;
using test::SetHandler;

class Input : public ::testing::Test {
protected:
    headless::Driver driver;
    void SetUp() override { Log().Clear(); }
};

POINT ClientPoint(LPARAM lp) { return POINT { GET_X_LPARAM(lp), GET_Y_LPARAM(lp) }; }

TEST_F(Input, ACapturedDragDeliversMovesAndTheReleaseOutsideTheWindow)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 300, 250 });
    SetHandler(w, [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_LBUTTONDOWN)
            SetCapture(h);
        if (m == WM_LBUTTONUP)
            ReleaseCapture();
        return std::nullopt;
    });
    driver.Pump();
    driver.MoveTo(150, 150);
    driver.Press();
    EXPECT_EQ(GetCapture(), w);
    driver.MoveTo(500, 400);
    const test::Logged* move = Log().Last(w, WM_MOUSEMOVE);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(ClientPoint(move->lParam), (POINT { 400, 300 })) << "client coordinates, outside the window";
    EXPECT_EQ(move->wParam & MK_LBUTTON, MK_LBUTTON);
    driver.Release();
    ASSERT_NE(Log().Last(w, WM_LBUTTONUP), nullptr);
    EXPECT_EQ(ClientPoint(Log().Last(w, WM_LBUTTONUP)->lParam), (POINT { 400, 300 }));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Log().Count(w, WM_CAPTURECHANGED), 1) << "releasing tells the window";
}

TEST_F(Input, TheWindowThatLosesTheCaptureIsTold)
{
    HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 50, 50 });
    HWND b = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 60, 0, 110, 50 });
    SetCapture(a);
    Log().Clear();
    EXPECT_EQ(SetCapture(b), a);
    ASSERT_EQ(Log().Count(a, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(reinterpret_cast<HWND>(Log().Last(a, WM_CAPTURECHANGED)->lParam), b);
    EXPECT_EQ(Log().Count(b, WM_CAPTURECHANGED), 0);
    ReleaseCapture();
}

TEST_F(Input, HoverAfterTheHoverTimeAndLeaveOncePerVisit)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 200, 200 });
    bool tracking = false;
    SetHandler(w, [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_MOUSEMOVE && !tracking) {
            TRACKMOUSEEVENT tme { sizeof tme, TME_HOVER | TME_LEAVE, h, 300 };
            TrackMouseEvent(&tme);
            tracking = true;
        }
        if (m == WM_MOUSELEAVE)
            tracking = false;
        return std::nullopt;
    });
    driver.Pump();
    driver.MoveTo(150, 150);
    driver.Advance(299);
    EXPECT_EQ(Log().Count(w, WM_MOUSEHOVER), 0);
    driver.Advance(1);
    ASSERT_EQ(Log().Count(w, WM_MOUSEHOVER), 1);
    EXPECT_EQ(ClientPoint(Log().Last(w, WM_MOUSEHOVER)->lParam), (POINT { 50, 50 }));
    driver.Advance(1000);
    EXPECT_EQ(Log().Count(w, WM_MOUSEHOVER), 1) << "hover is reported once per request";

    driver.MoveTo(250, 150);
    driver.MoveTo(260, 150);
    EXPECT_EQ(Log().Count(w, WM_MOUSELEAVE), 1) << "leave once on exit";
    driver.MoveTo(150, 150);
    driver.MoveTo(300, 300);
    EXPECT_EQ(Log().Count(w, WM_MOUSELEAVE), 2) << "and again after the next visit";
}

TEST_F(Input, MovingWithinTheHoverRectangleKeepsTheWaitGoing)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 200, 200 });
    driver.MoveTo(50, 50);
    TRACKMOUSEEVENT tme { sizeof tme, TME_HOVER, w, 100 };
    ASSERT_TRUE(TrackMouseEvent(&tme));
    driver.Advance(60);
    driver.MoveTo(51, 50); // within the hover rectangle: the wait goes on
    driver.Advance(40);
    EXPECT_EQ(Log().Count(w, WM_MOUSEHOVER), 1);
    TrackMouseEvent(&tme);
    driver.Advance(60);
    driver.MoveTo(80, 50); // out of it: the wait starts again
    driver.Advance(60);
    EXPECT_EQ(Log().Count(w, WM_MOUSEHOVER), 1);
    driver.Advance(40);
    EXPECT_EQ(Log().Count(w, WM_MOUSEHOVER), 2);
}

TEST_F(Input, AShapedWindowsCutOutPassesTheClickToTheWindowBelow)
{
    HWND below = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 300, 300 }, nullptr, RGB(0, 0, 255));
    // Top-most, so that activating the lower window does not cover it.
    HWND above = MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, RECT { 100, 100, 300, 300 }, nullptr, RGB(255, 0, 0));
    // Only the left half of the upper window remains.
    SetWindowRgn(above, CreateRectRgn(0, 0, 100, 200), TRUE);
    driver.Pump();
    driver.Click(250, 150);
    EXPECT_EQ(Log().Count(below, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(Log().Count(above, WM_LBUTTONDOWN), 0);
    driver.Click(150, 150);
    EXPECT_EQ(Log().Count(above, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(driver.PixelAt(250, 150), RGB(0, 0, 255)) << "the cut-out shows what lies below";
    EXPECT_EQ(driver.PixelAt(150, 150), RGB(255, 0, 0));
}

TEST_F(Input, APressOnTheCaptionMovesTheWindowWithThePointer)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 200, 200 });
    // Press anywhere and ask for a caption drag, as skinned dialogs do.
    SetHandler(w, [](HWND h, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_LBUTTONDOWN)
            PostMessage(h, WM_NCLBUTTONDOWN, HTCAPTION, lp);
        return std::nullopt;
    });
    driver.Pump();
    driver.MoveTo(120, 130);
    driver.Press();
    driver.MoveTo(220, 180);
    driver.MoveTo(320, 230);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);
    driver.Release();
    driver.MoveTo(400, 400);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 300) << "the drag ends with the release";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, ADragRequestAfterTheReleaseDoesNothing)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 200, 200 });
    driver.MoveTo(120, 130);
    driver.Press();
    driver.Release();
    PostMessage(w, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    driver.Pump();
    driver.MoveTo(300, 300);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
}

TEST_F(Input, ADisabledWindowTakesNoClicks)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE | WS_DISABLED, 0, RECT { 0, 0, 100, 100 });
    driver.Click(50, 50);
    EXPECT_EQ(Log().Count(w, WM_LBUTTONDOWN), 0);
}

TEST_F(Input, AWindowWithoutAClassCursorKeepsTheCursorItSet)
{
    // The test window's class has no cursor, like a drawing surface that
    // chooses its own as the mouse moves.
    MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 100, 100 });
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    driver.MoveTo(50, 50);
    SetCursor(cross);
    driver.MoveTo(60, 60);
    driver.Press();
    driver.Release();
    EXPECT_EQ(GetCursor(), cross) << "no move or press brings the arrow back";
}

} // namespace
