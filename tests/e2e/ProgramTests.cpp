// The real program, end to end, on a private virtual X server: the demo
// build (an emulated document camera, the pen chosen) starts, its live
// picture reaches the screen, a drag made with the XTest extension leaves a
// stroke on the picture, and closing the main window ends the program with
// status 0. Another X connection plays the teacher and reads the screen.

#include <gtest/gtest.h>

#include "tests/platform/x11/XvfbServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

// A LeakSanitizer suppression file for fontconfig's lasting start-up
// allocations, in the temporary folder; the test removes it.
std::string FontconfigSuppressions()
{
    const std::string path = "/tmp/inkveil-e2e-lsan-" + std::to_string(getpid()) + ".supp";
    if (FILE* f = std::fopen(path.c_str(), "w")) {
        std::fputs("leak:libfontconfig.so\n", f);
        std::fclose(f);
    }
    return path;
}

// Polls until done holds, for at most about ten seconds: the program is a
// separate process that starts its camera and repaints on its own clock.
bool Eventually(const std::function<bool()>& done)
{
    for (int i = 0; i < 500; ++i) {
        if (done())
            return true;
        usleep(20000);
    }
    return false;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::XvfbServer& server = test::XvfbServer::Shared();
        if (!server.Installed())
            GTEST_SKIP() << "no Xvfb binary: the end-to-end test needs a virtual X server";
        ASSERT_FALSE(server.Display().empty()) << server.Error();
        display_ = XOpenDisplay(server.Display().c_str());
        ASSERT_NE(display_, nullptr);
        root_ = DefaultRootWindow(display_);

        suppressions_ = FontconfigSuppressions();
        child_ = fork();
        ASSERT_GE(child_, 0);
        if (child_ == 0) {
            setenv("DISPLAY", server.Display().c_str(), 1);
            // In sanitizer builds the program reports leaks as it ends;
            // fontconfig's start-up keeps a few hundred bytes for good, the
            // same that every test program is told to let pass.
            setenv("LSAN_OPTIONS", ("suppressions=" + suppressions_).c_str(), 1);
            execl(INKVEIL_DEMO, INKVEIL_DEMO, static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    void TearDown() override
    {
        if (child_ > 0 && !exited_) {
            kill(child_, SIGKILL);
            waitpid(child_, nullptr, 0);
        }
        if (display_)
            XCloseDisplay(display_);
        if (!suppressions_.empty())
            std::remove(suppressions_.c_str());
    }

    std::vector<Rgb> Screen(int& width, int& height)
    {
        XWindowAttributes a;
        XGetWindowAttributes(display_, root_, &a);
        width = a.width;
        height = a.height;
        std::vector<Rgb> out;
        XImage* image = XGetImage(display_, root_, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
        if (!image)
            return out;
        out.reserve(static_cast<std::size_t>(a.width) * a.height);
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                out.push_back(Rgb { static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                    static_cast<int>(p & 0xFF) });
            }
        XDestroyImage(image);
        return out;
    }

    // The demo camera's paper: near white, a little warm.
    static bool Paper(const Rgb& c) { return c.r > 230 && c.g > 228 && c.b > 215 && c.r >= c.b; }
    // The pen's default colour, red at half opacity, over the paper.
    static bool Ink(const Rgb& c) { return c.r > 200 && c.g < 170 && c.b < 170; }

    // The widest run of paper on the screen's middle row: where to draw.
    bool FindPaperRow(int& y, int& x0, int& x1)
    {
        int w = 0, h = 0;
        std::vector<Rgb> s = Screen(w, h);
        if (s.empty())
            return false;
        int best = 0;
        for (int row = h / 3; row < h * 2 / 3; row += 7) {
            int run = 0;
            for (int x = 0; x < w; ++x) {
                run = Paper(s[static_cast<std::size_t>(row) * w + x]) ? run + 1 : 0;
                if (run > best) {
                    best = run;
                    y = row;
                    x1 = x;
                    x0 = x - run + 1;
                }
            }
        }
        return best >= 120;
    }

    void Hand(int x, int y)
    {
        XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
        XSync(display_, False);
        usleep(10000);
    }

    void Button(bool down)
    {
        XTestFakeButtonEvent(display_, 1, down ? True : False, CurrentTime);
        XSync(display_, False);
        usleep(10000);
    }

    // The program's main window: the top-level window that takes
    // WM_DELETE_WINDOW.
    Window MainWindow()
    {
        const Atom protocols = XInternAtom(display_, "WM_PROTOCOLS", False);
        const Atom deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        Window rootOut, parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (!XQueryTree(display_, root_, &rootOut, &parent, &children, &count))
            return 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            Atom* atoms = nullptr;
            int n = 0;
            if (XGetWMProtocols(display_, children[i], &atoms, &n)) {
                for (int k = 0; k < n; ++k)
                    if (atoms[k] == deleteWindow)
                        found = children[i];
                XFree(atoms);
            }
        }
        if (children)
            XFree(children);
        (void)protocols;
        return found;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    pid_t child_ = -1;
    bool exited_ = false;
    std::string suppressions_;
};

TEST_F(ProgramTest, TheLivePictureShowsTakesAStrokeAndTheProgramEndsWhenClosed)
{
    int y = 0, x0 = 0, x1 = 0;
    ASSERT_TRUE(Eventually([&] { return FindPaperRow(y, x0, x1); }))
        << "the camera's picture never reached the screen";

    // A horizontal stroke across the middle of the paper.
    const int from = x0 + 30, to = std::min(x1 - 30, from + 200);
    Hand(from, y);
    Button(true);
    for (int x = from; x <= to; x += 10)
        Hand(x, y);
    Button(false);

    auto inkAlongStroke = [&] {
        int w = 0, h = 0;
        std::vector<Rgb> s = Screen(w, h);
        int inked = 0;
        for (int x = from + 5; x <= to - 5; ++x)
            inked += !s.empty() && Ink(s[static_cast<std::size_t>(y) * w + x]);
        return inked >= (to - from - 10) * 9 / 10;
    };
    EXPECT_TRUE(Eventually(inkAlongStroke)) << "the stroke never showed on the picture";

    // Still there after the picture has repainted many times.
    usleep(300000);
    EXPECT_TRUE(inkAlongStroke()) << "the repaints lost the stroke";

    const Window main = MainWindow();
    ASSERT_NE(main, 0u) << "no window takes WM_DELETE_WINDOW";
    XEvent close {};
    close.xclient.type = ClientMessage;
    close.xclient.window = main;
    close.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, main, False, NoEventMask, &close);
    XSync(display_, False);

    int status = -1;
    ASSERT_TRUE(Eventually([&] { return waitpid(child_, &status, WNOHANG) == child_; }))
        << "the program did not end when its main window closed";
    exited_ = true;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ProgramStart, WithoutADisplayTheProgramSaysSoAndFails)
{
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        unsetenv("DISPLAY");
        dup2(out[1], 2);
        execl(INKVEIL_PROGRAM, INKVEIL_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string said;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = -1;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(WEXITSTATUS(status), 127) << "the program did not start at all";
    EXPECT_NE(said.find("DISPLAY"), std::string::npos) << said;
}

} // namespace
