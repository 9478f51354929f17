// The player as people run it: inkveil-play on scripts the tests write,
// its exit status and what it says. A broken expectation names the file,
// the line, what was expected and what was got; a bad script runs nothing;
// the same script gives byte-identical screenshots every time; nothing is
// written outside the output folder; a camera can show a BMP picture.

#include "platform/gdi/BmpFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Played {
    int code = -1;
    std::string said; // the first line on standard error
    std::string printed; // standard output
};

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

std::string FileBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class PlayerTest : public ::testing::Test {
protected:
    PlayerTest()
    {
        dir_ = fs::temp_directory_path() / ("inkveil-play-test-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "lsan.supp") << "leak:libfontconfig.so\n";
    }
    ~PlayerTest() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    fs::path Write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir_ / name) << text;
        return dir_ / name;
    }

    // Runs the player in the test's folder, out folder "out" unless given.
    Played Play(const fs::path& script, const std::string& out = "out")
    {
        int err[2], outPipe[2];
        EXPECT_EQ(pipe(err), 0);
        EXPECT_EQ(pipe(outPipe), 0);
        const pid_t child = fork();
        if (child == 0) {
            dup2(err[1], 2);
            dup2(outPipe[1], 1);
            close(err[0]);
            close(outPipe[0]);
            if (chdir(dir_.c_str()) != 0)
                _exit(126);
            setenv("LSAN_OPTIONS", ("suppressions=" + (dir_ / "lsan.supp").string()).c_str(), 1);
            execl(INKVEIL_PLAY, INKVEIL_PLAY, script.c_str(), "--out", out.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(err[1]);
        close(outPipe[1]);
        Played result;
        result.printed = ReadAll(outPipe[0]);
        // Sanitizer builds add their own report after the player's line.
        result.said = ReadAll(err[0]);
        result.said = result.said.substr(0, result.said.find('\n') + 1);
        close(err[0]);
        close(outPipe[0]);
        int status = 0;
        waitpid(child, &status, 0);
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return result;
    }

    // Every file under the test's folder but the scripts it wrote.
    std::vector<std::string> FilesWritten() const
    {
        std::vector<std::string> found;
        for (const auto& e : fs::recursive_directory_iterator(dir_))
            if (e.is_regular_file() && e.path().extension() != ".play" && e.path().filename() != "lsan.supp"
                && e.path().extension() != ".bmp")
                found.push_back(fs::relative(e.path(), dir_).string());
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path dir_;
};

TEST_F(PlayerTest, ABrokenExpectationStopsThePlayWithFileLineExpectedAndGot)
{
    const fs::path script = Write("broken.play",
        "start\n"
        "screenshot before.png\n"
        "# the grey around the picture is not red\n"
        "expect pixel 100 400 FF0000\n"
        "screenshot after.png\n");
    const Played p = Play(script);
    EXPECT_EQ(p.code, 1);
    EXPECT_EQ(p.said, script.string() + ":4: expected pixel 100 400 FF0000, got 646464\n");
    EXPECT_EQ(FilesWritten(), std::vector<std::string> { "out/before.png" }) << "nothing after the failure ran";
}

TEST_F(PlayerTest, CommandsThatCannotBePlayedFailWithTheirLine)
{
    // Without a camera, so that the program's repaints cost little.
    struct Case {
        const char* script;
        const char* says; // after "SCRIPT:"
    };
    const Case cases[] = {
        { "nocamera\nstart\nclickon 999 1001\n", "3: clickon 999 1001: no dialog from template 999 is open" },
        { "nocamera\nstart\nhover 103 4242\n", "3: hover 103 4242: dialog 103 has no control 4242" },
        { "nocamera\nstart\nanswer ok\nquit\nexpect exit 0\n",
            "3: expected a dialog to take this answer, got none that asked for it" },
        { "nocamera\nstart\nquit\nexpect exit 3\n", "4: expected exit 3, got exit 0" },
        { "nocamera\nstart\nquit\nmousemove 5 5\n", "4: the program has ended (exit 0) before this line" },
        { "nocamera\nstart\nexpect exit 0\n", "3: expected exit 0, got the program still running after 5000 ms" },
        { "nocamera\nstart\nexpect window 103 visible 0 0 1366 768\n",
            "3: expected dialog 103 visible at 0 0 1366 768, got visible at -8 -8 1382 784" },
        { "nocamera\nstart\nexpect window \"PaintBoard\" visible\n", "3: expected window \"PaintBoard\" visible, got absent" },
        { "nocamera\nstart\nexpect window 103 absent\n", "3: expected dialog 103 absent, got visible at -8 -8 1382 784" },
        { "nocamera\nstart\nexpect setting penwidth 7\n", "3: expected setting penwidth 7, got 3" },
        { "nocamera\nstart\nexpect tip \"100%\"\n", "3: expected tip \"100%\", got no tip" },
        { "nocamera\nstart\nquit\nexpect exit 0\nexpect file nothing.bmp bmp 1 1 24\n",
            "5: expected file nothing.bmp bmp 1 1 24, got no file" },
    };
    for (const Case& c : cases) {
        const fs::path script = Write("case.play", c.script);
        const Played p = Play(script);
        EXPECT_EQ(p.code, 1) << c.script << p.said;
        EXPECT_EQ(p.said, script.string() + ":" + c.says + "\n") << c.script;
    }
}

TEST_F(PlayerTest, ABadScriptRunsNothingAndSaysWhereItIsWrong)
{
    const fs::path offScreen = Write("off.play", "start\nscreenshot first.png\nmousemove 5000 10\n");
    Played p = Play(offScreen);
    EXPECT_EQ(p.code, 2);
    EXPECT_EQ(p.said, offScreen.string() + ":3: point 5000 10 is off the 1366x768 screen\n");
    EXPECT_EQ(p.printed, "");

    const fs::path noPicture = Write("still.play", "camera-still Page missing.bmp\nstart\nscreenshot first.png\n");
    p = Play(noPicture);
    EXPECT_EQ(p.code, 2);
    EXPECT_EQ(p.said, noPicture.string() + ":1: camera-still: " + (dir_ / "missing.bmp").string()
            + " can't be read as a BMP picture\n");
    EXPECT_TRUE(FilesWritten().empty()) << "the program never ran";

    p = Play(dir_ / "no-such.play");
    EXPECT_EQ(p.code, 2);
    EXPECT_EQ(p.said, (dir_ / "no-such.play").string() + ": can't be read\n");
}

TEST_F(PlayerTest, TheSameScriptGivesByteIdenticalScreenshotsAndWritesOnlyUnderTheOutputFolder)
{
    const fs::path script = Write("lesson.play",
        "camera Cam 640x480@30\n"
        "start\n"
        "drag 400 500 700 560 6\n"
        "sleep 35\n"
        "# a stroke under way shows between repaints\n"
        "mousemove 450 450\n"
        "mousedown\n"
        "mousemove 520 470\n"
        "mousemove 600 480\n"
        "sleep 70\n"
        "screenshot shots/drawing.png\n"
        "mouseup\n"
        "mousemove 600 400\n"
        "wheel 3\n"
        "sleep 250\n"
        "screenshot shots/zoomed.png\n"
        "click 3\n"
        "drag 600 400 520 380\n"
        "sleep 20\n"
        "screenshot shots/panned.png\n"
        "print windows\n");
    const Played first = Play(script, "one");
    const Played second = Play(script, "two");
    ASSERT_EQ(first.code, 0) << first.said;
    ASSERT_EQ(second.code, 0) << second.said;
    for (const char* shot : { "shots/zoomed.png", "shots/panned.png", "shots/drawing.png" }) {
        const std::string a = FileBytes(dir_ / "one" / shot), b = FileBytes(dir_ / "two" / shot);
        EXPECT_GT(a.size(), 1000u) << shot;
        EXPECT_TRUE(a == b) << shot << " differs between two runs";
    }
    EXPECT_NE(FileBytes(dir_ / "one/shots/zoomed.png"), FileBytes(dir_ / "one/shots/panned.png"));
    EXPECT_EQ(FilesWritten(),
        (std::vector<std::string> { "one/shots/drawing.png", "one/shots/panned.png", "one/shots/zoomed.png",
            "two/shots/drawing.png", "two/shots/panned.png", "two/shots/zoomed.png" }));
    EXPECT_NE(first.printed.find("dialog 103 \"Inkveil\" at -8 -8 1382 784 visible"), std::string::npos)
        << first.printed;
}

TEST_F(PlayerTest, ACameraShowsAStillPictureFromABmpFile)
{
    // Left half red, right half blue, 320 x 240.
    gdi::Surface picture(320, 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.Row(y)[x] = x < 160 ? 0x00E02020 : 0x002020E0;
    ASSERT_TRUE(gdi::WriteBmpFile(picture, (dir_ / "page.bmp").string()));
    // The view spans 235 .. 1147 across on the default screen.
    const fs::path script = Write("still.play",
        "camera-still Page page.bmp\n"
        "start\n"
        "expect pixel 300 400 E02020 12\n"
        "expect pixel 1100 400 2020E0 12\n"
        "expect pixel 100 400 646464\n");
    const Played p = Play(script);
    EXPECT_EQ(p.code, 0) << p.said;
}

} // namespace
