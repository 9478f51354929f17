// Pre-translation: a queued message is offered to the windows from its own
// up through parents and owners to the main window before it is
// dispatched, and any of them may take it.

#include "platform/afx/Wnd.h"
#include "tests/platform/afx/AfxTestSupport.h"

#include <string>
#include <vector>

namespace {

using afxtest::AfxTest;
using afxtest::CountOf;
using afxtest::kRecorderClass;

constexpr UINT WM_QUEUED = WM_APP + 1;

std::vector<std::string>& Offers()
{
    static std::vector<std::string> offers;
    return offers;
}

class CLookout : public CWnd {
public:
    explicit CLookout(std::string name)
        : name_(std::move(name))
    {
    }
    bool takes = false;

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_QUEUED)
            Offers().push_back(name_);
        return takes ? TRUE : FALSE;
    }

private:
    std::string name_;
};

class PreTranslate : public AfxTest {
protected:
    void SetUp() override
    {
        Offers().clear();
        ASSERT_TRUE(main.CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(child.Create(kRecorderClass, "", 0, CRect(0, 0, 100, 100), &main, 1));
        grandchild = afxtest::MakeForeign(WS_CHILD, RECT { 0, 0, 50, 50 }, child.m_hWnd, 2);
        ASSERT_TRUE(owned.CreateEx(0, kRecorderClass, "", WS_POPUP, 300, 0, 50, 50, main.m_hWnd, nullptr));
        ASSERT_TRUE(stranger.CreateEx(0, kRecorderClass, "", WS_POPUP, 400, 0, 50, 50, nullptr, nullptr));
        app.m_pMainWnd = &main;
    }
    void TearDown() override { app.m_pMainWnd = nullptr; }

    // Posts a message to the window and runs the queue; answers the windows
    // that were offered it, in order.
    std::vector<std::string> Offer(HWND to)
    {
        Offers().clear();
        afxtest::Deliveries().clear();
        PostMessage(to, WM_QUEUED, 0, 0);
        driver.Pump();
        return Offers();
    }

    CWinApp app;
    CLookout main { "main" };
    CLookout child { "child" };
    HWND grandchild = nullptr;
    CLookout owned { "owned" };
    CLookout stranger { "stranger" };
};

using Names = std::vector<std::string>;

TEST_F(PreTranslate, TheWalkGoesUpFromTheMessagesWindowToTheMainWindow)
{
    EXPECT_EQ(Offer(grandchild), (Names { "child", "main" })) << "a window without an object is passed over";
    EXPECT_EQ(CountOf(grandchild, WM_QUEUED), 1) << "then dispatched";
    EXPECT_EQ(Offer(owned.m_hWnd), (Names { "owned", "main" })) << "a popup's owner comes after it, once";
    EXPECT_EQ(Offer(stranger.m_hWnd), (Names { "stranger", "main" }))
        << "the main window has the last look at a window outside its family";
}

TEST_F(PreTranslate, AWindowThatTakesTheMessageEndsTheWalkAndTheDispatch)
{
    child.takes = true;
    EXPECT_EQ(Offer(grandchild), Names { "child" });
    EXPECT_EQ(CountOf(grandchild, WM_QUEUED), 0) << "taken, so never dispatched";
}

TEST_F(PreTranslate, TheWalkStopsAtTheMainWindow)
{
    app.m_pMainWnd = &child;
    EXPECT_EQ(Offer(grandchild), Names { "child" });
    EXPECT_EQ(CountOf(grandchild, WM_QUEUED), 1);

    app.m_pMainWnd = nullptr;
    EXPECT_EQ(Offer(grandchild), (Names { "child", "main" })) << "without a main window, up to the top";
    MSG msg { grandchild, WM_QUEUED, 0, 0, 0, POINT { 0, 0 } };
    Offers().clear();
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(child.m_hWnd, &msg));
    EXPECT_EQ(Offers(), Names { "child" });
}

} // namespace
