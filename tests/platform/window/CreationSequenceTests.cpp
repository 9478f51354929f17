// What a window and its parent hear while it is created and destroyed, as
// whole ordered sequences: the size and place right after WM_CREATE (at the
// first show for an overlapped window), WM_PARENTNOTIFY both ways, and a
// child that hides before it goes.

#include "tests/platform/window/SequenceLog.h"

#include <gtest/gtest.h>

namespace {

using test::Lines;
using test::MakeWindow;

class CreationSequence : public ::testing::Test {
protected:
    headless::Driver driver;
    test::SequenceLog seq;
};

TEST_F(CreationSequence, APopupHearsItsSizeAndPlaceRightAfterWmCreate)
{
    HWND a = MakeWindow(WS_POPUP, 0, RECT { 10, 20, 110, 70 });
    seq.Name(a, "A");
    EXPECT_EQ(seq.Take(),
        (Lines { "A WM_NCCREATE", "A WM_NCCALCSIZE 0", "A WM_CREATE", "A WM_SIZE 100,50", "A WM_MOVE 10,20" }));
}

TEST_F(CreationSequence, AVisiblePopupIsShownAndActivatedBeforeCreateWindowReturns)
{
    HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 20, 110, 70 });
    seq.Name(a, "A");
    EXPECT_EQ(seq.Take(),
        (Lines { "A WM_NCCREATE", "A WM_NCCALCSIZE 0", "A WM_CREATE", "A WM_SIZE 100,50", "A WM_MOVE 10,20",
            "A WM_SHOWWINDOW 1", "A WM_WINDOWPOSCHANGING show", "A WM_ACTIVATEAPP 1", "A WM_NCACTIVATE 1",
            "A WM_ACTIVATE 1 0", "A WM_SETFOCUS 0", "A WM_WINDOWPOSCHANGED show" }));
}

TEST_F(CreationSequence, AnOverlappedWindowHearsItsSizeAndPlaceAtItsFirstShowOnly)
{
    HWND m = MakeWindow(WS_OVERLAPPEDWINDOW, 0, RECT { 10, 20, 310, 220 });
    seq.Name(m, "M");
    EXPECT_EQ(seq.Take(), (Lines { "M WM_NCCREATE", "M WM_NCCALCSIZE 0", "M WM_CREATE" }));

    RECT client;
    GetClientRect(m, &client);
    POINT origin { 0, 0 };
    ClientToScreen(m, &origin);
    std::string size = std::to_string(client.right) + "," + std::to_string(client.bottom);
    std::string place = std::to_string(origin.x) + "," + std::to_string(origin.y);
    ShowWindow(m, SW_SHOW);
    EXPECT_EQ(seq.Take(),
        (Lines { "M WM_SHOWWINDOW 1", "M WM_WINDOWPOSCHANGING show", "M WM_ACTIVATEAPP 1", "M WM_NCACTIVATE 1",
            "M WM_ACTIVATE 1 0", "M WM_SETFOCUS 0", "M WM_WINDOWPOSCHANGED show", "M WM_SIZE " + size,
            "M WM_MOVE " + place }));

    ShowWindow(m, SW_HIDE);
    seq.Take();
    ShowWindow(m, SW_SHOW);
    for (const std::string& line : seq.Take())
        EXPECT_TRUE(line.find("WM_SIZE") == std::string::npos && line.find("WM_MOVE") == std::string::npos)
            << "only the first show tells: " << line;
}

TEST_F(CreationSequence, ChildrenTellTheirParentOfCreationUnlessTheyAskForQuiet)
{
    HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 200, 150 });
    seq.Name(a, "A");
    seq.Take();

    HWND c = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 5, 6, 35, 26 }, a, RGB(0, 0, 0), 7);
    seq.Name(c, "C");
    EXPECT_EQ(seq.Take(),
        (Lines { "C WM_NCCREATE", "C WM_NCCALCSIZE 0", "C WM_CREATE", "C WM_SIZE 30,20", "C WM_MOVE 5,6",
            "A WM_PARENTNOTIFY WM_CREATE C", "C WM_SHOWWINDOW 1", "C WM_WINDOWPOSCHANGING show noactivate",
            "C WM_WINDOWPOSCHANGED show noactivate" }));

    HWND d = MakeWindow(WS_CHILD, WS_EX_NOPARENTNOTIFY, RECT { 40, 6, 70, 26 }, a);
    seq.Name(d, "D");
    EXPECT_EQ(seq.Take(),
        (Lines { "D WM_NCCREATE", "D WM_NCCALCSIZE 0", "D WM_CREATE", "D WM_SIZE 30,20", "D WM_MOVE 40,6" }));

    // Only the direct parent hears of a grandchild.
    HWND e = MakeWindow(WS_CHILD, 0, RECT { 1, 1, 11, 11 }, c, RGB(0, 0, 0), 9);
    seq.Name(e, "E");
    EXPECT_EQ(seq.Take(),
        (Lines { "E WM_NCCREATE", "E WM_NCCALCSIZE 0", "E WM_CREATE", "E WM_SIZE 10,10", "E WM_MOVE 1,1",
            "C WM_PARENTNOTIFY WM_CREATE E" }));
}

TEST_F(CreationSequence, TheParentNotificationCarriesTheChildsIdAndHandle)
{
    HWND a = MakeWindow(WS_POPUP, 0, RECT { 0, 0, 100, 100 });
    HWND c = MakeWindow(WS_CHILD, 0, RECT { 0, 0, 10, 10 }, a, RGB(0, 0, 0), 42);
    const test::Logged* created = test::Log().Last(a, WM_PARENTNOTIFY);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(LOWORD(created->wParam), WM_CREATE);
    EXPECT_EQ(HIWORD(created->wParam), 42);
    EXPECT_EQ(reinterpret_cast<HWND>(created->lParam), c);
    DestroyWindow(c);
    const test::Logged* destroyed = test::Log().Last(a, WM_PARENTNOTIFY);
    ASSERT_NE(destroyed, nullptr);
    EXPECT_EQ(LOWORD(destroyed->wParam), WM_DESTROY);
    EXPECT_EQ(HIWORD(destroyed->wParam), 42);
    EXPECT_EQ(reinterpret_cast<HWND>(destroyed->lParam), c);
}

TEST_F(CreationSequence, ADestroyedChildTellsItsParentFirstThenHidesThenGoesWithItsOwnChildren)
{
    HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 200, 150 });
    HWND c = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 5, 5, 25, 25 }, a);
    HWND e = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 1, 1, 5, 5 }, c);
    HWND d = MakeWindow(WS_CHILD | WS_VISIBLE, WS_EX_NOPARENTNOTIFY, RECT { 40, 5, 60, 25 }, a);
    seq.Name(a, "A");
    seq.Name(c, "C");
    seq.Name(e, "E");
    seq.Name(d, "D");
    seq.Take();

    DestroyWindow(c);
    EXPECT_EQ(seq.Take(),
        (Lines { "A WM_PARENTNOTIFY WM_DESTROY C", "C WM_SHOWWINDOW 0", "C WM_WINDOWPOSCHANGING hide noactivate",
            "C WM_WINDOWPOSCHANGED hide noactivate", "C WM_DESTROY", "E WM_DESTROY", "E WM_NCDESTROY",
            "C WM_NCDESTROY" }));
    DestroyWindow(d);
    EXPECT_EQ(seq.Take(),
        (Lines { "D WM_SHOWWINDOW 0", "D WM_WINDOWPOSCHANGING hide noactivate", "D WM_WINDOWPOSCHANGED hide noactivate",
            "D WM_DESTROY", "D WM_NCDESTROY" }));
}

TEST_F(CreationSequence, AFocusedChildHandsTheFocusToItsParentBeforeWmDestroy)
{
    HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 200, 150 });
    HWND c = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 5, 5, 25, 25 }, a);
    SetFocus(c);
    seq.Name(a, "A");
    seq.Name(c, "C");
    seq.Take();
    DestroyWindow(c);
    EXPECT_EQ(seq.Take(),
        (Lines { "A WM_PARENTNOTIFY WM_DESTROY C", "C WM_SHOWWINDOW 0", "C WM_WINDOWPOSCHANGING hide noactivate",
            "C WM_WINDOWPOSCHANGED hide noactivate", "C WM_KILLFOCUS A", "A WM_SETFOCUS C", "C WM_DESTROY",
            "C WM_NCDESTROY" }));
    EXPECT_EQ(GetFocus(), a);
}

TEST_F(CreationSequence, AChildOfAHiddenWindowOnlyHearsWmShowWindow)
{
    HWND a = MakeWindow(WS_POPUP, 0, RECT { 0, 0, 100, 100 });
    seq.Name(a, "A");
    seq.Take();
    HWND c = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 5, 6, 35, 26 }, a);
    seq.Name(c, "C");
    EXPECT_EQ(seq.Take(),
        (Lines { "C WM_NCCREATE", "C WM_NCCALCSIZE 0", "C WM_CREATE", "C WM_SIZE 30,20", "C WM_MOVE 5,6",
            "A WM_PARENTNOTIFY WM_CREATE C", "C WM_SHOWWINDOW 1" }));
    EXPECT_TRUE(GetWindowLongPtr(c, GWL_STYLE) & WS_VISIBLE);
    DestroyWindow(c);
    EXPECT_EQ(seq.Take(),
        (Lines { "A WM_PARENTNOTIFY WM_DESTROY C", "C WM_SHOWWINDOW 0", "C WM_DESTROY", "C WM_NCDESTROY" }));
}

TEST_F(CreationSequence, ATopLevelWindowIsHiddenWithoutWmShowWindowWhenDestroyed)
{
    HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 100, 100 });
    HWND c = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 5, 5, 25, 25 }, a);
    seq.Name(a, "A");
    seq.Name(c, "C");
    seq.Take();
    DestroyWindow(a);
    EXPECT_EQ(seq.Take(),
        (Lines { "A WM_WINDOWPOSCHANGING hide noactivate", "A WM_WINDOWPOSCHANGED hide noactivate", "A WM_NCACTIVATE 0",
            "A WM_ACTIVATE 0 0", "A WM_ACTIVATEAPP 0", "A WM_KILLFOCUS 0", "A WM_DESTROY", "C WM_DESTROY",
            "C WM_NCDESTROY", "A WM_NCDESTROY" }));
}

} // namespace
