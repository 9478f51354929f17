// The control wrappers that do more than pass one message on: a combo box's
// strings read into a CString, and tooltip tools named by window or by id.

#include "platform/afx/ComboBox.h"
#include "platform/afx/ToolTipCtrl.h"
#include "platform/window/ControlClasses.h"
#include "tests/platform/afx/AfxTestSupport.h"

#include <string>

namespace {

using afxtest::AfxTest;
using afxtest::kRecorderClass;

class ControlWrappers : public AfxTest {
protected:
    void SetUp() override
    {
        // The system's control classes register themselves once something
        // links them in; nothing else in this test program does.
        ws::ctl::EnsureControlClasses();
        ASSERT_TRUE(
            parent.CreateEx(0, kRecorderClass, "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr));
        driver.Pump();
    }
    CWnd parent;
};

TEST_F(ControlWrappers, ComboBoxStringsComeBackWhole)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 150, 150), &parent, 5));
    EXPECT_EQ(combo.AddString("Rot"), 0);
    EXPECT_EQ(combo.AddString("Gr\xC3\xBCn"), 1);
    EXPECT_EQ(combo.InsertString(0, "Blau"), 0);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "nothing chosen yet";
    const std::pair<int, const char*> items[] = { { 0, "Blau" }, { 1, "Rot" }, { 2, "Gr\xC3\xBCn" }, { 3, "" },
        { -1, "" } };
    for (const auto& [index, text] : items) {
        CString s("stale");
        combo.GetLBText(index, s);
        EXPECT_EQ(s, text) << index;
    }
    char buffer[16] = {};
    EXPECT_EQ(combo.GetLBText(2, buffer), 5) << "bytes of UTF-8";
    EXPECT_EQ(combo.DeleteString(0), 2);
}

TEST_F(ControlWrappers, TooltipToolsAreWholeWindowsOrRectanglesById)
{
    CWnd child;
    ASSERT_TRUE(child.Create(kRecorderClass, "", WS_VISIBLE, CRect(10, 10, 60, 40), &parent, 3));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent, TTS_ALWAYSTIP));
    EXPECT_EQ(::GetWindow(tip.m_hWnd, GW_OWNER), parent.m_hWnd);
    ASSERT_TRUE(tip.AddTool(&child, "Stift"));
    CRect area(100, 100, 150, 150);
    ASSERT_TRUE(tip.AddTool(&parent,
        "Fl\xC3\xA4"
        "che",
        &area, 7));
    EXPECT_EQ(tip.GetToolCount(), 2);

    // How the window system knows each tool: a whole window by its parent
    // and itself, a rectangle by its window and id.
    auto text = [&](HWND holder, UINT_PTR id) {
        char buffer[80] = {};
        TOOLINFO ti {};
        ti.cbSize = sizeof ti;
        ti.hwnd = holder;
        ti.uId = id;
        ti.lpszText = buffer;
        tip.SendMessage(TTM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
        return std::string(buffer);
    };
    EXPECT_EQ(text(parent.m_hWnd, reinterpret_cast<UINT_PTR>(child.m_hWnd)), "Stift");
    EXPECT_EQ(text(parent.m_hWnd, 7),
        "Fl\xC3\xA4"
        "che");
    tip.UpdateTipText("Kreide", &child);
    EXPECT_EQ(text(parent.m_hWnd, reinterpret_cast<UINT_PTR>(child.m_hWnd)), "Kreide");

    // Mouse messages relayed from the tool make the tip appear after the
    // delay.
    tip.SetDelayTime(100);
    POINT screen { 120, 120 };
    MSG move { child.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), GetTickCount(), screen };
    driver.MoveTo(screen);
    tip.RelayEvent(&move);
    EXPECT_FALSE(tip.IsWindowVisible());
    driver.Advance(150);
    EXPECT_TRUE(tip.IsWindowVisible());

    tip.DelTool(&child);
    EXPECT_EQ(tip.GetToolCount(), 1);
    tip.DelTool(&parent, 7);
    EXPECT_EQ(tip.GetToolCount(), 0);
}

} // namespace
