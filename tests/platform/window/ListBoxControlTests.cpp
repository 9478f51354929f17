// List boxes: the strings and their order, searching, item data, errors for
// bad indexes; selection by keyboard and mouse with LBN_SELCHANGE only for
// the user's choices; the scroll position following the selection and the
// wheel.

#include "platform/window/ControlPainting.h"
#include "platform/window/ListBoxControl.h"
#include "tests/platform/window/ControlTestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace ws::ctl;

LPARAM Text(const char* s) { return reinterpret_cast<LPARAM>(s); }

std::vector<std::string> Items(HWND list)
{
    std::vector<std::string> out;
    auto count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string s(static_cast<std::size_t>(SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, '\0');
        s.resize(static_cast<std::size_t>(
            SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()))));
        out.push_back(s);
    }
    return out;
}

class ListBox : public test::ControlTest {
protected:
    HWND MakeList(DWORD style, int count, int height = 100)
    {
        HWND list = Make(WC_LISTBOX, "", style, RECT { 10, 10, 150, 10 + height }, 40);
        for (int i = 0; i < count; ++i)
            SendMessage(list, LB_ADDSTRING, 0, Text(("item " + std::to_string(i + 10)).c_str()));
        return list;
    }
};

TEST_F(ListBox, StringsKeepTheirOrderAndSortedListsSortWithoutCase)
{
    HWND sorted = MakeList(LBS_SORT, 0);
    for (const char* s : { "pear", "Apple", "banana", "apple" })
        SendMessage(sorted, LB_ADDSTRING, 0, Text(s));
    EXPECT_EQ(Items(sorted), (std::vector<std::string> { "Apple", "apple", "banana", "pear" }));
    EXPECT_EQ(SendMessage(sorted, LB_INSERTSTRING, 0, Text("zebra")), 0) << "inserting never sorts";
    EXPECT_EQ(SendMessage(sorted, LB_INSERTSTRING, static_cast<WPARAM>(-1), Text("end")), 5);
    EXPECT_EQ(Items(sorted), (std::vector<std::string> { "zebra", "Apple", "apple", "banana", "pear", "end" }));

    const struct {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT expected;
        const char* what;
    } calls[] = {
        { LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Text("BANANA"), 3, "exact search ignores case" },
        { LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Text("ban"), LB_ERR, "exact means the whole string" },
        { LB_FINDSTRINGEXACT, 1, Text("apple"), 2, "starts after the index given" },
        { LB_FINDSTRINGEXACT, 4, Text("zebra"), 0, "and goes round" },
        { LB_FINDSTRING, static_cast<WPARAM>(-1), Text("BAN"), 3, "a prefix search" },
        { LB_GETTEXTLEN, 4, 0, 4, "length in bytes" },
        { LB_GETTEXTLEN, 6, 0, LB_ERR, "past the end" },
        { LB_INSERTSTRING, 9, Text("x"), LB_ERR, "inserting past the end" },
        { LB_DELETESTRING, 6, 0, LB_ERR, "deleting past the end" },
        { LB_SETITEMDATA, 2, 77, TRUE, "item data" },
        { LB_GETITEMDATA, 2, 0, 77, "comes back" },
        { LB_GETITEMDATA, 3, 0, 0, "other items have none" },
        { LB_SETCURSEL, 7, 0, LB_ERR, "selecting past the end" },
        { LB_SETCURSEL, 2, 0, 2, "selecting" },
        { LB_DELETESTRING, 0, 0, 5, "deleting answers the count left" },
        { LB_GETCURSEL, 0, 0, 1, "the selection moved up with its item" },
        { LB_GETITEMDATA, 1, 0, 77, "and so did its data" },
        { LB_DELETESTRING, 1, 0, 4, "deleting the selected item" },
        { LB_GETCURSEL, 0, 0, LB_ERR, "leaves nothing selected" },
        { LB_RESETCONTENT, 0, 0, 0, "emptying" },
        { LB_GETCOUNT, 0, 0, 0, "leaves no items" },
    };
    for (const auto& c : calls)
        EXPECT_EQ(SendMessage(sorted, c.msg, c.wParam, c.lParam), c.expected) << c.what;
}

TEST_F(ListBox, TheKeyboardMovesTheSelectionAndKeepsItInSight)
{
    HWND list = MakeList(LBS_NOTIFY | WS_VSCROLL, 20);
    auto height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(height, 0);
    RECT c;
    GetClientRect(list, &c);
    int visible = c.bottom / height;
    ASSERT_GT(visible, 2);
    ASSERT_LT(visible, 20);
    SetFocus(list);

    const struct {
        UINT key;
        int selection;
        int top;
        std::size_t notified;
    } steps[] = {
        { VK_DOWN, 0, 0, 1 }, // nothing was selected: the first item
        { VK_DOWN, 1, 0, 1 },
        { VK_UP, 0, 0, 1 },
        { VK_UP, 0, 0, 0 }, // already at the top: no change, no notification
        { VK_NEXT, visible - 1, 0, 1 },
        { VK_NEXT, 2 * (visible - 1), 2 * (visible - 1) - visible + 1, 1 },
        { VK_END, 19, 20 - visible, 1 },
        { VK_END, 19, 20 - visible, 0 },
        { VK_PRIOR, 19 - (visible - 1), 20 - visible, 1 },
        { VK_HOME, 0, 0, 1 },
    };
    for (const auto& s : steps) {
        test::Log().Clear();
        driver.Key(s.key);
        EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), s.selection) << "key " << s.key;
        EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), s.top) << "key " << s.key;
        EXPECT_EQ(Notifications(40).size(), s.notified) << "key " << s.key;
    }
    test::Log().Clear();
    SendMessage(list, LB_SETCURSEL, 15, 0);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 16 - visible) << "the program's selection is shown too";
    EXPECT_TRUE(Notifications(40).empty()) << "but not notified";
}

TEST_F(ListBox, AClickSelectsTheItemUnderThePointerAndTheWheelOnlyScrolls)
{
    HWND list = MakeList(LBS_NOTIFY, 20);
    auto height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    ClickAt(At(list, 20, 2 * height + 1));
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(Notifications(40), (std::vector<WORD> { LBN_SELCHANGE }));
    ClickAt(At(list, 20, 2 * height + 3));
    EXPECT_EQ(Notifications(40).size(), 1u) << "the same item again is no change";

    driver.MoveTo(Centre(list));
    driver.Wheel(-WHEEL_DELTA);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 3) << "three lines a notch";
    driver.Wheel(2 * WHEEL_DELTA);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0) << "and no further than the top";
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);

    DestroyWindow(list);
    HWND quiet = MakeList(0, 5);
    test::Log().Clear();
    ClickAt(At(quiet, 20, 1));
    EXPECT_EQ(SendMessage(quiet, LB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(Notifications(40).empty()) << "without LBS_NOTIFY the parent hears nothing";
}

TEST_F(ListBox, TheSelectedItemIsHighlighted)
{
    HWND list = MakeList(0, 3);
    auto height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    SendMessage(list, LB_SETCURSEL, 1, 0);
    driver.Pump();
    RECT c;
    GetClientRect(list, &c);
    POINT selectedEdge = At(list, c.right - 1, height + 1);
    POINT otherEdge = At(list, c.right - 1, 1);
    EXPECT_EQ(driver.PixelAt(selectedEdge.x, selectedEdge.y), kHighlightColour);
    EXPECT_EQ(driver.PixelAt(otherEdge.x, otherEdge.y), RGB(255, 255, 255));
}

} // namespace
