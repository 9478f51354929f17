// The application object's start, message loop with idle work, and end.

#include "platform/afx/Wnd.h"
#include "tests/platform/afx/AfxTestSupport.h"

#include <string>
#include <vector>

namespace {

using afxtest::AfxTest;
using afxtest::kRecorderClass;

class CTestApp : public CWinApp {
public:
    CTestApp()
        : CWinApp("Test App")
    {
    }

    std::vector<std::string> calls;
    bool initAnswer = TRUE;
    CWnd mainWindow;
    HWND foreign = nullptr;

    BOOL InitInstance() override
    {
        calls.push_back("InitInstance");
        if (!mainWindow.CreateEx(0, kRecorderClass, "main", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr))
            return FALSE;
        m_pMainWnd = &mainWindow;
        // A wrapper nobody owns; the loop's idle work frees it.
        foreign = afxtest::MakeForeign(WS_POPUP, RECT { 100, 0, 120, 20 });
        CWnd::FromHandle(foreign);
        return initAnswer;
    }
    BOOL OnIdle(LONG count) override
    {
        calls.push_back("OnIdle " + std::to_string(count));
        return CWinApp::OnIdle(count);
    }
    int ExitInstance() override
    {
        calls.push_back("ExitInstance");
        return CWinApp::ExitInstance();
    }
};

using Calls = std::vector<std::string>;

TEST_F(AfxTest, AnApplicationThatFailsToStartEndsAtOnceWithoutItsMainWindow)
{
    CTestApp app;
    app.initAnswer = FALSE;
    EXPECT_EQ(AfxRunApplication(), 0);
    EXPECT_EQ(app.calls, (Calls { "InitInstance", "ExitInstance" }));
    EXPECT_EQ(app.mainWindow.m_hWnd, nullptr) << "the main window went";
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(AfxTest, TheLoopDoesIdleWorkWhenTheQueueRunsDryAndEndsWithTheQuitCode)
{
    CTestApp app;
    std::size_t temporariesWhileWaiting = 99;
    driver.WhenWaiting([&] {
        app.calls.push_back("waiting");
        temporariesWhileWaiting = CWnd::TemporaryCount();
        PostQuitMessage(7);
    });
    EXPECT_EQ(AfxRunApplication(), 7);
    EXPECT_EQ(app.calls, (Calls { "InitInstance", "OnIdle 0", "waiting", "ExitInstance" }));
    EXPECT_EQ(temporariesWhileWaiting, 0u);
    EXPECT_EQ(AfxGetMainWnd(), &app.mainWindow);
    EXPECT_STREQ(app.m_pszAppName, "Test App");
}

TEST_F(AfxTest, TheMainWindowGoingEndsTheLoop)
{
    CTestApp app;
    driver.WhenWaiting([&] { app.mainWindow.DestroyWindow(); });
    EXPECT_EQ(AfxRunApplication(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.calls.back(), "ExitInstance");
}

} // namespace
