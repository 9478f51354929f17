// The toolbar's photograph through the save dialog, as the teacher takes
// it: a cancelled dialog writes nothing and says nothing; a chosen name
// gives a 24-bit BMP of the camera's size that an independent decoder
// (Pillow) opens; a folder that cannot be written says so in a message box
// naming the path, and leaves no file.

#include "platform/window/FileDialog.h"
#include "tests/camera/ToolbarTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;
using Dlg = CVideoConfigDlg;

class PhotoTest : public test::ToolbarTest {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "inkveil-photo-XXXXXX").string();
        folder = fs::path(mkdtemp(pattern.data()));
        AddCamera("Doc Cam", { { 640, 480 } });
        Open();
        ASSERT_TRUE(WaitForPicture());
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    // Presses the photo button; the save dialog then gets name typed and
    // Enter, or Esc when name is empty; then, if given, the next modal loop
    // (a message box) gets the step after.
    void TakePhoto(const std::string& name, std::function<void()> after = nullptr)
    {
        driver.WhenWaiting([this, name] {
            const HWND box = GetActiveWindow();
            if (name.empty()) {
                driver.Key(VK_ESCAPE);
                return;
            }
            const HWND edit = GetDlgItem(box, ws::dlg::kFileNameId);
            SetFocus(edit);
            SendMessage(edit, EM_SETSEL, 0, -1);
            driver.Type(name);
            driver.Key(VK_RETURN);
        });
        if (after)
            driver.WhenWaiting(std::move(after));
        ClickControl(Dlg::IDC_PHOTO);
    }

    std::size_t FilesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
};

// "mode width height" of the file as Pillow reads it, or "" without Pillow.
std::string PillowSays(const std::string& path)
{
    const std::string command = "/usr/bin/python3 -c \"import sys\nfrom PIL import Image\n"
                                "im = Image.open(sys.argv[1]); print(im.format, im.mode, im.size[0], im.size[1])\" '"
        + path + "' 2>/dev/null";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

bool PillowInstalled() { return std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null") == 0; }

TEST_F(PhotoTest, ACancelledDialogWritesNothingAndSaysNothing)
{
    // A message box would find no step left to answer it and stop the test.
    TakePhoto("");
    EXPECT_FALSE(driver.StepsLeft());
    EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(PhotoTest, AChosenNameGivesA24BitBmpOfTheCamerasSize)
{
    const std::string path = (folder / "照片").string();
    TakePhoto(path);
    EXPECT_FALSE(driver.StepsLeft());
    const fs::path written = folder / fs::path(u8"照片.bmp");
    ASSERT_TRUE(fs::exists(written)) << "the default extension is added";
    EXPECT_EQ(fs::file_size(written), 54u + 640u * 480u * 3u);
    EXPECT_EQ(FilesInFolder(), 1u) << "nothing beside it";
    if (!PillowInstalled())
        GTEST_SKIP() << "Pillow (python3-pil) is not installed: the file is not decoded independently";
    EXPECT_EQ(PillowSays(written.string()), "BMP RGB 640 480");
}

TEST_F(PhotoTest, AFolderThatCannotBeWrittenSaysSoNamingThePathAndLeavesNoFile)
{
    // Not even the superuser may make files in /proc.
    const std::string path = "/proc/inkveil-photo.bmp";
    std::string said, caption;
    TakePhoto(path, [&] {
        const HWND box = GetActiveWindow();
        char text[512] = {};
        GetWindowText(GetDlgItem(box, 0xFFFF), text, sizeof text);
        said = text;
        GetWindowText(box, text, sizeof text);
        caption = text;
        driver.Key(VK_RETURN);
    });
    EXPECT_FALSE(driver.StepsLeft()) << "no message box came";
    EXPECT_NE(said.find("照片没有保存成功"), std::string::npos) << said;
    EXPECT_NE(said.find(path), std::string::npos) << said;
    EXPECT_EQ(caption, "提示");
    EXPECT_FALSE(fs::exists(path));
}

} // namespace
