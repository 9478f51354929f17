// The program with the desktop's file chooser, end to end: a stand-in
// kdialog on the search path (INKVEIL_FILE_DIALOG=kdialog) notes its
// arguments and answers a name without an extension; the board is saved
// there, with the program's default extension, and the chooser was told to
// stand over the program's own window.

#include "tests/e2e/ProgramFixture.h"

#include <cstring>

namespace {

using namespace e2e;

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
    EXPECT_EQ(args[6], "BMP图像 (*.bmp)");
    // The chooser stands over the program's main window, a window of the
    // display.
    ASSERT_EQ(args[2], "--attach");
    const Window owner = std::strtoul(args[3].c_str(), nullptr, 16);
    XWindowAttributes attributes {};
    EXPECT_NE(XGetWindowAttributes(display_, owner, &attributes), 0) << args[3];
    EXPECT_EQ(attributes.map_state, IsViewable);
}

} // namespace
