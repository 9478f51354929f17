// The view's frame rate line: of the frames that arrived, those a whole
// repaint showed, each counted once however often it was painted.

#include "camera/ViewFrameRate.h"
#include "tests/camera/ToolbarTestSupport.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <regex>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(ViewFrameRate, ShownCountsEachNewFrameOnceAndArrivedCountsTheSerials)
{
    LogCapture log(logging::Level::Info);
    CViewFrameRate rate;
    const auto t0 = logging::RateReport::Clock::now();
    // 25 repaints a second, each showing a new frame while one in two
    // arrived between paints unseen; a repaint of the same frame (the
    // overlay changed) between each.
    std::uint64_t serial = 0;
    for (int i = 1; i <= 130; ++i) {
        serial += 2;
        rate.Painted(serial, t0 + i * 40ms);
        rate.Painted(serial, t0 + i * 40ms + 20ms);
    }
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 1u) << log.Text();
    EXPECT_TRUE(lines[0].ends_with(" info: frame rate: view: arrived 50.0/s, shown 25.0/s over 5.0 s")) << lines[0];
}

TEST(ViewFrameRate, NothingWhenTheInfoLevelIsOff)
{
    LogCapture log(logging::Level::Warn);
    CViewFrameRate rate;
    const auto t0 = logging::RateReport::Clock::now();
    for (int i = 1; i <= 300; ++i)
        rate.Painted(static_cast<std::uint64_t>(i), t0 + i * 40ms);
    EXPECT_EQ(log.Text(), "");
}

// Through the main window: the view's whole repaints of a streaming camera
// are what the line counts.
using ViewFrameRateLine = test::ToolbarTest;

TEST_F(ViewFrameRateLine, TheViewsRepaintsOfACameraGiveIt)
{
    LogCapture log(logging::Level::Info);
    logging::RateReport::SetDefaultPeriod(150ms); // for the view made below
    AddCamera("Doc Cam", { { 320, 240 } });
    Open();
    logging::RateReport::SetDefaultPeriod(5s);
    ASSERT_TRUE(WaitForPicture());
    // The view's 20 ms repaint, by hand and in real time, for 0.6 s.
    const auto end = std::chrono::steady_clock::now() + 600ms;
    while (std::chrono::steady_clock::now() < end) {
        View().Invalidate(FALSE);
        View().UpdateWindow();
        std::this_thread::sleep_for(20ms);
    }
    const std::vector<std::string> lines = log.Matching("frame rate: view");
    ASSERT_GE(lines.size(), 2u) << log.Text();
    const std::regex rate(R"( info: frame rate: view: arrived (\d+\.\d)/s, shown (\d+\.\d)/s over (\d\.\d) s$)");
    for (const std::string& line : lines) {
        std::smatch m;
        ASSERT_TRUE(std::regex_search(line, m, rate)) << line;
        EXPECT_GT(std::stod(m[2]), 0.0) << "new frames were shown";
        EXPECT_LE(std::stod(m[2]), std::stod(m[1]) + 0.1) << "no frame shown that didn't arrive";
    }
}

} // namespace
