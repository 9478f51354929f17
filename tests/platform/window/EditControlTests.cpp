// Single-line edit fields: typing and Backspace with CJK text (never half a
// character), the caret keys and Shift selection, EM_SETSEL's special
// values, read-only fields, the width limit without ES_AUTOHSCROLL, and
// EN_CHANGE.

#include "platform/window/EditControl.h"
#include "tests/platform/window/ControlTestSupport.h"

#include <string>

namespace {

constexpr int kId = 60;

std::string TextOf(HWND h)
{
    std::string s(static_cast<std::size_t>(GetWindowTextLength(h)) + 1, '\0');
    s.resize(static_cast<std::size_t>(GetWindowText(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

POINT Selection(HWND h)
{
    DWORD start = 0, end = 0;
    SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return POINT { static_cast<LONG>(start), static_cast<LONG>(end) };
}

class Edit : public test::ControlTest {
public:
    HWND MakeEdit(DWORD style = ES_AUTOHSCROLL, int width = 200, const char* text = "")
    {
        HWND e = Make(WC_EDIT, text, WS_BORDER | style, RECT { 10, 10, 10 + width, 34 }, kId);
        SetFocus(e);
        test::Log().Clear();
        return e;
    }
};

TEST_F(Edit, TypingAndBackspaceWorkOnWholeCharacters)
{
    HWND e = MakeEdit();
    driver.Type("中文字");
    EXPECT_EQ(TextOf(e), "中文字");
    EXPECT_EQ(Selection(e), (POINT { 9, 9 })) << "positions count bytes";
    driver.Key(VK_BACK);
    EXPECT_EQ(TextOf(e), "中文");
    driver.Key(VK_LEFT);
    EXPECT_EQ(Selection(e), (POINT { 3, 3 })) << "one character back, not one byte";
    driver.Type("a");
    EXPECT_EQ(TextOf(e), "中a文");
    driver.Key(VK_DELETE);
    EXPECT_EQ(TextOf(e), "中a");
    driver.Key(VK_HOME);
    driver.Key(VK_BACK);
    EXPECT_EQ(TextOf(e), "中a") << "nothing before the start";
    EXPECT_EQ(Notifications(kId).size(), 2u * 6u) << "EN_UPDATE and EN_CHANGE for each of six edits";
    EXPECT_EQ(Notifications(kId).back(), EN_CHANGE);
}

TEST_F(Edit, CaretKeysAndShiftSelect)
{
    HWND e = MakeEdit(ES_AUTOHSCROLL, 200, "ab中de");
    SendMessage(e, EM_SETSEL, 0, 0);
    const struct {
        bool shift;
        UINT key;
        POINT selection;
    } steps[] = {
        { false, VK_RIGHT, { 1, 1 } }, { true, VK_RIGHT, { 1, 2 } },
        { true, VK_RIGHT, { 1, 5 } }, // over the three bytes of 中
        { true, VK_END, { 1, 7 } }, { false, VK_LEFT, { 1, 1 } }, // collapses to the left end
        { true, VK_HOME, { 0, 1 } }, { false, VK_RIGHT, { 1, 1 } }, // collapses to the right end
    };
    for (const auto& s : steps) {
        if (s.shift)
            driver.KeyDown(VK_SHIFT);
        driver.Key(s.key);
        if (s.shift)
            driver.KeyUp(VK_SHIFT);
        EXPECT_EQ(Selection(e), s.selection) << "key " << s.key;
    }
    driver.KeyDown(VK_SHIFT);
    driver.Key(VK_RIGHT);
    driver.Key(VK_RIGHT);
    driver.KeyUp(VK_SHIFT);
    driver.Type("X");
    EXPECT_EQ(TextOf(e), "aXde") << "typing replaces the selection";
}

TEST_F(Edit, SetSelSpecialValues)
{
    HWND e = MakeEdit(ES_AUTOHSCROLL, 200, "一二三");
    const struct {
        LONG_PTR start, end;
        POINT expected;
        const char* what;
    } cases[] = {
        { 0, -1, { 0, 9 }, "0 to -1 selects everything" },
        { 6, 3, { 3, 6 }, "either order" },
        { 4, 8, { 3, 6 }, "inside a character: back to its start" },
        { 2, 100, { 0, 9 }, "past the end: the end" },
        { -1, 0, { 9, 9 }, "-1 drops the selection, the caret stays" },
    };
    for (const auto& c : cases) {
        SendMessage(e, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
        EXPECT_EQ(Selection(e), c.expected) << c.what;
    }
    EXPECT_EQ(SendMessage(e, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(Edit, ReadOnlyFieldsIgnoreTypingAndNarrowFieldsStopAtTheirWidth)
{
    HWND readOnly = MakeEdit(ES_READONLY | ES_AUTOHSCROLL, 200, "fixed");
    driver.Type("x");
    driver.Key(VK_BACK);
    driver.Key(VK_DELETE);
    EXPECT_EQ(TextOf(readOnly), "fixed");
    EXPECT_TRUE(Notifications(kId).empty());
    DestroyWindow(readOnly);

    HWND narrow = MakeEdit(0, 40);
    driver.Type(std::string(40, 'm'));
    std::string kept = TextOf(narrow);
    EXPECT_FALSE(kept.empty());
    EXPECT_LT(kept.size(), 40u) << "without ES_AUTOHSCROLL the text ends at the field's edge";
    DestroyWindow(narrow);

    HWND wide = MakeEdit(ES_AUTOHSCROLL, 40);
    driver.Type(std::string(40, 'm'));
    EXPECT_EQ(TextOf(wide).size(), 40u) << "with it the text scrolls on";
}

TEST_F(Edit, SettingTheTextTellsTheParentAndPutsTheCaretFirst)
{
    HWND e = MakeEdit(ES_AUTOHSCROLL, 200, "abc");
    SendMessage(e, EM_SETSEL, 0, -1);
    SetWindowText(e, "新的");
    EXPECT_EQ(TextOf(e), "新的");
    EXPECT_EQ(Selection(e), (POINT { 0, 0 }));
    EXPECT_EQ(Notifications(kId), (std::vector<WORD> { EN_UPDATE, EN_CHANGE }));
    char small[5] = {};
    EXPECT_EQ(GetWindowText(e, small, sizeof small), 3) << "cut at a character, not in one";
    EXPECT_EQ(std::string(small), "新");
}

} // namespace
