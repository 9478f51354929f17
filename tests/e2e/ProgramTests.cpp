// The real program, end to end, on a private virtual X server: the program
// on its emulated document camera (--demo) starts, its live picture and the
// tool palette reach the screen, the palette's PEN and a drag made with the
// XTest extension leave a stroke on the picture, the mode switch freezes
// the screen into a board that takes a stroke and is saved through the save
// dialog, and closing ends the program with status 0. Another X connection
// plays the teacher and reads the screen.

#include "tests/e2e/ProgramFixture.h"

namespace {

using namespace e2e;

// The popups' controls, from the palette's top-left corner: the line type
// popup opens 120 pixels left of the palette, the opacity popup 225.
constexpr struct {
    int x, y;
} kDashed { -120 + 61, 282 + 111 }, kSlider { -225 + 87, 318 + 52 }, kOk { -225 + 83, 318 + 125 };

TEST_F(ProgramTest, TheLivePictureShowsTakesAStrokeAndTheProgramEndsWhenClosed)
{
    int y = 0, x0 = 0, x1 = 0;
    ASSERT_TRUE(Eventually([&] { return FindPaperRow(y, x0, x1); })) << "the camera's picture never reached the screen";
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
