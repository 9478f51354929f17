// The diagnostic log: the levels INKVEIL_LOG names, the lines' form, the
// quiet default, and whole lines from threads writing at once.

#include "platform/log/Log.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Sets INKVEIL_LOG (or unsets it) for a test and reads it.
class ScopedVariable {
public:
    explicit ScopedVariable(const char* value)
    {
        if (const char* old = std::getenv("INKVEIL_LOG"))
            old_ = old;
        Set(value);
    }
    ~ScopedVariable() { Set(old_ ? old_->c_str() : nullptr); }

private:
    static void Set(const char* value)
    {
        if (value)
            setenv("INKVEIL_LOG", value, 1);
        else
            unsetenv("INKVEIL_LOG");
        logging::ReadEnvironment();
    }
    std::optional<std::string> old_;
};

// The prefix every line has: local time to the millisecond with its
// offset, the program, the level.
const std::regex kLine(
    R"((\d{4})-(\d\d)-(\d\d)T(\d\d):(\d\d):(\d\d)\.\d{3}[+-]\d\d:\d\d (\S+) (error|warn|info|debug): (.*))");

TEST(LogTest, LevelNamesFromTheEnvironment)
{
    using logging::Level;
    const struct {
        const char* value;
        Level level;
    } cases[] = {
        { "error", Level::Error },
        { "warn", Level::Warn },
        { "warning", Level::Warn },
        { "info", Level::Info },
        { "debug", Level::Debug },
        { "DEBUG", Level::Debug },
        { "Warn", Level::Warn },
        { nullptr, Level::Off },
        { "", Level::Off },
        { "off", Level::Off },
        { "verbose", Level::Off },
        { "3", Level::Off },
        { " info", Level::Off },
        { "infos", Level::Off },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(unset)");
        EXPECT_EQ(logging::ParseLevel(c.value), c.level);
        ScopedVariable variable(c.value);
        EXPECT_EQ(logging::CurrentLevel(), c.level);
    }
}

TEST(LogTest, EachLevelWritesItselfAndTheOnesAbove)
{
    using logging::Level;
    const Level all[] = { Level::Error, Level::Warn, Level::Info, Level::Debug };
    for (Level set : { Level::Off, Level::Error, Level::Warn, Level::Info, Level::Debug }) {
        SCOPED_TRACE(logging::LevelName(set));
        LogCapture capture(set);
        INKVEIL_LOG(Error, "e");
        INKVEIL_LOG(Warn, "w");
        INKVEIL_LOG(Info, "i");
        INKVEIL_LOG(Debug, "d");
        std::vector<std::string> lines = capture.Lines();
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(set));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(lines[i], m, kLine)) << lines[i];
            EXPECT_EQ(m[8], logging::LevelName(all[i]));
            EXPECT_EQ(m[9].str().size(), 1u);
        }
    }
}

TEST(LogTest, NothingWhenTheVariableIsUnset)
{
    ScopedVariable unset(nullptr);
    std::FILE* file = std::tmpfile();
    logging::SetStream(file);
    int evaluated = 0;
    INKVEIL_LOG(Error, "%d", ++evaluated);
    INKVEIL_LOG(Debug, "%d", ++evaluated);
    logging::SetStream(nullptr);
    EXPECT_EQ(std::ftell(file), 0);
    EXPECT_EQ(evaluated, 0) << "the arguments of a line that is off are not evaluated";
    std::fclose(file);
}

TEST(LogTest, LineHasTheTimeProgramLevelAndText)
{
    LogCapture capture(logging::Level::Info);
    const std::time_t before = std::time(nullptr);
    INKVEIL_LOG(Warn, "camera %s: control %#x refused (%d)", "/dev/video0", 0x980900u, -22);
    const std::time_t after = std::time(nullptr);
    std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 1u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, kLine)) << lines[0];
    EXPECT_EQ(m[7], program_invocation_short_name);
    EXPECT_EQ(m[8], "warn");
    EXPECT_EQ(m[9], "camera /dev/video0: control 0x980900 refused (-22)");
    // The stamp is the local time of the call.
    std::tm local {};
    localtime_r(&before, &local);
    std::tm later {};
    localtime_r(&after, &later);
    EXPECT_TRUE(std::stoi(m[6]) == local.tm_sec || std::stoi(m[6]) == later.tm_sec);
    EXPECT_TRUE(std::stoi(m[5]) == local.tm_min || std::stoi(m[5]) == later.tm_min);
    EXPECT_EQ(std::stoi(m[1]), local.tm_year + 1900);
}

TEST(LogTest, OneLinePerCallWhateverTheText)
{
    LogCapture capture(logging::Level::Debug);
    const std::string longText(3000, 'x'); // past the formatting buffer
    INKVEIL_LOG(Debug, "long %s end", longText.c_str());
    INKVEIL_LOG(Debug, "two\nlines\r\n");
    INKVEIL_LOG(Debug, "%s", "");
    logging::WriteHeld(logging::Level::Debug, 27, "buffer dropped");
    logging::WriteHeld(logging::Level::Debug, 0, "buffer dropped\n");
    std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 5u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, kLine));
    EXPECT_EQ(m[9], "long " + longText + " end");
    ASSERT_TRUE(std::regex_match(lines[1], m, kLine));
    EXPECT_EQ(m[9], "two lines");
    ASSERT_TRUE(std::regex_match(lines[2], m, kLine));
    EXPECT_EQ(m[9], "");
    ASSERT_TRUE(std::regex_match(lines[3], m, kLine));
    EXPECT_EQ(m[9], "buffer dropped (27 more like it held back)");
    ASSERT_TRUE(std::regex_match(lines[4], m, kLine));
    EXPECT_EQ(m[9], "buffer dropped");
}

TEST(LogTest, KeepsErrno)
{
    LogCapture capture(logging::Level::Error);
    errno = EBUSY;
    INKVEIL_LOG(Error, "busy");
    EXPECT_EQ(errno, EBUSY);
}

// Frames are dropped on the camera's streaming thread while the interface
// thread logs too: every line arrives whole, none lost, each thread's in
// its order.
TEST(LogStreamingTest, ThreadsWritingAtOnceGiveWholeLines)
{
    LogCapture capture(logging::Level::Info);
    constexpr int kThreads = 6;
    constexpr int kLines = 400;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            // Lines of different lengths, some past the formatting buffer.
            const std::string padding(static_cast<std::size_t>(t) * 150, static_cast<char>('a' + t));
            for (int i = 0; i < kLines; ++i)
                INKVEIL_LOG(Info, "thread %d line %d %s", t, i, padding.c_str());
        });
    }
    // And the level changing under them, as a test's SetLevel might.
    for (int i = 0; i < 100; ++i)
        logging::SetLevel(logging::Level::Info);
    for (std::thread& th : threads)
        th.join();
    std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
    std::map<int, int> next;
    const std::regex text(R"(thread (\d+) line (\d+) (\w*))");
    for (const std::string& line : lines) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, kLine)) << line;
        const std::string message = m[9];
        std::smatch t;
        ASSERT_TRUE(std::regex_match(message, t, text)) << message;
        const int thread = std::stoi(t[1]);
        EXPECT_EQ(std::stoi(t[2]), next[thread]++) << "thread " << thread;
        EXPECT_EQ(t[3].str(), std::string(static_cast<std::size_t>(thread) * 150, static_cast<char>('a' + thread)));
    }
}

} // namespace
