// The view's frame rate line: of the frames that arrived, those a whole
// repaint showed, each counted once however often it was painted.

#include "camera/ViewFrameRate.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

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

} // namespace
