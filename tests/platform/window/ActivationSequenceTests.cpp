// Which window becomes active when the active one hides or goes, and what
// every window hears on the way, as whole ordered sequences; and the
// keyboard, which must keep working after a popup hides itself.

#include "tests/platform/window/SequenceLog.h"

#include <gtest/gtest.h>

namespace {

using test::Lines;
using test::MakeWindow;

class ActivationSequence : public ::testing::Test {
protected:
    headless::Driver driver;
    test::SequenceLog seq;
};

TEST_F(ActivationSequence, AHiddenPopupHandsActivationToItsOwnerBeforeAWindowAboveIt)
{
    HWND m = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 20, 310, 220 });
    HWND x = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 400, 20, 500, 120 });
    HWND p = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 150, 100 }, m);
    seq.Name(m, "M");
    seq.Name(x, "X");
    seq.Name(p, "P");
    seq.Take();
    ASSERT_EQ(GetActiveWindow(), p);
    ShowWindow(p, SW_HIDE);
    EXPECT_EQ(seq.Take(),
        (Lines { "P WM_SHOWWINDOW 0", "P WM_WINDOWPOSCHANGING hide", "P WM_WINDOWPOSCHANGED hide", "P WM_NCACTIVATE 0",
            "P WM_ACTIVATE 0 M", "M WM_NCACTIVATE 1", "M WM_ACTIVATE 1 P", "P WM_KILLFOCUS M", "M WM_SETFOCUS P" }));
    EXPECT_EQ(GetActiveWindow(), m);
    EXPECT_EQ(GetFocus(), m);
}

TEST_F(ActivationSequence, AnUnownedPopupHandsActivationToTheTopmostVisibleEnabledWindow)
{
    struct Row {
        const char* what;
        DWORD style;
        DWORD exStyle;
        bool takesIt;
    };
    const Row rows[] = {
        { "a plain popup", WS_POPUP | WS_VISIBLE, 0, true },
        { "a tool window", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, true },
        { "a disabled window", WS_POPUP | WS_VISIBLE | WS_DISABLED, 0, false },
        { "a hidden window", WS_POPUP, 0, false },
        { "a window that never activates", WS_POPUP | WS_VISIBLE, WS_EX_NOACTIVATE, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        HWND m = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 20, 310, 220 });
        HWND above = MakeWindow(row.style, row.exStyle, RECT { 400, 20, 500, 120 });
        HWND p = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 150, 100 });
        SetWindowPos(above, p, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ASSERT_EQ(GetWindow(p, GW_HWNDNEXT), above);
        ASSERT_EQ(GetActiveWindow(), p);
        ShowWindow(p, SW_HIDE);
        EXPECT_EQ(GetActiveWindow(), row.takesIt ? above : m);
        EXPECT_EQ(GetFocus(), row.takesIt ? above : m);
        DestroyWindow(p);
        DestroyWindow(above);
        DestroyWindow(m);
    }
}

TEST_F(ActivationSequence, HidingTheLastVisibleWindowDeactivatesTheProgramForEveryWindow)
{
    HWND h = MakeWindow(WS_POPUP, 0, RECT { 0, 0, 50, 50 });
    HWND q = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 150, 100 });
    seq.Name(h, "H");
    seq.Name(q, "Q");
    seq.Take();
    ShowWindow(q, SW_HIDE);
    EXPECT_EQ(seq.Take(),
        (Lines { "Q WM_SHOWWINDOW 0", "Q WM_WINDOWPOSCHANGING hide", "Q WM_WINDOWPOSCHANGED hide", "Q WM_NCACTIVATE 0",
            "Q WM_ACTIVATE 0 0", "Q WM_ACTIVATEAPP 0", "H WM_ACTIVATEAPP 0", "Q WM_KILLFOCUS 0" }));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);

    // Showing one again activates the program: every window hears it first.
    ShowWindow(h, SW_SHOW);
    EXPECT_EQ(seq.Take(),
        (Lines { "H WM_SHOWWINDOW 1", "H WM_WINDOWPOSCHANGING show", "H WM_ACTIVATEAPP 1", "Q WM_ACTIVATEAPP 1",
            "H WM_NCACTIVATE 1", "H WM_ACTIVATE 1 0", "H WM_SETFOCUS 0", "H WM_WINDOWPOSCHANGED show" }));
}

TEST_F(ActivationSequence, DestroyingTheActiveWindowActivatesTheNextBeforeWmDestroy)
{
    HWND m = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 20, 310, 220 });
    HWND p = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 150, 100 }, m);
    seq.Name(m, "M");
    seq.Name(p, "P");
    seq.Take();
    DestroyWindow(p);
    EXPECT_EQ(seq.Take(),
        (Lines { "P WM_WINDOWPOSCHANGING hide noactivate", "P WM_WINDOWPOSCHANGED hide noactivate", "P WM_NCACTIVATE 0",
            "P WM_ACTIVATE 0 M", "M WM_NCACTIVATE 1", "M WM_ACTIVATE 1 P", "P WM_KILLFOCUS M", "M WM_SETFOCUS P",
            "P WM_DESTROY", "P WM_NCDESTROY" }));
}

TEST_F(ActivationSequence, AnOwnerHidesFirstThenItsActivePopupGoesAndActivationMovesOnBeforeTheOwnersWmDestroy)
{
    HWND m = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 20, 310, 220 });
    HWND c = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 5, 5, 25, 25 }, m);
    HWND o = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 400, 50, 500, 100 });
    HWND p = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 150, 100 }, m);
    seq.Name(m, "M");
    seq.Name(c, "C");
    seq.Name(o, "O");
    seq.Name(p, "P");
    seq.Take();
    DestroyWindow(m);
    EXPECT_EQ(seq.Take(),
        (Lines { "M WM_WINDOWPOSCHANGING hide noactivate", "M WM_WINDOWPOSCHANGED hide noactivate",
            "P WM_WINDOWPOSCHANGING hide noactivate", "P WM_WINDOWPOSCHANGED hide noactivate", "P WM_NCACTIVATE 0",
            "P WM_ACTIVATE 0 O", "O WM_NCACTIVATE 1", "O WM_ACTIVATE 1 P", "P WM_KILLFOCUS O", "O WM_SETFOCUS P",
            "P WM_DESTROY", "P WM_NCDESTROY", "M WM_DESTROY", "C WM_DESTROY", "C WM_NCDESTROY", "M WM_NCDESTROY" }));
    EXPECT_EQ(GetActiveWindow(), o);
}

TEST_F(ActivationSequence, TheKeyboardKeepsWorkingAfterAPopupHidesItself)
{
    HWND m = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 20, 310, 220 });
    HWND p = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 150, 100 }, m);
    // The popup closes itself on Escape, as a chooser does.
    test::SetHandler(p, [](HWND hwnd, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
            ShowWindow(hwnd, SW_HIDE);
            return 0;
        }
        return std::nullopt;
    });
    driver.Key(VK_ESCAPE);
    ASSERT_FALSE(IsWindowVisible(p));
    test::Log().Clear();
    driver.Key('A');
    EXPECT_EQ(test::Log().Count(m, WM_KEYDOWN), 1) << "the owner has the keyboard now";
    EXPECT_EQ(test::Log().Count(p, WM_KEYDOWN), 0);
}

TEST_F(ActivationSequence, SetWindowPosHidingLeavesActivationWhereItIsForTheCallerToMove)
{
    // A modal dialog's end hides it this way and then activates its owner
    // itself; nothing else may step in between.
    HWND m = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 20, 310, 220 });
    HWND x = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 400, 20, 500, 120 });
    HWND d = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 150, 100 }, m);
    seq.Name(m, "M");
    seq.Name(x, "X");
    seq.Name(d, "D");
    seq.Take();
    SetWindowPos(d, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(GetActiveWindow(), d);
    // Activation raises the window without position messages.
    SetActiveWindow(m);
    EXPECT_EQ(GetWindow(m, GW_HWNDNEXT), x);
    EXPECT_EQ(seq.Take(),
        (Lines { "D WM_WINDOWPOSCHANGING hide noactivate", "D WM_WINDOWPOSCHANGED hide noactivate", "D WM_NCACTIVATE 0",
            "D WM_ACTIVATE 0 M", "M WM_NCACTIVATE 1", "M WM_ACTIVATE 1 D", "D WM_KILLFOCUS M", "M WM_SETFOCUS D" }));
}

} // namespace
