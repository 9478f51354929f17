// The window system with no screen installed. It makes none of its own: a
// top-level window cannot be created and the calls that ask the screen
// answer failure, so the caller finds out and says so; messages and timers
// that need no screen still flow.

#include "tests/platform/window/WindowTestSupport.h"

#include "platform/window/Backend.h"

#include <gtest/gtest.h>

namespace {

const RECT kRect { 10, 10, 210, 160 };

TEST(NoScreen, ATopLevelWindowFailsAndTheScreenQueriesAnswerFailure)
{
    ASSERT_EQ(platform::InstalledBackend(), nullptr);
    EXPECT_EQ(test::MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, kRect), nullptr);
    EXPECT_EQ(platform::InstalledBackend(), nullptr) << "no screen made behind the caller's back";
    EXPECT_EQ(GetTopWindow(nullptr), nullptr);
    POINT p { -1, -1 };
    EXPECT_FALSE(GetCursorPos(&p));
    EXPECT_FALSE(SetCursorPos(5, 5));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 0);
    RECT desktop { 1, 1, 1, 1 };
    EXPECT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
    EXPECT_TRUE(IsRectEmpty(&desktop)) << "the desktop has no area";
}

// A command-line run (inkveil --list-cameras) has no screen: a message box
// it comes to fails, answering MessageBox's failure 0 (not -1, which the
// caller can't tell from a button) and leaving no window.
TEST(NoScreen, AMessageBoxFailsWithZero)
{
    ASSERT_EQ(platform::InstalledBackend(), nullptr);
    EXPECT_EQ(MessageBox(nullptr, "摄像头正被其他程序使用", "Inkveil", MB_OK | MB_ICONWARNING), 0);
    EXPECT_EQ(GetTopWindow(nullptr), nullptr);
}

TEST(NoScreen, WindowsWorkOnceAScreenIsInstalledAndFailAgainWhenItGoes)
{
    {
        headless::Driver screen(640, 480);
        HWND top = test::MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, kRect);
        ASSERT_NE(top, nullptr);
        EXPECT_NE(test::MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 0, 0, 20, 20 }, top), nullptr);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    }
    EXPECT_EQ(platform::InstalledBackend(), nullptr);
    EXPECT_EQ(test::MakeWindow(WS_OVERLAPPEDWINDOW, 0, kRect), nullptr);
}

TEST(NoScreen, PostedMessagesAndThreadTimersStillArrive)
{
    ASSERT_TRUE(PostMessage(nullptr, WM_USER + 7, 1, 2));
    MSG m {};
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 7u);
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_EQ(m.lParam, 2);

    // With no screen to wait on, the loop sleeps until the timer is due.
    const UINT_PTR id = SetTimer(nullptr, 0, 20, nullptr);
    ASSERT_NE(id, 0u);
    ASSERT_GT(GetMessage(&m, nullptr, 0, 0), 0);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(m.wParam, id);
    KillTimer(nullptr, id);
}

} // namespace
