// The command line as parsed: every option, its short form, the order of
// requests, and each kind of misuse; and the locale that picks the language
// of the usage.

#include "app/program/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::initializer_list<const char*> args)
{
    std::vector<std::string> owned { "inkveil" };
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : owned)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return ParseCommandLine(static_cast<int>(owned.size()), argv.data());
}

struct ParseCase {
    std::initializer_list<const char*> args;
    Action action;
    std::string device;
    std::string error; // a part of the error, for Misuse
};

TEST(CommandLineTest, ParsesEachOptionAndEachMisuse)
{
    const ParseCase cases[] = {
        { {}, Action::Run, "", "" },
        { { "--help" }, Action::Help, "", "" },
        { { "-h" }, Action::Help, "", "" },
        { { "--version" }, Action::Version, "", "" },
        { { "-V" }, Action::Version, "", "" },
        { { "--device", "/dev/video2" }, Action::Run, "/dev/video2", "" },
        { { "--device=/dev/video3" }, Action::Run, "/dev/video3", "" },
        { { "-d", "/dev/video4" }, Action::Run, "/dev/video4", "" },
        { { "-d/dev/video5" }, Action::Run, "/dev/video5", "" },
        { { "--dev", "/dev/video6" }, Action::Run, "/dev/video6", "" }, // an unambiguous prefix
        { { "--device", "/dev/video1", "--device", "/dev/video7" }, Action::Run, "/dev/video7", "" },
        { { "--list-cameras" }, Action::ListCameras, "", "" },
        { { "--list-cameras", "-d", "/dev/video2" }, Action::ListCameras, "/dev/video2", "" },
        // Help wins over the version, the version over the camera list,
        // wherever they stand.
        { { "--list-cameras", "--version" }, Action::Version, "", "" },
        { { "--help", "--list-cameras" }, Action::Help, "", "" },
        { { "--version", "--help" }, Action::Help, "", "" },
        { { "--device", "/dev/video0", "-h" }, Action::Help, "/dev/video0", "" },
        { { "-V", "-d", "/dev/video0" }, Action::Version, "/dev/video0", "" },
        // Misuse, which wins over any request.
        { { "--bogus" }, Action::Misuse, "", "--bogus" },
        { { "-x" }, Action::Misuse, "", "-x" },
        { { "-Vx" }, Action::Misuse, "", "-x" },
        { { "--help", "--bogus" }, Action::Misuse, "", "--bogus" },
        { { "--help=yes" }, Action::Misuse, "", "--help=yes" },
        { { "--device" }, Action::Misuse, "", "--device" },
        { { "-d" }, Action::Misuse, "", "-d" },
        { { "--device=" }, Action::Misuse, "", "device path" },
        { { "camera" }, Action::Misuse, "", "camera" },
        { { "--version", "extra" }, Action::Misuse, "", "extra" },
        { { "--list-cameras=all" }, Action::Misuse, "", "--list-cameras=all" },
    };
    for (const ParseCase& c : cases) {
        std::string shown;
        for (const char* a : c.args)
            shown += std::string(a) + " ";
        SCOPED_TRACE(shown);
        const CommandLine line = Parse(c.args);
        EXPECT_EQ(line.action, c.action);
        if (c.action == Action::Misuse) {
            EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
        } else {
            EXPECT_EQ(line.device, c.device);
            EXPECT_EQ(line.error, "");
        }
    }
}

struct DemoCase {
    std::initializer_list<const char*> args;
    Action action;
    std::string demo; // the emulated camera chosen; a part of the error for Misuse
};

TEST(CommandLineTest, ParsesTheEmulatedCamera)
{
    const DemoCase cases[] = {
        { {}, Action::Run, "" },
        { { "--demo" }, Action::Run, "page" },
        { { "--demo=page" }, Action::Run, "page" },
        { { "--demo=yuyv" }, Action::Run, "yuyv" },
        { { "--demo=mjpg" }, Action::Run, "mjpg" },
        { { "--dem" }, Action::Run, "page" }, // an unambiguous prefix
        { { "--demo", "--demo=mjpg" }, Action::Run, "mjpg" },
        // With the other options, which keep their meaning.
        { { "--demo", "--device", "/dev/video2" }, Action::Run, "page" },
        { { "--demo", "--list-cameras" }, Action::ListCameras, "page" },
        { { "--demo", "--help" }, Action::Help, "page" },
        { { "-V", "--demo" }, Action::Version, "page" },
        // Misuse: a kind not made, a value without '=', a prefix that
        // names two options (--demo and --device).
        { { "--demo=rgb" }, Action::Misuse, "rgb" },
        { { "--demo=" }, Action::Misuse, "--demo" },
        { { "--demo", "yuyv" }, Action::Misuse, "yuyv" },
        { { "--de" }, Action::Misuse, "--de" },
        { { "--demo=mjpg", "--bogus" }, Action::Misuse, "--bogus" },
    };
    for (const DemoCase& c : cases) {
        std::string shown;
        for (const char* a : c.args)
            shown += std::string(a) + " ";
        SCOPED_TRACE(shown);
        const CommandLine line = Parse(c.args);
        EXPECT_EQ(line.action, c.action);
        if (c.action == Action::Misuse)
            EXPECT_NE(line.error.find(c.demo), std::string::npos) << line.error;
        else
            EXPECT_EQ(line.demo, c.demo);
    }
    EXPECT_EQ(Parse({ "--demo", "--device", "/dev/video2" }).device, "/dev/video2");
}

TEST(CommandLineTest, ParsingTwiceGivesTheSameAnswer)
{
    // getopt keeps its place in globals; a second parse must not start
    // where the first stopped.
    EXPECT_EQ(Parse({ "-d", "/dev/video1", "--bogus" }).action, Action::Misuse);
    const CommandLine again = Parse({ "-d", "/dev/video1" });
    EXPECT_EQ(again.action, Action::Run);
    EXPECT_EQ(again.device, "/dev/video1");
}

// Sets the three locale variables for one test and puts them back.
class LocaleEnvironment {
public:
    LocaleEnvironment()
    {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    ~LocaleEnvironment()
    {
        for (std::size_t i = 0; i < 3; ++i)
            Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }
    static void Set(const char* name, const char* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    static constexpr const char* kNames[3] = { "LC_ALL", "LC_MESSAGES", "LANG" };

private:
    std::vector<std::optional<std::string>> saved_;
};

TEST(CommandLineTest, MessagesFollowTheFirstLocaleVariableSet)
{
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        bool chinese;
    };
    const Case cases[] = {
        { nullptr, nullptr, nullptr, false },
        { nullptr, nullptr, "zh_CN.UTF-8", true },
        { nullptr, nullptr, "zh_TW.UTF-8", true },
        { nullptr, nullptr, "en_GB.UTF-8", false },
        { nullptr, nullptr, "C", false },
        { nullptr, "zh_CN.UTF-8", "en_US.UTF-8", true },
        { nullptr, "C", "zh_CN.UTF-8", false },
        { "C", "zh_CN.UTF-8", "zh_CN.UTF-8", false },
        { "zh_CN.UTF-8", "C", "en_US.UTF-8", true },
        // An empty variable counts as unset.
        { "", "", "zh_CN.UTF-8", true },
    };
    LocaleEnvironment restore;
    for (const Case& c : cases) {
        LocaleEnvironment::Set("LC_ALL", c.lcAll);
        LocaleEnvironment::Set("LC_MESSAGES", c.lcMessages);
        LocaleEnvironment::Set("LANG", c.lang);
        EXPECT_EQ(MessagesInChinese(), c.chinese)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

TEST(CommandLineTest, UsageNamesEveryOptionInBothLanguages)
{
    for (bool chinese : { false, true }) {
        const std::string text = UsageText("inkveil", chinese);
        for (const char* option :
            { "--device", "-d,", "--demo", "--list-cameras", "--help", "-h,", "--version", "-V," })
            EXPECT_NE(text.find(option), std::string::npos) << option << (chinese ? " (Chinese)" : "");
    }
    EXPECT_NE(UsageText("inkveil", true).find("用法"), std::string::npos);
    EXPECT_NE(UsageText("inkveil", false).find("Usage"), std::string::npos);
}

} // namespace
