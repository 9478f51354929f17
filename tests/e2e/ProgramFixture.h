#pragma once

// The fixture of the end-to-end tests: the program on its emulated camera
// (inkveil --demo) started as a separate process on the private virtual X
// server, another X connection that plays the teacher with the XTest
// extension and reads the screen.

#include <gtest/gtest.h>

#include "tests/platform/x11/XvfbServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace e2e {

struct Rgb {
    int r, g, b;
};

// Where the palette's buttons are, from its top-left corner: template 102
// laid out in 9-point Song, the bitmap buttons sized to their pictures.
constexpr struct {
    int x, y;
} kPen { 22, 76 }, kMode { 22, 41 }, kSave { 21, 517 }, kClose { 30, 9 }, kLineType { 22, 349 }, kOpacity { 22, 385 };

// A LeakSanitizer suppression file for fontconfig's lasting start-up
// allocations, in the temporary folder; the test removes it.
inline std::string FontconfigSuppressions()
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
inline bool Eventually(const std::function<bool()>& done)
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
            // The tests type into the built-in save dialog, whatever file
            // chooser the session running them offers.
            setenv("INKVEIL_FILE_DIALOG", "builtin", 1);
            PrepareChild();
            execl(INKVEIL_PROGRAM, INKVEIL_PROGRAM, "--demo", static_cast<char*>(nullptr));
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

    void Click(int x, int y)
    {
        Hand(x, y);
        Button(true);
        Button(false);
        usleep(100000);
    }

    // A horizontal drag from x0 to x1 along row y.
    void Drag(int x0, int x1, int y)
    {
        Hand(x0, y);
        Button(true);
        for (int x = x0; x <= x1; x += 10)
            Hand(x, y);
        Button(false);
    }

    void Key(KeySym symbol)
    {
        const KeyCode code = XKeysymToKeycode(display_, symbol);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        XSync(display_, False);
        usleep(10000);
    }

    // Types text that needs no shift key (lower-case letters, digits and
    // "/.-"), then Return.
    void Type(const std::string& text)
    {
        for (char c : text) {
            const KeyCode code = XKeysymToKeycode(display_, static_cast<KeySym>(static_cast<unsigned char>(c)));
            XTestFakeKeyEvent(display_, code, True, CurrentTime);
            XTestFakeKeyEvent(display_, code, False, CurrentTime);
        }
        const KeyCode ret = XKeysymToKeycode(display_, XK_Return);
        XTestFakeKeyEvent(display_, ret, True, CurrentTime);
        XTestFakeKeyEvent(display_, ret, False, CurrentTime);
        XSync(display_, False);
        usleep(10000);
    }

    bool HasAtom(Window w, const char* property, const char* value)
    {
        const Atom prop = XInternAtom(display_, property, False);
        const Atom want = XInternAtom(display_, value, False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        bool found = false;
        if (XGetWindowProperty(display_, w, prop, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data)
                == Success
            && data) {
            const auto* atoms = reinterpret_cast<const Atom*>(data);
            for (unsigned long i = 0; i < count; ++i)
                found = found || atoms[i] == want;
            XFree(data);
        }
        return found;
    }

    // The first shown top-level window that match accepts, and its place
    // on the screen.
    template <typename Match>
    Window ShownTopLevel(XWindowAttributes& where, Match match)
    {
        Window rootOut, parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (!XQueryTree(display_, root_, &rootOut, &parent, &children, &count))
            return 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display_, children[i], &a) && a.map_state == IsViewable && match(children[i], a)) {
                found = children[i];
                where = a;
            }
        }
        if (children)
            XFree(children);
        return found;
    }

    // The tool palette: the tall, shown top-level window of the utility
    // type.
    Window Palette(XWindowAttributes& where)
    {
        return ShownTopLevel(where, [&](Window w, const XWindowAttributes& a) {
            return a.height > 500 && a.width < 200 && HasAtom(w, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_UTILITY");
        });
    }

    // The camera toolbar: the wide, low, shown top-level window.
    Window Toolbar(XWindowAttributes& where)
    {
        return ShownTopLevel(where,
            [](Window, const XWindowAttributes& a) { return a.width > 1000 && a.height < 200; });
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

    // Runs in the program's process before it starts: a test's own
    // environment.
    virtual void PrepareChild() { }

    Display* display_ = nullptr;
    Window root_ = 0;
    pid_t child_ = -1;
    bool exited_ = false;
    std::string suppressions_;
};

} // namespace e2e
