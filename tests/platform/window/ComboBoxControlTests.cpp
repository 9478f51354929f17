// Combo boxes: CBN_SELCHANGE only for a real choice of the user's, the
// notifications around the list (CBN_SELENDOK for every choice, changed or
// not, CBN_SELENDCANCEL when the list closes without one), the list as a
// top-level popup under the face with the height the template asks for,
// the strings, and the edit field of a drop-down combo box.

#include "platform/window/ComboBoxControl.h"
#include "tests/platform/window/ControlTestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace ws::ctl;

constexpr int kId = 50;

LPARAM Text(const char* s) { return reinterpret_cast<LPARAM>(s); }

std::string ItemText(HWND combo, int index)
{
    auto length = SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return "<error>";
    std::string s(static_cast<std::size_t>(length) + 1, '\0');
    s.resize(static_cast<std::size_t>(SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), Text(s.data()))));
    return s;
}

std::string WindowText(HWND h)
{
    char buffer[64] = {};
    GetWindowText(h, buffer, sizeof buffer);
    return buffer;
}

// The combo box's list while it is open.
HWND OpenList()
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassName(w, name, sizeof name);
        if (std::string(name) == ComboBoxControl::kListClass && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

// One thing the user or the program does to a combo box.
struct Step {
    enum Kind { ClickFace, ClickItem, ClickAway, Key, SetCurSel, ShowDropDown } kind;
    int value = 0;
};

class ComboBox : public test::ControlTest {
public:
    HWND MakeCombo(DWORD kind, int items, int height = 150)
    {
        HWND combo = Make(WC_COMBOBOX, "", kind | WS_VSCROLL, RECT { 20, 20, 140, 20 + height }, kId);
        for (int i = 0; i < items; ++i)
            SendMessage(combo, CB_ADDSTRING, 0, Text(std::string(1, static_cast<char>('a' + i)).c_str()));
        return combo;
    }

    void Run(HWND combo, const Step& step)
    {
        switch (step.kind) {
        case Step::ClickFace:
            ClickAt(Centre(combo));
            break;
        case Step::ClickItem:
            ClickItem(combo, step.value);
            break;
        case Step::ClickAway:
            driver.Click(450, 350);
            break;
        case Step::Key:
            driver.Key(static_cast<UINT>(step.value));
            break;
        case Step::SetCurSel:
            SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(step.value), 0);
            break;
        case Step::ShowDropDown:
            SendMessage(combo, CB_SHOWDROPDOWN, static_cast<WPARAM>(step.value), 0);
            break;
        }
    }

    // Clicks item index of the open list.
    void ClickItem(HWND combo, int index)
    {
        HWND list = OpenList();
        ASSERT_NE(list, nullptr);
        auto height = static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
        ClickAt(At(list, 10, index * height + height / 2));
    }
};

TEST_F(ComboBox, SelChangeOnlyWhenTheUsersChoiceChangesTheSelection)
{
    using S = Step;
    const struct {
        const char* what;
        std::vector<Step> steps;
        std::vector<WORD> notified;
        int selection;
    } cases[] = {
        // Choosing in the open list is CBN_SELENDOK, closing it otherwise
        // CBN_SELENDCANCEL, both before CBN_CLOSEUP (as the system's combo
        // box sends them); choosing the selected item again is one too.
        { "click a different item", { { S::ClickFace }, { S::ClickItem, 2 } },
            { CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE }, 2 },
        { "click the selected item", { { S::ClickFace }, { S::ClickItem, 1 } },
            { CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP }, 1 },
        { "CB_SETCURSEL", { { S::SetCurSel, 3 } }, {}, 3 },
        { "Down on the closed box", { { S::Key, VK_DOWN } }, { CBN_SELENDOK, CBN_SELCHANGE }, 2 },
        { "Home twice on the closed box", { { S::Key, VK_HOME }, { S::Key, VK_HOME } }, { CBN_SELENDOK, CBN_SELCHANGE },
            0 },
        { "F4, Enter", { { S::Key, VK_F4 }, { S::Key, VK_RETURN } }, { CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP }, 1 },
        { "F4, Down, Enter", { { S::Key, VK_F4 }, { S::Key, VK_DOWN }, { S::Key, VK_RETURN } },
            { CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE }, 2 },
        { "F4, Down, Esc", { { S::Key, VK_F4 }, { S::Key, VK_DOWN }, { S::Key, VK_ESCAPE } },
            { CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP }, 1 },
        { "open, then click elsewhere", { { S::ClickFace }, { S::ClickAway } },
            { CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP }, 1 },
        { "open, then click the face again", { { S::ClickFace }, { S::ClickFace } },
            { CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP }, 1 },
        { "CB_SHOWDROPDOWN open and shut", { { S::ShowDropDown, TRUE }, { S::ShowDropDown, FALSE } },
            { CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP }, 1 },
    };
    for (const auto& c : cases) {
        HWND combo = MakeCombo(CBS_DROPDOWNLIST, 4);
        SendMessage(combo, CB_SETCURSEL, 1, 0);
        SetFocus(combo);
        test::Log().Clear();
        for (const Step& step : c.steps)
            Run(combo, step);
        EXPECT_EQ(Notifications(kId), c.notified) << c.what;
        EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), c.selection) << c.what;
        EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE) << c.what;
        EXPECT_EQ(OpenList(), nullptr) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
        DestroyWindow(combo);
        driver.Pump();
    }
}

TEST_F(ComboBox, TheListOpensAsATopMostPopupBelowTheFaceWithTheTemplatesHeight)
{
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, 20, 150);
    RECT face;
    GetWindowRect(combo, &face);
    int faceHeight = face.bottom - face.top;
    EXPECT_LT(faceHeight, 150) << "the window keeps only the face";
    auto item = static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(item, 0);

    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
    auto ex = static_cast<DWORD>(GetWindowLongPtr(list, GWL_EXSTYLE));
    EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindowLongPtr(list, GWL_STYLE) & WS_VSCROLL, static_cast<LONG_PTR>(WS_VSCROLL));
    EXPECT_EQ(GetParent(list), parent) << "a popup that belongs to the dialog's window";
    RECT r;
    GetWindowRect(list, &r);
    EXPECT_EQ(r.left, face.left);
    EXPECT_EQ(r.right, face.right);
    EXPECT_EQ(r.top, face.bottom);
    EXPECT_EQ(r.bottom - r.top, (150 - faceHeight - 2) / item * item + 2) << "whole items in the rest of the height";
    EXPECT_NE(GetActiveWindow(), list) << "the list never takes the activation";
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);

    HWND few = MakeCombo(CBS_DROPDOWNLIST, 3, 150);
    SendMessage(few, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_NE(OpenList(), nullptr);
    GetWindowRect(OpenList(), &r);
    EXPECT_EQ(r.bottom - r.top, 3 * item + 2) << "no taller than its items";
    SendMessage(few, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboBox, InsertedItemsKeepTheirPlacesAndAddedOnesSort)
{
    HWND plain = MakeCombo(CBS_DROPDOWNLIST, 0);
    SendMessage(plain, CB_ADDSTRING, 0, Text("one"));
    SendMessage(plain, CB_ADDSTRING, 0, Text("two"));
    EXPECT_EQ(SendMessage(plain, CB_INSERTSTRING, 0, Text("zero")), 0);
    EXPECT_EQ(SendMessage(plain, CB_INSERTSTRING, static_cast<WPARAM>(-1), Text("last")), 3);
    EXPECT_EQ(SendMessage(plain, CB_INSERTSTRING, 2, Text("mid")), 2);
    EXPECT_EQ(SendMessage(plain, CB_INSERTSTRING, 9, Text("far")), CB_ERR);
    const char* expected[] = { "zero", "one", "mid", "two", "last" };
    ASSERT_EQ(SendMessage(plain, CB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ItemText(plain, i), expected[i]) << i;
    EXPECT_EQ(ItemText(plain, 5), "<error>");
    EXPECT_EQ(SendMessage(plain, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Text("MID")), 2);
    EXPECT_EQ(SendMessage(plain, CB_SETCURSEL, 3, 0), 3);
    EXPECT_EQ(WindowText(plain), "two") << "a drop-down list's text is its selection";
    EXPECT_EQ(SendMessage(plain, CB_DELETESTRING, 0, 0), 4);
    EXPECT_EQ(SendMessage(plain, CB_GETCURSEL, 0, 0), 2) << "the selection stays with its item";
    EXPECT_EQ(SendMessage(plain, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(SendMessage(plain, CB_GETCURSEL, 0, 0), CB_ERR) << "a bad index clears the selection";

    HWND sorted = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT, 0);
    for (const char* s : { "pear", "Apple", "fig" })
        SendMessage(sorted, CB_ADDSTRING, 0, Text(s));
    EXPECT_EQ(ItemText(sorted, 0), "Apple");
    EXPECT_EQ(ItemText(sorted, 1), "fig");
    EXPECT_EQ(ItemText(sorted, 2), "pear");
    SendMessage(sorted, CB_INSERTSTRING, 0, Text("zz"));
    EXPECT_EQ(ItemText(sorted, 0), "zz") << "inserting never sorts";
}

TEST_F(ComboBox, ADropDownComboBoxEditsItsTextInAnEditField)
{
    HWND combo = MakeCombo(CBS_DROPDOWN | CBS_AUTOHSCROLL, 3);
    HWND edit = GetDlgItem(combo, kComboEditId);
    ASSERT_NE(edit, nullptr);
    test::Log().Clear();
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(WindowText(edit), "b");
    EXPECT_TRUE(Notifications(kId).empty()) << "the program's selection is no edit of the user's";

    RECT face;
    GetClientRect(combo, &face);
    ClickAt(At(combo, face.right - 4, face.bottom / 2));
    ASSERT_NE(OpenList(), nullptr) << "the arrow opens the list";
    EXPECT_EQ(GetFocus(), edit);
    ClickItem(combo, 2);
    EXPECT_EQ(WindowText(edit), "c");
    EXPECT_EQ(WindowText(combo), "c");
    EXPECT_EQ(Notifications(kId), (std::vector<WORD> { CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE }));

    test::Log().Clear();
    driver.Key(VK_END);
    driver.Type("x");
    EXPECT_EQ(WindowText(combo), "cx");
    EXPECT_EQ(Notifications(kId), (std::vector<WORD> { CBN_EDITUPDATE, CBN_EDITCHANGE }));
    test::Log().Clear();
    driver.Key(VK_UP);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1) << "Up in the field moves the selection";
    EXPECT_EQ(WindowText(combo), "b");
    EXPECT_EQ(Notifications(kId), (std::vector<WORD> { CBN_SELENDOK, CBN_SELCHANGE }));
}

} // namespace
