// The capture thread posts to the video view while the user-interface
// thread pumps messages and opens and closes windows of its own. Run under
// ThreadSanitizer with the streaming tests: posting may touch nothing that
// only the user-interface thread keeps.

#include "platform/headless/Driver.h"
#include "platform/window/WinUser.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

constexpr UINT WM_FRAME = WM_APP + 1;

std::vector<WPARAM>& Received()
{
    static std::vector<WPARAM> received;
    return received;
}

LRESULT ViewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_FRAME) {
        Received().push_back(wp);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wp, lp);
}

HWND MakeView()
{
    WNDCLASS wc {};
    wc.lpfnWndProc = ViewProc;
    wc.lpszClassName = "CrossThreadView";
    RegisterClass(&wc);
    return CreateWindowEx(0, "CrossThreadView", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48, nullptr, nullptr, nullptr,
        nullptr);
}

// A window of the kind the interface opens and closes while video runs.
void OpenAndCloseAPopup()
{
    HWND tip = CreateWindowEx(WS_EX_TOOLWINDOW, "CrossThreadView", "", WS_POPUP | WS_VISIBLE, 10, 10, 20, 10, nullptr,
        nullptr, nullptr, nullptr);
    DestroyWindow(tip);
}

class CrossThreadPost : public ::testing::Test {
protected:
    void SetUp() override { Received().clear(); }
    headless::Driver driver;
};

TEST_F(CrossThreadPost, EveryFrameArrivesInOrderWhileTheInterfaceWorks)
{
    HWND view = MakeView();
    constexpr WPARAM kFrames = 3000;
    std::atomic<bool> finished { false };
    std::atomic<int> refusals { 0 };
    std::thread capture([&] {
        for (WPARAM i = 0; i < kFrames; ++i)
            refusals += PostMessage(view, WM_FRAME, i, 0) ? 0 : 1;
        finished = true;
    });
    while (!finished) {
        OpenAndCloseAPopup();
        driver.Pump();
        std::this_thread::yield();
    }
    capture.join();
    EXPECT_EQ(refusals, 0);
    driver.Pump();
    ASSERT_EQ(Received().size(), kFrames);
    for (WPARAM i = 0; i < kFrames; ++i)
        ASSERT_EQ(Received()[i], i);
}

TEST_F(CrossThreadPost, PostingToAViewClosedMeanwhileFailsAndNothingArrivesAfterward)
{
    HWND view = MakeView();
    std::atomic<bool> refused { false };
    std::thread capture([&] {
        // At a camera's pace, not flat out: the queue has no bound.
        for (WPARAM i = 0; !refused; ++i) {
            refused = !PostMessage(view, WM_FRAME, i, 0);
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    while (Received().size() < 100) {
        OpenAndCloseAPopup();
        driver.Pump();
    }
    DestroyWindow(view);
    std::size_t atClose = Received().size();
    capture.join();
    EXPECT_TRUE(refused);
    driver.Pump();
    EXPECT_EQ(Received().size(), atClose);
}

} // namespace
