// The save dialog: the filter string, name matching, default extensions and
// path offsets, the folder listing, and GetSaveFileName driven as the user
// would, in a folder the test makes with Chinese names: what is listed,
// changing folders, saving with and without an extension, replacing a file
// only when allowed, a missing folder, a buffer too small, and Cancel.

#include "platform/window/FileDialog.h"

#include "platform/window/CommonDialog.h"
#include "platform/window/Dialogs.h"
#include "platform/window/ListBoxControl.h"
#include "platform/window/SaveName.h"
#include "tests/platform/window/ControlTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace ws::dlg;
namespace fs = std::filesystem;

const char kFilter[] = "位图 (*.bmp;*.dib)\0*.bmp;*.dib\0所有文件 (*.*)\0*.*\0";

TEST(FileFilter, ParsesPairsUpToTheEmptyString)
{
    std::vector<FileType> types = FileFilter::Parse(kFilter);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].description, "位图 (*.bmp;*.dib)");
    EXPECT_EQ(types[0].patterns, (std::vector<std::string> { "*.bmp", "*.dib" }));
    EXPECT_EQ(types[1].patterns, (std::vector<std::string> { "*.*" }));
    EXPECT_TRUE(FileFilter::Parse(nullptr).empty());
    EXPECT_TRUE(FileFilter::Parse("").empty());
    // A description without patterns ends the list.
    EXPECT_EQ(FileFilter::Parse("A\0*.a\0B\0").size(), 1u);
    EXPECT_EQ(FileFilter::Parse("A\0 *.a ; *.b \0").front().patterns, (std::vector<std::string> { "*.a", "*.b" }));
}

TEST(FileFilter, MatchesNamesLikeTheOriginal)
{
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        { "照片.bmp", "*.bmp", true },
        { "照片.BMP", "*.bmp", true },
        { "照片.bmp.txt", "*.bmp", false },
        { "bmp", "*.bmp", false },
        { "a.bmpx", "*.bmp", false },
        { "README", "*.*", true },
        { "README", "*", true },
        { "图1.png", "图?.png", true },
        { "图12.png", "图?.png", false },
        { "abcabd", "*ab?", true },
        { "a.b.c", "*.c", true },
        { "report.txt", "rep*t.*", true },
        { "", "*.bmp", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileFilter::Matches(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
    EXPECT_TRUE(FileFilter::MatchesAny("a.dib", { "*.bmp", "*.dib" }));
    EXPECT_TRUE(FileFilter::MatchesAny("anything", {}));
}

TEST(SaveName, AddsTheDefaultExtensionOnlyWhenThereIsNone)
{
    const struct {
        const char* typed;
        const char* defExt;
        const char* expected;
    } cases[] = {
        { "报告", "bmp", "报告.bmp" },
        { "报告.png", "bmp", "报告.png" },
        { "报告.", "bmp", "报告." },
        { "报告", ".bmp", "报告.bmp" },
        { "报告", nullptr, "报告" },
        { "报告", "", "报告" },
        { "v1.2/报告", "bmp", "v1.2/报告.bmp" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SaveName::WithDefaultExtension(c.typed, c.defExt), c.expected) << c.typed;
}

TEST(SaveName, ResolvesAndMeasuresPaths)
{
    EXPECT_EQ(SaveName::Resolve("/data/课堂", "a.bmp"), fs::path("/data/课堂/a.bmp"));
    EXPECT_EQ(SaveName::Resolve("/data/课堂", "../b.bmp"), fs::path("/data/b.bmp"));
    EXPECT_EQ(SaveName::Resolve("/data/课堂", "/tmp/c.bmp"), fs::path("/tmp/c.bmp"));
    const struct {
        const char* path;
        unsigned fileName, extension;
    } cases[] = {
        { "/d/照片.bmp", 3, 10 }, // 照片 is six bytes
        { "/d.x/报告", 5, 11 }, // no extension: the length
        { "/d/a.", 3, 0 }, // a trailing dot: zero
        { "a.b.c", 0, 4 },
    };
    for (const auto& c : cases) {
        SaveName::Offsets o = SaveName::OffsetsOf(c.path);
        EXPECT_EQ(o.fileName, c.fileName) << c.path;
        EXPECT_EQ(o.extension, c.extension) << c.path;
    }
}

// A folder of its own for each test, removed after.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "inkveil-save-XXXXXX").string();
        root_ = fs::path(mkdtemp(pattern.data()));
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const fs::path& Root() const { return root_; }
    std::string Text() const { return FolderListing::Text(root_); }
    fs::path Path(const std::string& utf8) const { return root_ / fs::path(std::u8string(utf8.begin(), utf8.end())); }
    void File(const std::string& utf8) const { std::ofstream(Path(utf8)) << "x"; }
    void Folder(const std::string& utf8) const { fs::create_directories(Path(utf8)); }

private:
    fs::path root_;
};

void MakeClassroom(const TempFolder& t)
{
    for (const char* f : { "照片.bmp", "图画.dib", "笔记.txt", "Zebra.BMP", "apple.bmp", ".hidden.bmp" })
        t.File(f);
    for (const char* d : { "课堂", "B组", "a组", ".cache" })
        t.Folder(d);
    t.File("课堂/板书.bmp");
}

class SaveFileTest : public test::ControlTest {
public:
    TempFolder folder;
    char file[260] = {};
    char title[64] = {};
    OPENFILENAME ofn {};

    void SetUp() override
    {
        ControlTest::SetUp();
        MakeClassroom(folder);
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = parent;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = sizeof title;
        ofn.lpstrDefExt = "bmp";
        initialDir_ = folder.Text();
        ofn.lpstrInitialDir = initialDir_.c_str();
    }

    static HWND Box() { return GetActiveWindow(); }
    static HWND Item(int id) { return GetDlgItem(Box(), id); }
    static std::string TextOf(HWND h)
    {
        std::string s(static_cast<std::size_t>(GetWindowTextLength(h)) + 1, '\0');
        s.resize(static_cast<std::size_t>(GetWindowText(h, s.data(), static_cast<int>(s.size()))));
        return s;
    }
    static std::vector<std::string> ListItems()
    {
        std::vector<std::string> out;
        HWND list = Item(kFileListId);
        for (LRESULT i = 0, n = SendMessage(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
            char text[128] = {};
            SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.emplace_back(text);
        }
        return out;
    }
    // The message box on top of the dialog: its text.
    static std::string BoxMessage() { return TextOf(GetDlgItem(Box(), 0xFFFF)); }

    void Act(std::function<void()> step) { driver.WhenWaiting(std::move(step)); }
    void TypeName(std::string text)
    {
        Act([this, text] {
            SetFocus(Item(kFileNameId));
            SendMessage(Item(kFileNameId), EM_SETSEL, 0, -1);
            driver.Type(text);
            driver.Key(VK_RETURN);
        });
    }
    // Double-clicks the list's item: the pointer moves in one wait, the
    // presses come in the next.
    void DoubleClickItem(int index)
    {
        Act([this, index] {
            HWND list = Item(kFileListId);
            auto h = static_cast<int>(SendMessage(list, ws::ctl::LB_GETITEMHEIGHT, 0, 0));
            driver.MoveTo(At(list, 10, index * h + h / 2));
        });
        Act([this] {
            for (int i = 0; i < 2; ++i) {
                driver.Press();
                driver.Release();
            }
        });
    }
    void ClickItem(int id)
    {
        Act([this, id] { driver.MoveTo(Centre(Item(id))); });
        Act([this] {
            driver.Press();
            driver.Release();
        });
    }
    std::string Saved(const std::string& name) const { return FolderListing::Text(folder.Path(name)); }

private:
    std::string initialDir_;
};

TEST_F(SaveFileTest, ListsFoldersFirstAndOnlyFilesOfTheChosenType)
{
    std::vector<std::string> bitmaps, all;
    std::string caption, path, types;
    bool ownerEnabled = true;
    Act([&] {
        caption = TextOf(Box());
        path = TextOf(Item(kFolderPathId));
        bitmaps = ListItems();
        ownerEnabled = IsWindowEnabled(parent) != FALSE;
        SetFocus(Item(kFileTypeId));
        driver.Key(VK_DOWN); // the next type: all files
    });
    Act([&] {
        all = ListItems();
        driver.Key(VK_ESCAPE);
    });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(caption, "另存为");
    EXPECT_EQ(path, folder.Text());
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(bitmaps,
        (std::vector<std::string> { "[a组]", "[B组]", "[课堂]", "apple.bmp", "Zebra.BMP", "图画.dib", "照片.bmp" }));
    EXPECT_EQ(all,
        (std::vector<std::string> { "[a组]", "[B组]", "[课堂]", "apple.bmp", "Zebra.BMP", "图画.dib", "照片.bmp",
            "笔记.txt" }));
    EXPECT_EQ(file[0], '\0') << "Cancel leaves the buffer alone";
}

TEST_F(SaveFileTest, EntersFoldersByDoubleClickOrByNameAndGoesUp)
{
    std::string inside, up, byName;
    std::vector<std::string> insideItems;
    DoubleClickItem(2); // [课堂]
    Act([&] {
        inside = TextOf(Item(kFolderPathId));
        insideItems = ListItems();
    });
    ClickItem(kFolderUpId);
    Act([&] { up = TextOf(Item(kFolderPathId)); });
    TypeName("B组");
    Act([&] { byName = TextOf(Item(kFolderPathId)); });
    TypeName("分组名单");
    EXPECT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(inside, Saved("课堂"));
    EXPECT_EQ(insideItems, (std::vector<std::string> { "板书.bmp" }));
    EXPECT_EQ(up, folder.Text());
    EXPECT_EQ(byName, Saved("B组"));
    EXPECT_EQ(std::string(file), Saved("B组/分组名单.bmp"));
    EXPECT_EQ(std::string(title), "分组名单.bmp");
}

TEST_F(SaveFileTest, AsksBeforeReplacingAndNoKeepsTheDialogOpen)
{
    ofn.Flags = OFN_OVERWRITEPROMPT;
    std::string question, after;
    TypeName("照片");
    Act([&] {
        question = BoxMessage();
        driver.Key(VK_TAB); // to No
    });
    Act([&] { driver.Key(VK_RETURN); });
    Act([&] {
        after = TextOf(Box());
        driver.Key(VK_RETURN); // Save again
    });
    Act([&] { driver.Key(VK_RETURN); }); // Yes
    EXPECT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(question, "照片.bmp 已存在。\n要替换它吗?");
    EXPECT_EQ(after, "另存为") << "No returns to the dialog";
    EXPECT_EQ(std::string(file), Saved("照片.bmp"));

    // Without the flag an existing file is answered at once.
    ofn.Flags = 0;
    TypeName("图画.dib");
    EXPECT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(file), Saved("图画.dib"));
}

TEST_F(SaveFileTest, StartsFromTheGivenPathAndChoosesTheTypeAndTitle)
{
    std::string name = Saved("课堂/旧图.bmp");
    std::strcpy(file, name.c_str());
    ofn.lpstrInitialDir = nullptr;
    ofn.lpstrTitle = "保存板书";
    ofn.nFilterIndex = 2;
    std::string caption, path, edit, type;
    Act([&] {
        caption = TextOf(Box());
        path = TextOf(Item(kFolderPathId));
        edit = TextOf(Item(kFileNameId));
        type = TextOf(Item(kFileTypeId));
        driver.Key(VK_RETURN);
    });
    EXPECT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(caption, "保存板书");
    EXPECT_EQ(path, Saved("课堂"));
    EXPECT_EQ(edit, "旧图.bmp");
    EXPECT_EQ(type, "所有文件 (*.*)");
    EXPECT_EQ(std::string(file), name);
    EXPECT_EQ(ofn.nFilterIndex, 2u);
}

TEST_F(SaveFileTest, MissingFolderIsReportedAndTheDialogStays)
{
    std::string message;
    TypeName("没有/图.bmp");
    Act([&] {
        message = BoxMessage();
        driver.Key(VK_RETURN);
    });
    Act([&] { driver.Key(VK_ESCAPE); });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_NE(message.find(Saved("没有")), std::string::npos) << message;
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(SaveFileTest, TooSmallABufferIsReported)
{
    ofn.nMaxFile = 8;
    TypeName("报告");
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    WORD needed = 0;
    std::memcpy(&needed, file, sizeof needed);
    EXPECT_EQ(needed, Saved("报告.bmp").size() + 1) << "the size it needs, in the first two bytes";

    EXPECT_FALSE(GetSaveFileName(nullptr));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    ofn.lpstrFile = nullptr;
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
}

} // namespace
