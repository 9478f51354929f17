// The periodic rate line (frames a second received, handed on, dropped).

#include "platform/log/RateReport.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Clock = logging::RateReport::Clock;

// A camera at 25 frames a second for 12 s, every fifth frame dropped.
void Stream(logging::RateReport& report, Clock::time_point t0)
{
    report.Restart(t0);
    for (int i = 1; i <= 300; ++i) {
        report.Count(0);
        report.Count(i % 5 == 0 ? 2 : 1);
        report.Tick(t0 + i * 40ms);
    }
}

TEST(RateReportTest, OneLineAPeriodWithEachKindsRate)
{
    LogCapture capture(logging::Level::Info);
    logging::RateReport report("frame rate: camera /dev/video0", { "received", "handed on", "dropped" }, 5s);
    Stream(report, Clock::time_point {});
    const std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 2u) << "at 5 s and 10 s; the last 2 s are not a whole period";
    for (const std::string& line : lines) {
        EXPECT_TRUE(line.ends_with(
            " info: frame rate: camera /dev/video0: received 25.0/s, handed on 20.0/s, dropped 5.0/s over 5.0 s"))
            << line;
    }
}

TEST(RateReportTest, NothingBelowTheInfoLevel)
{
    for (logging::Level level : { logging::Level::Off, logging::Level::Error, logging::Level::Warn }) {
        LogCapture capture(level);
        logging::RateReport report("frame rate: view", { "shown" }, 5s);
        Stream(report, Clock::time_point {});
        EXPECT_EQ(capture.Text(), "");
    }
}

} // namespace
