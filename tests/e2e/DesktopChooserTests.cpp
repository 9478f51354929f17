// The program with the desktop's file chooser, end to end: a stand-in
// kdialog on the search path (INKVEIL_FILE_DIALOG=kdialog) notes its
// arguments and answers a name without an extension. The board and the
// photograph are saved there, with the program's default extension; the
// chooser is told to stand over the program's main window; and the live
// picture keeps moving while the chooser has the user.

#include "tests/e2e/ProgramFixture.h"

#include <cstring>

namespace {

using namespace e2e;

// The toolbar's photo button, from the toolbar's top-left corner.
constexpr struct {
    int x, y;
} kPhoto { 1081, 73 };

class DesktopChooserTest : public ProgramTest {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(folder_);
        std::FILE* script = std::fopen(kdialog_.c_str(), "w");
        ASSERT_NE(script, nullptr);
        // The user takes a while to choose: the answer comes after a
        // pause, for as long as a file "hold" lies beside the script.
        std::fprintf(script,
            "#!/bin/sh\nprintf '%%s\\n' \"$@\" > '%s/args'\nwhile [ -e '%s/hold' ]; do sleep 0.05; done\n"
            "printf '%%s\\n' '%s/tafel'\n",
            folder_.c_str(), folder_.c_str(), folder_.c_str());
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

    // The arguments the stand-in was given, one a line.
    std::vector<std::string> Arguments() const
    {
        std::vector<std::string> args;
        if (std::FILE* in = std::fopen((folder_ + "/args").c_str(), "r")) {
            for (char line[512]; std::fgets(line, sizeof line, in);)
                args.emplace_back(line, std::strcspn(line, "\n"));
            std::fclose(in);
        }
        return args;
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

    const std::vector<std::string> args = Arguments();
    ASSERT_EQ(args.size(), 7u);
    EXPECT_EQ(args[0], "--title");
    EXPECT_EQ(args[1], "另存为");
    EXPECT_EQ(args[4], "--getsavefilename");
    EXPECT_EQ(args[6], "BMP图像 (*.bmp)");
    // The chooser stands over the program's main window, a window of the
    // display.
    ASSERT_EQ(args[2], "--attach");
    const Window owner = std::strtoul(args[3].c_str(), nullptr, 16);
    XWindowAttributes attributes {};
    EXPECT_NE(XGetWindowAttributes(display_, owner, &attributes), 0) << args[3];
    EXPECT_EQ(attributes.map_state, IsViewable);
}

TEST_F(DesktopChooserTest, TheLivePictureKeepsMovingWhileTheChooserIsOpenForAPhotograph)
{
    int y = 0, x0 = 0, x1 = 0;
    ASSERT_TRUE(Eventually([&] { return FindPaperRow(y, x0, x1); })) << "the camera's picture never reached the screen";
    XWindowAttributes toolbar {};
    ASSERT_TRUE(Eventually([&] { return Toolbar(toolbar) != 0; })) << "no toolbar";
    std::fclose(std::fopen((folder_ + "/hold").c_str(), "w"));
    Click(toolbar.x + kPhoto.x, toolbar.y + kPhoto.y);
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(folder_ + "/args"); })) << "no chooser";

    // The chooser has the user; the camera's mark goes on moving.
    int w = 0, h = 0;
    const std::vector<Rgb> before = Screen(w, h);
    bool moved = false;
    for (int tries = 0; tries < 20 && !moved; ++tries) {
        usleep(100000);
        const std::vector<Rgb> now = Screen(w, h);
        for (std::size_t i = 0; i < now.size() && !moved; ++i)
            moved = now[i].r != before[i].r || now[i].g != before[i].g || now[i].b != before[i].b;
    }
    EXPECT_TRUE(moved) << "the live picture stood still while the chooser was open";
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/tafel.bmp"));

    std::filesystem::remove(folder_ + "/hold");
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(folder_ + "/tafel.bmp"); })) << "no photograph";
    const std::vector<std::string> args = Arguments();
    ASSERT_EQ(args.size(), 7u);
    EXPECT_EQ(std::strtoul(args[3].c_str(), nullptr, 16), MainWindow()) << "the chooser stands over the main window";
}

} // namespace
