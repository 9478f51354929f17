// A second start of the program on the display where it runs: the running
// one (inkveil --demo, the fixture's) comes forward from under another
// program's window and from being minimised, and the second ends with
// status 0 at once, without a camera and without a window of its own.

#include "tests/e2e/ProgramFixture.h"

#include <chrono>
#include <set>

namespace {

using namespace e2e;

class SecondStartTest : public ProgramTest {
protected:
    // Runs the program with the arguments; answers its exit status (-1 when
    // it did not end within ten seconds) and what it wrote on stderr.
    int RunSecond(const std::vector<std::string>& args, std::string& said)
    {
        int err[2];
        if (pipe(err) != 0)
            return -1;
        const pid_t second = fork();
        if (second == 0) {
            setenv("DISPLAY", test::XvfbServer::Shared().Display().c_str(), 1);
            setenv("LSAN_OPTIONS", ("suppressions=" + suppressions_).c_str(), 1);
            dup2(err[1], 2);
            std::vector<char*> argv { const_cast<char*>(INKVEIL_PROGRAM) };
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(INKVEIL_PROGRAM, argv.data());
            _exit(127);
        }
        close(err[1]);
        int status = -1;
        const bool ended = Eventually([&] { return waitpid(second, &status, WNOHANG) == second; });
        if (!ended) {
            kill(second, SIGKILL);
            waitpid(second, nullptr, 0);
        }
        char buffer[256];
        for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;)
            said.append(buffer, static_cast<std::size_t>(n));
        close(err[0]);
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool Viewable(Window w)
    {
        XWindowAttributes a;
        return XGetWindowAttributes(display_, w, &a) && a.map_state == IsViewable;
    }

    // Whether a stands over b among the root's children.
    bool Over(Window a, Window b)
    {
        Window rootOut, parent, *children = nullptr;
        unsigned count = 0;
        int at = -1, bt = -1;
        if (XQueryTree(display_, root_, &rootOut, &parent, &children, &count)) {
            for (unsigned i = 0; i < count; ++i) {
                at = children[i] == a ? static_cast<int>(i) : at;
                bt = children[i] == b ? static_cast<int>(i) : bt;
            }
            XFree(children);
        }
        return at > bt && bt >= 0;
    }
};

TEST_F(SecondStartTest, BringsTheRunningOneForwardAndEndsWithoutACameraOrAWindow)
{
    int y = 0, x0 = 0, x1 = 0;
    ASSERT_TRUE(Eventually([&] { return FindPaperRow(y, x0, x1); })) << "the camera's picture never reached the screen";
    Window main = 0;
    ASSERT_TRUE(Eventually([&] { return (main = MainWindow()) != 0 && Viewable(main); })) << "no main window";

    // What the server does while the second runs: every window mapped.
    XSelectInput(display_, root_, SubstructureNotifyMask);

    struct Case {
        std::vector<std::string> args;
        bool minimised; // as a window manager minimises: the window unmapped
    };
    // A --device that does not exist would be reported on stderr by a start
    // that went as far as the cameras; --demo would load the emulated one.
    const Case cases[] = {
        { { "--device", "/nonexistent/video9" }, false },
        { { "--device", "/nonexistent/video9" }, true },
        { { "--demo" }, true },
        { {}, false },
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& a : c.args)
            shown += a + " ";
        SCOPED_TRACE(shown + (c.minimised ? "(minimised)" : "(covered)"));

        // Another program's window over the whole screen.
        XSetWindowAttributes attributes {};
        attributes.background_pixel = BlackPixel(display_, DefaultScreen(display_));
        const Window cover = XCreateWindow(display_, root_, 0, 0, DisplayWidth(display_, 0), DisplayHeight(display_, 0),
            0, CopyFromParent, InputOutput, CopyFromParent, CWBackPixel, &attributes);
        XMapRaised(display_, cover);
        if (c.minimised)
            XUnmapWindow(display_, main);
        XSync(display_, False);
        ASSERT_TRUE(Over(cover, main) || !Viewable(main));
        XSync(display_, True); // forget the events so far

        std::string said;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(RunSecond(c.args, said), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_EQ(said, "") << "the second start went on to the cameras";

        EXPECT_TRUE(Eventually([&] { return Viewable(main) && Over(main, cover); }))
            << "the running program's window did not come forward";
        // No window was shown but the running program's own.
        std::set<Window> mapped;
        XSync(display_, False);
        while (XPending(display_)) {
            XEvent ev;
            XNextEvent(display_, &ev);
            if (ev.type == MapNotify)
                mapped.insert(ev.xmap.window);
        }
        for (Window w : mapped)
            EXPECT_EQ(w & ~0x1FFFFFul, main & ~0x1FFFFFul) << "a window of another client was shown: " << w;
        EXPECT_EQ(waitpid(child_, nullptr, WNOHANG), 0) << "the running program ended";

        XDestroyWindow(display_, cover);
        XSync(display_, False);
    }
}

} // namespace
