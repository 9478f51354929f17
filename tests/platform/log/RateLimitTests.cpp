// The rate limit that keeps repeated events from flooding the log.

#include "platform/log/Log.h"
#include "platform/log/RateLimit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = logging::RateLimit::Clock;

TEST(RateLimitTest, FirstPassesThenOneAnIntervalWithTheCountHeldBack)
{
    logging::RateLimit limit(5s);
    const Clock::time_point t0 {};
    // A camera damaging every tenth frame at 30 a second: 3 events a second
    // for 12 s, then quiet.
    std::vector<std::pair<int, std::uint64_t>> passed; // (ms, held)
    for (int ms = 0; ms < 12000; ms += 333) {
        std::uint64_t held = 99;
        if (limit.Pass(t0 + std::chrono::milliseconds(ms), held))
            passed.emplace_back(ms, held);
    }
    ASSERT_EQ(passed.size(), 3u);
    EXPECT_EQ(passed[0], std::make_pair(0, std::uint64_t { 0 }));
    EXPECT_EQ(passed[1].first, 5328); // the first past 5 s after the last
    EXPECT_EQ(passed[1].second, 15u);
    EXPECT_EQ(passed[2].first, 10656);
    EXPECT_EQ(passed[2].second, 15u);
    // What came after the last line is there for a closing summary, once.
    EXPECT_EQ(limit.TakeHeld(), 4u);
    EXPECT_EQ(limit.TakeHeld(), 0u);
}

TEST(RateLimitTest, SparseEventsAllPass)
{
    logging::RateLimit limit(5s);
    const Clock::time_point t0 {};
    for (int i = 0; i < 4; ++i) {
        std::uint64_t held = 99;
        EXPECT_TRUE(limit.Pass(t0 + std::chrono::seconds(6 * i), held));
        EXPECT_EQ(held, 0u);
    }
}

TEST(RateLimitTest, LimitedLinesWriteTheCount)
{
    std::FILE* file = std::tmpfile();
    logging::SetStream(file);
    logging::SetLevel(logging::Level::Warn);
    logging::RateLimit limit(1h);
    for (int i = 0; i < 50; ++i)
        INKVEIL_LOG_LIMITED(limit, Warn, "frame %d dropped", i);
    logging::SetStream(nullptr);
    logging::ReadEnvironment();
    std::rewind(file);
    char line[256] = "";
    ASSERT_TRUE(std::fgets(line, sizeof line, file));
    EXPECT_TRUE(std::string(line).ends_with(" warn: frame 0 dropped\n")) << line;
    EXPECT_FALSE(std::fgets(line, sizeof line, file)) << "only the first line in the hour";
    EXPECT_EQ(limit.TakeHeld(), 49u);
    std::fclose(file);
}

// The streaming thread and the interface thread may share a limit.
TEST(RateLimitStreamingTest, ThreadsCountEveryEvent)
{
    logging::RateLimit limit(1h);
    std::atomic<int> passes { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 1000; ++i) {
                std::uint64_t held = 0;
                if (limit.Pass(held))
                    passes.fetch_add(1);
            }
        });
    }
    for (std::thread& th : threads)
        th.join();
    EXPECT_EQ(passes.load(), 1);
    EXPECT_EQ(limit.TakeHeld(), 3999u);
}

} // namespace
