// The program's executable run as a process with each option and each kind
// of misuse: what it prints on which stream and the status it exits with.
// The environment is emptied first, so that no display is reachable: a run
// that went on to start the program would fail to find one, and say so.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the program with the arguments (shell words) and the environment
// (NAME=value words) and nothing else.
Outcome RunProgram(const std::string& args, const std::string& environment = "")
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path()
        / ("inkveil-options-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string command = "env -i " + environment + " '" INKVEIL_PROGRAM "' " + args + " >'"
        + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "' </dev/null";
    Outcome run;
    const int raw = std::system(command.c_str());
    if (raw != -1 && WIFEXITED(raw))
        run.status = WEXITSTATUS(raw);
    run.out = ReadAll(dir / "out");
    run.err = ReadAll(dir / "err");
    std::filesystem::remove_all(dir);
    return run;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ProgramOptionTest, HelpGoesToStandardOutputInTheLocalesLanguage)
{
    struct Case {
        const char* args;
        const char* environment;
        const char* heading;
    };
    const Case cases[] = {
        { "--help", "LANG=C", "Usage:" },
        { "-h", "", "Usage:" },
        { "--help", "LANG=en_GB.UTF-8", "Usage:" },
        { "--help", "LANG=zh_CN.UTF-8", "用法：" },
        { "-h", "LC_MESSAGES=zh_CN.UTF-8 LANG=C", "用法：" },
        { "--help", "LC_ALL=C LANG=zh_CN.UTF-8", "Usage:" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.args) + " with " + c.environment);
        const Outcome run = RunProgram(c.args, c.environment);
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(Contains(run.out, c.heading)) << run.out;
        EXPECT_TRUE(Contains(run.out, "--device")) << run.out;
        EXPECT_EQ(run.err, "");
    }
}

TEST(ProgramOptionTest, VersionGoesToStandardOutput)
{
    for (const char* args : { "--version", "-V" }) {
        const Outcome run = RunProgram(args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_EQ(run.out, "inkveil " INKVEIL_VERSION "\n") << args;
        EXPECT_EQ(run.err, "") << args;
    }
}

TEST(ProgramOptionTest, TheCameraListNeedsNoDisplay)
{
    // Whatever cameras this machine has, the list is printed without a
    // display (the environment is empty) and the program exits 0.
    for (const char* args : { "--list-cameras", "--list-cameras --device /dev/video0" }) {
        const Outcome run = RunProgram(args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_NE(run.out, "") << args;
        EXPECT_FALSE(Contains(run.err, "DISPLAY")) << args << ": " << run.err;
    }
}

TEST(ProgramOptionTest, MisuseExitsTwoWithTheUsageOnStandardError)
{
    struct Case {
        const char* args;
        const char* named; // what the error names
    };
    const Case cases[] = {
        { "--bogus", "--bogus" },
        { "-x", "-x" },
        { "--device", "--device" },
        { "-d", "-d" },
        { "--device=", "--device" },
        { "--version=2", "--version=2" },
        { "/dev/video0", "/dev/video0" },
        { "--help --bogus", "--bogus" },
        { "--list-cameras=1", "--list-cameras=1" },
        { "--demo=rgb", "rgb" },
        { "--demo yuyv", "yuyv" },
        { "--de", "--de" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        for (const char* environment : { "LANG=C", "LANG=zh_CN.UTF-8" }) {
            const Outcome run = RunProgram(c.args, environment);
            EXPECT_EQ(run.status, 2) << environment;
            EXPECT_EQ(run.out, "") << environment;
            EXPECT_TRUE(Contains(run.err, c.named)) << run.err;
            EXPECT_TRUE(Contains(run.err, "--help")) << "the usage follows: " << run.err;
        }
    }
}

TEST(ProgramOptionTest, TheDeviceOptionIsTakenAndTheProgramStarts)
{
    // Accepted, the option lets the program go on to start; with no
    // display it stops there with its own message and status 1, which
    // shows that the command line let it through.
    const Outcome named = RunProgram("--device /nonexistent/video7");
    EXPECT_EQ(named.status, 1);
    EXPECT_EQ(named.out, "");
    EXPECT_TRUE(Contains(named.err, "/nonexistent/video7: no such device")) << named.err;
    EXPECT_TRUE(Contains(named.err, "DISPLAY")) << named.err;

    const Outcome present = RunProgram("-d /dev/null");
    EXPECT_EQ(present.status, 1);
    EXPECT_FALSE(Contains(present.err, "no such device")) << present.err;
    EXPECT_TRUE(Contains(present.err, "DISPLAY")) << present.err;

    const Outcome none = RunProgram("");
    EXPECT_EQ(none.status, 1) << "no arguments: the program as ever";
    EXPECT_TRUE(Contains(none.err, "DISPLAY")) << none.err;
}

TEST(ProgramOptionTest, TheDemoRunsOnTheEmulatedCameraFromItsLibrary)
{
    // The camera list shows what --demo put in place of the cameras: the
    // library was found beside the executable, loaded, and its device
    // system installed.
    struct Case {
        const char* args;
        const char* camera;
        const char* format;
    };
    const Case cases[] = {
        { "--demo --list-cameras", "/dev/video0: Demo Document Camera", "YUYV: 1280x720" },
        { "--demo=yuyv --list-cameras", "/dev/video0: Bench Document Camera", "YUYV: 1920x1080" },
        { "--demo=mjpg --list-cameras", "/dev/video0: Bench Document Camera", "MJPG: 1920x1080" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Outcome run = RunProgram(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(Contains(run.out, c.camera)) << run.out;
        EXPECT_TRUE(Contains(run.out, c.format)) << run.out;
        EXPECT_EQ(run.out.find("/dev/video", 1), std::string::npos) << "only the emulated camera: " << run.out;
    }

    // Without a display the demonstration gets as far as the display.
    const Outcome run = RunProgram("--demo");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "DISPLAY")) << run.err;
    EXPECT_FALSE(Contains(run.err, "cannot be loaded")) << run.err;
}

TEST(ProgramOptionTest, WithoutItsLibraryTheDemoSaysWhereItLookedAndFails)
{
    // The executable alone in a folder: neither beside it nor in the
    // installed library folder is there an emulated camera.
    const std::filesystem::path dir = std::filesystem::temp_directory_path()
        / ("inkveil-nodemo-" + std::to_string(getpid())) / "bin";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(INKVEIL_PROGRAM, dir / "inkveil");
    const std::string command = "env -i '" + (dir / "inkveil").string() + "' --demo --list-cameras 2>&1";
    std::string said;
    int status = -1;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            said.append(buffer, n);
        const int raw = pclose(pipe);
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::filesystem::remove_all(dir.parent_path());
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(Contains(said, "--demo: the emulated camera cannot be loaded")) << said;
    EXPECT_TRUE(Contains(said, (dir / "inkveil-democamera.so").string())) << said;
    EXPECT_TRUE(Contains(said, "/lib")) << "the installed place is tried too: " << said;
    EXPECT_FALSE(Contains(said, "Document Camera")) << said;
}

} // namespace
