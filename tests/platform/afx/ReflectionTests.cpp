// Notifications a control sends its parent: the parent's window gets them,
// and what its message map leaves is handed back to the control's object.
// (Owner drawing through the same path is in DialogTests.)

#include "platform/afx/Button.h"
#include "tests/platform/afx/AfxTestSupport.h"
#include "tests/support/TestDc.h"

#include <string>
#include <vector>

namespace {

using afxtest::AfxTest;
using afxtest::kRecorderClass;

constexpr UINT kChildId = 20;
std::vector<std::string> trail;

HBRUSH ParentBrush() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }
HBRUSH ChildBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }

class CParent : public CWnd {
public:
    bool answersColour = false;

protected:
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind)
    {
        trail.push_back("parent colour " + std::to_string(kind));
        return answersColour ? ParentBrush() : CWnd::OnCtlColor(dc, wnd, kind);
    }
    afx_msg void OnClicked() { trail.push_back("parent clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParent, CWnd)
ON_WM_CTLCOLOR()
ON_BN_CLICKED(kChildId, &CParent::OnClicked)
END_MESSAGE_MAP()

// A control that colours itself and handles its own clicks.
class CSelfish : public CButton {
protected:
    afx_msg HBRUSH CtlColor(CDC*, UINT kind)
    {
        trail.push_back("child colour " + std::to_string(kind));
        return ChildBrush();
    }
    afx_msg void OnReflectedClick() { trail.push_back("child clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfish, CButton)
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT(BN_CLICKED, &CSelfish::OnReflectedClick)
END_MESSAGE_MAP()

class Reflection : public AfxTest {
protected:
    template <typename Child>
    void Make(Child& child)
    {
        ASSERT_TRUE(parent.CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(child.CWnd::Create(kRecorderClass, "", WS_VISIBLE, CRect(0, 0, 30, 30), &parent, kChildId));
        trail.clear();
    }
    LRESULT SendColour(CWnd& child)
    {
        trail.clear();
        return parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.dc()),
            reinterpret_cast<LPARAM>(child.m_hWnd));
    }
    std::vector<std::string> SendClick(CWnd& child)
    {
        trail.clear();
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, BN_CLICKED), reinterpret_cast<LPARAM>(child.m_hWnd));
        return trail;
    }

    test::TestDc dc { 4, 4 };
    CParent parent;
};

using Steps = std::vector<std::string>;

TEST_F(Reflection, ColourMessagesReachTheParentFirstThenTheControl)
{
    CSelfish child;
    Make(child);
    EXPECT_EQ(SendColour(child), reinterpret_cast<LRESULT>(ChildBrush()));
    EXPECT_EQ(trail, (Steps { "parent colour 6", "child colour 6" }));
    parent.answersColour = true;
    EXPECT_EQ(SendColour(child), reinterpret_cast<LRESULT>(ParentBrush()));
    EXPECT_EQ(trail, Steps { "parent colour 6" }) << "a parent that answers keeps the control out";
}

TEST_F(Reflection, AControlWithoutItsOwnColourGetsTheDefault)
{
    CButton child;
    Make(child);
    EXPECT_EQ(SendColour(child), reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(afxtest::CountOf(parent.m_hWnd, WM_CTLCOLORSTATIC), 1) << "passed on as it came";
}

TEST_F(Reflection, AControlMayTakeItsOwnCommandNotificationBeforeTheParent)
{
    CSelfish taking;
    Make(taking);
    EXPECT_EQ(SendClick(taking), Steps { "child clicked" });
    CButton plain;
    ASSERT_TRUE(plain.CWnd::Create(kRecorderClass, "", 0, CRect(0, 0, 5, 5), &parent, kChildId));
    EXPECT_EQ(SendClick(plain), Steps { "parent clicked" });
}

} // namespace
