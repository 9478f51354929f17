// The real program, end to end, on a private virtual X server: the demo
// build (an emulated document camera) starts, its live picture and the
// tool palette reach the screen, the palette's PEN and a drag made with the
// XTest extension leave a stroke on the picture, the mode switch freezes
// the screen into a board that takes a stroke and is saved through the save
// dialog, and closing ends the program with status 0. Another X connection
// plays the teacher and reads the screen.

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
#include <cstring>
#include <filesystem>
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

// Where the palette's buttons are, from its top-left corner: template 102
// laid out in 9-point Song, the bitmap buttons sized to their pictures.
constexpr struct {
    int x, y;
} kPen { 22, 76 }, kMode { 22, 41 }, kSave { 21, 517 }, kClose { 30, 9 }, kLineType { 22, 349 }, kOpacity { 22, 385 };
// The popups' controls, from the palette's top-left corner: the line type
// popup opens 120 pixels left of the palette, the opacity popup 225.
constexpr struct {
    int x, y;
} kDashed { -120 + 61, 282 + 111 }, kSlider { -225 + 87, 318 + 52 }, kOk { -225 + 83, 318 + 125 };

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
            // The test types into the built-in save dialog, whatever file
            // chooser the session running the tests offers.
            setenv("INKVEIL_FILE_DIALOG", "builtin", 1);
            PrepareChild();
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

    // The tool palette: the tall, shown top-level window of the utility
    // type. Answers its place on the screen.
    Window Palette(XWindowAttributes& where)
    {
        Window rootOut, parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (!XQueryTree(display_, root_, &rootOut, &parent, &children, &count))
            return 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display_, children[i], &a) && a.map_state == IsViewable && a.height > 500
                && a.width < 200 && HasAtom(children[i], "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_UTILITY")) {
                found = children[i];
                where = a;
            }
        }
        if (children)
            XFree(children);
        return found;
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

TEST_F(ProgramTest, TheLivePictureShowsTakesAStrokeAndTheProgramEndsWhenClosed)
{
    int y = 0, x0 = 0, x1 = 0;
    ASSERT_TRUE(Eventually([&] { return FindPaperRow(y, x0, x1); }))
        << "the camera's picture never reached the screen";
    XWindowAttributes palette {};
    ASSERT_TRUE(Eventually([&] { return Palette(palette) != 0; })) << "no palette";

    // The pen, then a horizontal stroke across the middle of the paper.
    Click(palette.x + kPen.x, palette.y + kPen.y);
    const int from = x0 + 30, to = std::min(x1 - 30, from + 200);
    Drag(from, to, y);

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

TEST_F(ProgramTest, ThePaletteSitsAtTheEdgeFreezesTheScreenIntoABoardSavesItAndCloses)
{
    int y = 0, x0 = 0, x1 = 0;
    ASSERT_TRUE(Eventually([&] { return FindPaperRow(y, x0, x1); })) << "the camera's picture never reached the screen";
    XWindowAttributes palette {};
    const Window paletteWindow = [&] {
        Window w = 0;
        Eventually([&] { return (w = Palette(palette)) != 0; });
        return w;
    }();
    ASSERT_NE(paletteWindow, 0u) << "no palette";
    EXPECT_TRUE(HasAtom(paletteWindow, "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR")) << "no task bar entry";

    // At the right edge, 48 pixels in; the skin's 42 columns show, the
    // rest of the window is cut away: the main window's grey shows there,
    // and the pointer there is over the main window, not the palette.
    int w = 0, h = 0;
    std::vector<Rgb> screen = Screen(w, h);
    EXPECT_EQ(palette.x, w - 48);
    auto at = [&](const std::vector<Rgb>& s, int x, int yy) { return s[static_cast<std::size_t>(yy) * w + x]; };
    const int row = palette.y + 300;
    const Rgb cut = at(screen, palette.x + 44, row);
    EXPECT_TRUE(cut.r == 100 && cut.g == 100 && cut.b == 100) << cut.r << "," << cut.g << "," << cut.b;
    const Rgb skin = at(screen, palette.x + 4, row);
    EXPECT_FALSE(skin.r == 100 && skin.g == 100 && skin.b == 100) << "the skin shows";
    Hand(palette.x + 44, row);
    Window rootOut = 0, child = 0;
    int rx, ry, wx, wy;
    unsigned mask;
    XQueryPointer(display_, root_, &rootOut, &child, &rx, &ry, &wx, &wy, &mask);
    EXPECT_NE(child, paletteWindow) << "click-through where the skin is cut away";
    Hand(palette.x + 4, row);
    XQueryPointer(display_, root_, &rootOut, &child, &rx, &ry, &wx, &wy, &mask);
    EXPECT_EQ(child, paletteWindow);

    // The mode switch: the picture stops moving, the board shows it.
    auto region = [&](const std::vector<Rgb>& s) {
        std::vector<int> out;
        for (int yy = 40; yy < h; yy += 3)
            for (int x = 0; x < palette.x; x += 3) {
                const Rgb c = at(s, x, yy);
                out.push_back(c.r << 16 | c.g << 8 | c.b);
            }
        return out;
    };
    Click(palette.x + kMode.x, palette.y + kMode.y);
    // The camera's mark moves all the time: two pictures half a second apart
    // agree only once the board shows the frozen screen.
    bool still = false;
    for (int tries = 0; tries < 10 && !still; ++tries) {
        const std::vector<int> before = region(Screen(w, h));
        usleep(500000);
        still = region(Screen(w, h)) == before;
    }
    EXPECT_TRUE(still) << "the board never showed a still picture";

    // A stroke on the board with the pen.
    Click(palette.x + kPen.x, palette.y + kPen.y);
    const int from = x0 + 30, to = std::min(x1 - 30, from + 200);
    Drag(from, to, y);
    auto inked = [&](const std::vector<Rgb>& s) {
        int n = 0;
        for (int x = from + 5; x <= to - 5; ++x)
            n += Ink(at(s, x, y));
        return n >= (to - from - 10) * 9 / 10;
    };
    EXPECT_TRUE(Eventually([&] { return inked(Screen(w, h)); })) << "no stroke on the board";

    // SAVE, a path typed into the save dialog, Return.
    const std::string folder = "/tmp/inkveil-e2e-" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/board.bmp";
    // The save dialog comes up over the middle of the screen.
    auto middle = [&] {
        std::vector<Rgb> shot = Screen(w, h);
        std::vector<int> out;
        for (int yy = h / 3; yy < h * 2 / 3; yy += 4)
            for (int x = w / 3; x < w * 2 / 3; x += 4) {
                const Rgb c = at(shot, x, yy);
                out.push_back(c.r << 16 | c.g << 8 | c.b);
            }
        return out;
    };
    const std::vector<int> board = middle();
    Click(palette.x + kSave.x, palette.y + kSave.y);
    ASSERT_TRUE(Eventually([&] { return middle() != board; })) << "no save dialog";
    usleep(300000);
    Type(path);
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(path); })) << "nothing saved";
    usleep(200000);
    // Pillow reads the file: the board's size (the screen but its top 18
    // rows) and the stroke's colour where it was drawn.
    const std::string script = "from PIL import Image; im = Image.open('" + path + "'); print(im.size[0], im.size[1]); "
        + "print(*im.convert('RGB').getpixel((" + std::to_string((from + to) / 2) + ", " + std::to_string(y - 18)
        + ")))";
    FILE* pillow = popen(("/usr/bin/python3 -c \"" + script + "\"").c_str(), "r");
    ASSERT_NE(pillow, nullptr);
    int fw = 0, fh = 0;
    Rgb ink {};
    const int read = std::fscanf(pillow, "%d %d %d %d %d", &fw, &fh, &ink.r, &ink.g, &ink.b);
    pclose(pillow);
    std::filesystem::remove_all(folder);
    ASSERT_EQ(read, 5) << "Pillow could not read the file";
    EXPECT_EQ(fw, w);
    EXPECT_EQ(fh, h - 18);
    EXPECT_TRUE(Ink(ink)) << ink.r << "," << ink.g << "," << ink.b;

    // CLOSE ends the program.
    Click(palette.x + kClose.x, palette.y + kClose.y);
    int status = -1;
    ASSERT_TRUE(Eventually([&] { return waitpid(child_, &status, WNOHANG) == child_; }))
        << "the program did not end on CLOSE";
    exited_ = true;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(ProgramTest, ThePopupsChooseADashedLineAndThirtyPercentForTheNextStrokes)
{
    int y = 0, x0 = 0, x1 = 0;
    ASSERT_TRUE(Eventually([&] { return FindPaperRow(y, x0, x1); })) << "the camera's picture never reached the screen";
    XWindowAttributes palette {};
    ASSERT_TRUE(Eventually([&] { return Palette(palette) != 0; })) << "no palette";

    // A popup is up once the screen around one of its controls changed.
    auto around = [&](int cx, int cy) {
        int w = 0, h = 0;
        std::vector<Rgb> s = Screen(w, h);
        std::vector<int> out;
        for (int yy = cy - 8; yy <= cy + 8 && !s.empty(); ++yy)
            for (int x = cx - 8; x <= cx + 8; ++x) {
                const Rgb c = s[static_cast<std::size_t>(yy) * w + x];
                out.push_back(c.r << 16 | c.g << 8 | c.b);
            }
        return out;
    };
    struct Spot {
        int x, y;
    };
    auto openPopup = [&](Spot button, Spot control) {
        const std::vector<int> before = around(control.x, control.y);
        Click(button.x, button.y);
        return Eventually([&] { return around(control.x, control.y) != before; });
    };

    // The line type popup, its dashed button, then the pen on the paper.
    const Spot dashed { palette.x + kDashed.x, palette.y + kDashed.y };
    ASSERT_TRUE(openPopup(Spot { palette.x + kLineType.x, palette.y + kLineType.y }, dashed)) << "no line type popup";
    usleep(100000);
    Click(dashed.x, dashed.y);
    Click(palette.x + kPen.x, palette.y + kPen.y);
    const int from = x0 + 30, to = std::min(x1 - 30, from + 200);
    Drag(from, to, y);
    // Along the stroke: ink, paper, ink again, several times over.
    auto gaps = [&] {
        int w = 0, h = 0;
        std::vector<Rgb> s = Screen(w, h);
        if (s.empty())
            return 0;
        int n = 0;
        bool inked = false;
        for (int x = from + 5; x <= to - 5; ++x) {
            const bool ink = Ink(s[static_cast<std::size_t>(y) * w + x]);
            n += inked && !ink;
            inked = ink;
        }
        return n;
    };
    EXPECT_TRUE(Eventually([&] { return gaps() >= 5; })) << "no dashes: " << gaps() << " gaps";

    // The opacity popup: the slider to 30 by the keyboard, OK.
    const Spot slider { palette.x + kSlider.x, palette.y + kSlider.y };
    ASSERT_TRUE(openPopup(Spot { palette.x + kOpacity.x, palette.y + kOpacity.y }, slider)) << "no opacity popup";
    usleep(100000);
    Click(slider.x, slider.y);
    Key(XK_Home);
    for (int i = 0; i < 30; ++i)
        Key(XK_Right);
    Click(palette.x + kOk.x, palette.y + kOk.y);

    // A stroke lower down: red at alpha 76 (30 %) over the paper beside it.
    const int row = y + 40;
    Drag(from, to, row);
    usleep(300000);
    int w = 0, h = 0;
    const std::vector<Rgb> s = Screen(w, h);
    ASSERT_FALSE(s.empty());
    auto at = [&](int x, int yy) { return s[static_cast<std::size_t>(yy) * w + x]; };
    const Rgb paper = at(from - 20, row);
    int blended = 0;
    for (int x = from + 5; x <= to - 5; ++x) {
        const Rgb c = at(x, row);
        auto near = [](int got, int under, int over) { return std::abs(got - (over * 76 + under * 179) / 255) <= 4; };
        blended += near(c.r, paper.r, 255) && near(c.g, paper.g, 0) && near(c.b, paper.b, 0);
    }
    EXPECT_GE(blended, 20) << "no dash at 30 % over " << paper.r << "," << paper.g << "," << paper.b;
}

// The program with the desktop's file chooser: a stand-in kdialog on the
// search path that notes its arguments and answers a name without an
// extension.
class DesktopChooserTest : public ProgramTest {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(folder_);
        std::FILE* script = std::fopen(kdialog_.c_str(), "w");
        ASSERT_NE(script, nullptr);
        std::fprintf(script, "#!/bin/sh\nprintf '%%s\\n' \"$@\" > '%s/args'\nprintf '%%s\\n' '%s/tafel'\n",
            folder_.c_str(), folder_.c_str());
        std::fclose(script);
        std::filesystem::permissions(kdialog_, std::filesystem::perms::owner_all);
        ProgramTest::SetUp();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        std::filesystem::remove_all(folder_);
    }
    void PrepareChild() override
    {
        setenv("INKVEIL_FILE_DIALOG", "kdialog", 1);
        const char* path = std::getenv("PATH");
        setenv("PATH", (folder_ + ":" + (path ? path : "/usr/bin")).c_str(), 1);
    }

    const std::string folder_ = "/tmp/inkveil-e2e-chooser-" + std::to_string(getpid());
    const std::string kdialog_ = folder_ + "/kdialog";
};

TEST_F(DesktopChooserTest, TheBoardIsSavedWhereTheDesktopsChooserSaysOverTheProgramsWindow)
{
    XWindowAttributes palette {};
    ASSERT_TRUE(Eventually([&] { return Palette(palette) != 0; })) << "no palette";
    Click(palette.x + kMode.x, palette.y + kMode.y);
    // SAVE does nothing until the board is up; the chooser runs once it is.
    const std::string saved = folder_ + "/tafel.bmp";
    ASSERT_TRUE(Eventually([&] {
        if (!std::filesystem::exists(folder_ + "/args"))
            Click(palette.x + kSave.x, palette.y + kSave.y);
        return std::filesystem::exists(saved);
    })) << "nothing saved";

    std::vector<std::string> args;
    std::FILE* in = std::fopen((folder_ + "/args").c_str(), "r");
    ASSERT_NE(in, nullptr);
    for (char line[512]; std::fgets(line, sizeof line, in);)
        args.emplace_back(line, std::strcspn(line, "\n"));
    std::fclose(in);
    ASSERT_EQ(args.size(), 7u);
    EXPECT_EQ(args[0], "--title");
    EXPECT_EQ(args[1], "另存为");
    EXPECT_EQ(args[4], "--getsavefilename");
    EXPECT_EQ(args[6], "*.bmp|BMP图像 (*.bmp)");
    // The chooser stands over the program's main window, a window of the
    // display.
    ASSERT_EQ(args[2], "--attach");
    const Window owner = std::strtoul(args[3].c_str(), nullptr, 16);
    XWindowAttributes attributes {};
    EXPECT_NE(XGetWindowAttributes(display_, owner, &attributes), 0) << args[3];
    EXPECT_EQ(attributes.map_state, IsViewable);
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
