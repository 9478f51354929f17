// The common dialogs and message boxes as the class library sets them up:
// what the program passes in reaches the dialog, and what the user chose
// comes back.

#include "platform/afx/ColorDialog.h"
#include "platform/afx/FileDialog.h"
#include "tests/platform/afx/AfxTestSupport.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>

namespace {

using afxtest::AfxTest;
using afxtest::kRecorderClass;

class CommonDialogs : public AfxTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(main.CreateEx(0, kRecorderClass, "main", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
        app.m_pMainWnd = &main;
        driver.Pump();
    }
    void TearDown() override { app.m_pMainWnd = nullptr; }

    CWinApp app { "Tafel" };
    CWnd main;
};

TEST_F(CommonDialogs, TheFilterBecomesZeroSeparatedAndTheChosenPathSplitsIntoParts)
{
    CFileDialog dlg(FALSE, "bmp", "tafel", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Bild|*.bmp|Alle|*.*||");
    const char expected[] = "Bild\0*.bmp\0Alle\0*.*\0";
    ASSERT_NE(dlg.m_ofn.lpstrFilter, nullptr);
    EXPECT_EQ(std::memcmp(dlg.m_ofn.lpstrFilter, expected, sizeof expected), 0) << "ends with an empty string";
    EXPECT_STREQ(dlg.m_ofn.lpstrDefExt, "bmp");
    EXPECT_STREQ(dlg.m_ofn.lpstrFile, "tafel");

    const std::tuple<const char*, const char*, const char*> cases[] = { { "/home/lehrer/tafel.v2.bmp", "tafel.v2.bmp",
                                                                            "bmp" },
        { "/tmp/ohne", "ohne", "" }, { "bild.png", "bild.png", "png" }, { "/a.b/c", "c", "" } };
    for (const auto& [path, name, ext] : cases) {
        std::strcpy(dlg.m_ofn.lpstrFile, path);
        EXPECT_EQ(dlg.GetPathName(), path);
        EXPECT_EQ(dlg.GetFileName(), name);
        EXPECT_EQ(dlg.GetFileExt(), ext);
    }
}

TEST_F(CommonDialogs, SavingAnswersThePathWithTheDefaultExtension)
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "inkveil-afx-file-dialog";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::string folderText = folder.string();

    CFileDialog dlg(FALSE, "bmp", "tafel", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Bild|*.bmp||");
    dlg.m_ofn.lpstrInitialDir = folderText.c_str();
    HWND owner = nullptr;
    driver.WhenWaiting([&] {
        owner = ::GetWindow(::GetActiveWindow(), GW_OWNER);
        driver.Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(owner, main.m_hWnd) << "owned by the main window";
    EXPECT_EQ(dlg.GetPathName(), (folder / "tafel.bmp").string().c_str());
    EXPECT_EQ(dlg.GetFileName(), "tafel.bmp");
    EXPECT_EQ(dlg.GetFileExt(), "bmp");

    CFileDialog cancelled(FALSE, "bmp", "tafel");
    cancelled.m_ofn.lpstrInitialDir = folderText.c_str();
    driver.WhenWaiting([&] { driver.Key(VK_ESCAPE); });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    std::filesystem::remove_all(folder);
}

TEST_F(CommonDialogs, TheColourDialogStartsAtTheColourGivenAndKeepsCustomColours)
{
    const COLORREF initial = RGB(10, 120, 230);
    CColorDialog dlg(initial, CC_FULLOPEN);
    EXPECT_EQ(dlg.m_cc.Flags, CC_FULLOPEN | CC_RGBINIT);
    EXPECT_EQ(dlg.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
    CColorDialog black(0);
    EXPECT_EQ(black.m_cc.Flags & CC_RGBINIT, 0u) << "black is no initial colour";

    driver.WhenWaiting([&] { driver.Key(VK_RETURN); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), initial);
    EXPECT_EQ(dlg.m_cc.hwndOwner, main.m_hWnd);

    driver.WhenWaiting([&] { driver.Key(VK_ESCAPE); });
    EXPECT_EQ(black.DoModal(), IDCANCEL);
}

TEST_F(CommonDialogs, AnApplicationMessageBoxBelongsToTheMainWindowAndBearsTheAppsName)
{
    HWND owner = nullptr;
    char caption[64] = {};
    driver.WhenWaiting([&] {
        HWND box = ::GetActiveWindow();
        owner = ::GetWindow(box, GW_OWNER);
        ::GetWindowText(box, caption, sizeof caption);
        driver.Key(VK_RETURN);
    });
    EXPECT_EQ(AfxMessageBox("Tafel speichern?", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(owner, main.m_hWnd);
    EXPECT_STREQ(caption, "Tafel");
}

} // namespace
