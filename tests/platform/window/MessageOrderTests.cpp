// The order in which messages arrive: sent before the call returns, posted
// afterwards, painting after posted messages with the erase first, timers
// last and restarted when started again.

#include "tests/platform/window/WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

using test::Log;
using test::MakeWindow;

constexpr UINT WM_TEST = WM_USER + 7;

class MessageOrder : public ::testing::Test {
protected:
    headless::Driver driver;
    void SetUp() override { Log().Clear(); }
};

TEST_F(MessageOrder, SendRunsTheHandlerBeforeItReturnsAndPostRunsLater)
{
    HWND w = MakeWindow(WS_POPUP, 0, RECT { 10, 10, 110, 110 });
    EXPECT_EQ(SendMessage(w, WM_TEST, 1, 0), 0);
    EXPECT_EQ(Log().Count(w, WM_TEST), 1) << "sent: handled before returning";
    EXPECT_TRUE(PostMessage(w, WM_TEST, 2, 0));
    EXPECT_EQ(Log().Count(w, WM_TEST), 1) << "posted: not yet";
    driver.Pump();
    ASSERT_EQ(Log().Count(w, WM_TEST), 2);
    EXPECT_EQ(Log().Last(w, WM_TEST)->wParam, 2u);
}

TEST_F(MessageOrder, PaintingComesAfterPostedMessagesAndErasesFirst)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 10, 10, 110, 110 });
    PostMessage(w, WM_TEST, 0, 0);
    PostMessage(w, WM_TEST + 1, 0, 0);
    driver.Pump();
    std::vector<UINT> expected = { WM_TEST, WM_TEST + 1, WM_PAINT, WM_ERASEBKGND };
    EXPECT_EQ(Log().Of(w, { WM_TEST, WM_TEST + 1, WM_PAINT, WM_ERASEBKGND }), expected);
    Log().Clear();
    driver.Pump();
    EXPECT_EQ(Log().Count(w, WM_PAINT), 0) << "a painted window is valid again";
    InvalidateRect(w, nullptr, FALSE);
    driver.Pump();
    EXPECT_EQ(Log().Count(w, WM_PAINT), 1);
    EXPECT_EQ(Log().Count(w, WM_ERASEBKGND), 0) << "invalidated without erasing";
}

TEST_F(MessageOrder, ATimerRestartedWhilePendingFiresOnceAtTheNewTime)
{
    HWND w = MakeWindow(WS_POPUP, 0, RECT { 0, 0, 50, 50 });
    SetTimer(w, 3, 50, nullptr);
    driver.Advance(30);
    SetTimer(w, 3, 50, nullptr); // due again 50 ms from now
    driver.Advance(30);
    EXPECT_EQ(Log().Count(w, WM_TIMER), 0) << "the first due time was replaced";
    driver.Advance(19);
    EXPECT_EQ(Log().Count(w, WM_TIMER), 0);
    driver.Advance(1);
    ASSERT_EQ(Log().Count(w, WM_TIMER), 1);
    EXPECT_EQ(Log().Last(w, WM_TIMER)->wParam, 3u);
    driver.Advance(50);
    EXPECT_EQ(Log().Count(w, WM_TIMER), 2) << "and keeps its period";
    KillTimer(w, 3);
    driver.Advance(200);
    EXPECT_EQ(Log().Count(w, WM_TIMER), 2);
}

TEST_F(MessageOrder, TimersFireInTheOrderTheyFallDue)
{
    HWND w = MakeWindow(WS_POPUP, 0, RECT { 0, 0, 50, 50 });
    SetTimer(w, 1, 50, nullptr);
    SetTimer(w, 2, 20, nullptr);
    driver.Advance(100);
    std::vector<WPARAM> ids;
    for (const auto& e : Log().Entries())
        if (e.hwnd == w && e.message == WM_TIMER)
            ids.push_back(e.wParam);
    // 20, 40, 50, 60, 80, 100 (both due at 100: the one set to 20 fell due
    // there as well; the earlier due time goes first).
    std::vector<WPARAM> expected = { 2, 2, 1, 2, 2, 1, 2 };
    EXPECT_EQ(ids, expected);
}

TEST_F(MessageOrder, DestroyingSendsDestroyParentFirstAndNcDestroyChildFirst)
{
    HWND parent = MakeWindow(WS_POPUP, 0, RECT { 0, 0, 100, 100 });
    HWND child = MakeWindow(WS_CHILD, 0, RECT { 0, 0, 10, 10 }, parent);
    Log().Clear();
    DestroyWindow(parent);
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& e : Log().Entries())
        if (e.message == WM_DESTROY || e.message == WM_NCDESTROY)
            order.emplace_back(e.hwnd, e.message);
    std::vector<std::pair<HWND, UINT>> expected = { { parent, WM_DESTROY }, { child, WM_DESTROY },
        { child, WM_NCDESTROY }, { parent, WM_NCDESTROY } };
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(PostMessage(parent, WM_TEST, 0, 0)) << "a destroyed window takes no messages";
}

TEST_F(MessageOrder, APostedMessageToAWindowDestroyedMeanwhileIsDropped)
{
    HWND w = MakeWindow(WS_POPUP, 0, RECT { 0, 0, 10, 10 });
    PostMessage(w, WM_TEST, 0, 0);
    DestroyWindow(w);
    Log().Clear();
    driver.Pump();
    EXPECT_TRUE(Log().Entries().empty());
}

} // namespace
