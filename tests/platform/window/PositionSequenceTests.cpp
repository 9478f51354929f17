// SetWindowPos and ShowWindow as whole ordered message sequences: each row
// makes one call on a fresh pair of windows and lists every message it
// causes (painting aside, which follows when messages run).

#include "tests/platform/window/SequenceLog.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using test::Lines;
using test::MakeWindow;

struct Row {
    const char* what;
    std::function<void(HWND a, HWND b)> call;
    Lines expected;
    bool aActiveAfter;
};

// A and B are visible popups, B (the later one) active; A has a child C.
class PositionSequence : public ::testing::Test {
protected:
    headless::Driver driver;
    test::SequenceLog seq;
    HWND a = nullptr, b = nullptr, c = nullptr;

    void SetUp() override
    {
        a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 20, 110, 70 });
        c = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 5, 5, 25, 25 }, a, RGB(0, 0, 255));
        b = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 300, 20, 400, 70 });
        seq.Name(a, "A");
        seq.Name(b, "B");
        seq.Name(c, "C");
        driver.Pump();
        seq.Take();
    }

    void Run(const std::vector<Row>& rows)
    {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.what);
            TearDown();
            SetUp();
            row.call(a, b);
            EXPECT_EQ(seq.Take(), row.expected);
            EXPECT_EQ(GetActiveWindow() == a, row.aActiveAfter);
        }
    }

    void TearDown() override
    {
        DestroyWindow(a);
        DestroyWindow(b);
    }
};

TEST_F(PositionSequence, SetWindowPos)
{
    const UINT quiet = SWP_NOZORDER | SWP_NOACTIVATE;
    Run({
        { "a move", [](HWND first, HWND) { SetWindowPos(first, nullptr, 15, 25, 0, 0, SWP_NOSIZE | quiet); },
            { "A WM_WINDOWPOSCHANGING noactivate", "A WM_WINDOWPOSCHANGED noactivate", "A WM_MOVE 15,25" }, false },
        { "a resize", [](HWND first, HWND) { SetWindowPos(first, nullptr, 0, 0, 120, 60, SWP_NOMOVE | quiet); },
            { "A WM_WINDOWPOSCHANGING noactivate", "A WM_NCCALCSIZE 1", "A WM_WINDOWPOSCHANGED noactivate",
                "A WM_SIZE 120,60" },
            false },
        { "MoveWindow, both", [](HWND first, HWND) { MoveWindow(first, 0, 0, 90, 40, TRUE); },
            { "A WM_WINDOWPOSCHANGING noactivate", "A WM_NCCALCSIZE 1", "A WM_WINDOWPOSCHANGED noactivate",
                "A WM_MOVE 0,0", "A WM_SIZE 90,40" },
            false },
        { "the same place: nothing changes, nothing follows",
            [](HWND first, HWND) { SetWindowPos(first, nullptr, 10, 20, 100, 50, quiet); },
            { "A WM_WINDOWPOSCHANGING noactivate" }, false },
        { "a new frame",
            [](HWND first, HWND) {
                SetWindowPos(first, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | quiet | SWP_FRAMECHANGED);
            },
            { "A WM_WINDOWPOSCHANGING noactivate", "A WM_NCCALCSIZE 1", "A WM_WINDOWPOSCHANGED noactivate" }, false },
        { "to the top: activated between the two",
            [](HWND first, HWND) { SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); },
            { "A WM_WINDOWPOSCHANGING", "B WM_NCACTIVATE 0", "B WM_ACTIVATE 0 A", "A WM_NCACTIVATE 1",
                "A WM_ACTIVATE 1 B", "B WM_KILLFOCUS A", "A WM_SETFOCUS B", "A WM_WINDOWPOSCHANGED" },
            true },
        { "to the top without activation",
            [](HWND first, HWND) {
                SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            },
            { "A WM_WINDOWPOSCHANGING noactivate", "A WM_WINDOWPOSCHANGED noactivate" }, false },
        { "hiding the active window keeps it active",
            [](HWND, HWND second) {
                SetWindowPos(second, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
            },
            { "B WM_WINDOWPOSCHANGING hide", "B WM_WINDOWPOSCHANGED hide" }, false },
    });
}

TEST_F(PositionSequence, SetWindowPosOnAChild)
{
    Run({
        { "moved",
            [this](HWND, HWND) { SetWindowPos(c, nullptr, 7, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); },
            { "C WM_WINDOWPOSCHANGING noactivate", "C WM_WINDOWPOSCHANGED noactivate", "C WM_MOVE 7,8" }, false },
        { "moved and sized", [this](HWND, HWND) { SetWindowPos(c, nullptr, 8, 9, 30, 30, SWP_NOZORDER); },
            { "C WM_WINDOWPOSCHANGING", "C WM_NCCALCSIZE 1", "C WM_WINDOWPOSCHANGED", "C WM_MOVE 8,9",
                "C WM_SIZE 30,30" },
            false },
    });
}

TEST_F(PositionSequence, ShowWindow)
{
    Run({
        { "showing what is shown", [](HWND first, HWND) { ShowWindow(first, SW_SHOW); }, {}, false },
        { "hiding an inactive window", [](HWND first, HWND) { ShowWindow(first, SW_HIDE); },
            { "A WM_SHOWWINDOW 0", "A WM_WINDOWPOSCHANGING hide", "A WM_WINDOWPOSCHANGED hide" }, false },
        { "hiding the active window hands activation on", [](HWND, HWND second) { ShowWindow(second, SW_HIDE); },
            { "B WM_SHOWWINDOW 0", "B WM_WINDOWPOSCHANGING hide", "B WM_WINDOWPOSCHANGED hide", "B WM_NCACTIVATE 0",
                "B WM_ACTIVATE 0 A", "A WM_NCACTIVATE 1", "A WM_ACTIVATE 1 B", "B WM_KILLFOCUS A", "A WM_SETFOCUS B" },
            true },
        { "shown again, activated inside the position change",
            [](HWND first, HWND) {
                ShowWindow(first, SW_HIDE);
                test::Log().Clear();
                ShowWindow(first, SW_SHOW);
            },
            { "A WM_SHOWWINDOW 1", "A WM_WINDOWPOSCHANGING show", "B WM_NCACTIVATE 0", "B WM_ACTIVATE 0 A",
                "A WM_NCACTIVATE 1", "A WM_ACTIVATE 1 B", "B WM_KILLFOCUS A", "A WM_SETFOCUS B",
                "A WM_WINDOWPOSCHANGED show" },
            true },
        { "shown without activation",
            [](HWND first, HWND) {
                ShowWindow(first, SW_HIDE);
                test::Log().Clear();
                ShowWindow(first, SW_SHOWNA);
            },
            { "A WM_SHOWWINDOW 1", "A WM_WINDOWPOSCHANGING show noactivate", "A WM_WINDOWPOSCHANGED show noactivate" },
            false },
        { "a child hidden", [this](HWND, HWND) { ShowWindow(c, SW_HIDE); },
            { "C WM_SHOWWINDOW 0", "C WM_WINDOWPOSCHANGING hide noactivate", "C WM_WINDOWPOSCHANGED hide noactivate" },
            false },
        { "a child shown is never activated",
            [this](HWND, HWND) {
                ShowWindow(c, SW_HIDE);
                test::Log().Clear();
                ShowWindow(c, SW_SHOW);
            },
            { "C WM_SHOWWINDOW 1", "C WM_WINDOWPOSCHANGING show noactivate", "C WM_WINDOWPOSCHANGED show noactivate" },
            false },
    });
}

TEST_F(PositionSequence, ShowingAChildPaintsTheChildAndHidingItPaintsTheParent)
{
    ShowWindow(c, SW_HIDE);
    driver.Pump();
    test::Log().Clear();

    ShowWindow(c, SW_SHOW);
    driver.Pump();
    EXPECT_EQ(test::Log().Count(a, WM_PAINT), 0) << "the child covers what it shows";
    EXPECT_EQ(test::Log().Count(c, WM_PAINT), 1);
    EXPECT_EQ(driver.PixelAt(20, 30), RGB(0, 0, 255));

    test::Log().Clear();
    ShowWindow(c, SW_HIDE);
    driver.Pump();
    EXPECT_EQ(test::Log().Count(a, WM_PAINT), 1) << "what the child uncovers is the parent's again";
    EXPECT_EQ(test::Log().Count(c, WM_PAINT), 0);
    EXPECT_EQ(driver.PixelAt(20, 30), RGB(200, 200, 200));
}

TEST_F(PositionSequence, ARestoredWindowIsShownAndPaintedAgain)
{
    ShowWindow(a, SW_MINIMIZE);
    driver.Pump();
    EXPECT_FALSE(driver.screen().IsShown(a));
    EXPECT_EQ(GetActiveWindow(), b);
    test::Log().Clear();
    ShowWindow(a, SW_RESTORE);
    driver.Pump();
    EXPECT_TRUE(driver.screen().IsShown(a));
    EXPECT_EQ(test::Log().Count(a, WM_PAINT), 1);
    EXPECT_EQ(driver.PixelAt(12, 22), RGB(200, 200, 200));
}

} // namespace
