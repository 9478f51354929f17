// The file layer's replace-on-close files: the permission bits a new and a
// replaced file end up with, symbolic links written through, nothing left
// beside the file on any failure, and folders and files that may not be
// written refused with the error that says so.

#include "platform/com/Kernel.h"
#include "tests/support/FileTestSupport.h"
#include "tests/support/faults/RenameFault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void Spill(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::vector<std::string> NamesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned ModeOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Writes text to path through the file layer: TRUE when it all went in
// place. The last error is kept in error.
BOOL Save(const std::string& path, const std::string& text, DWORD* error = nullptr)
{
    SetLastError(ERROR_SUCCESS);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    BOOL ok = FALSE;
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        const BOOL wrote = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ok = CloseHandle(f) && wrote;
    }
    if (error)
        *error = GetLastError();
    return ok;
}

// Sets the process umask for its lifetime.
struct Umask {
    explicit Umask(mode_t mask)
        : old(::umask(mask))
    {
    }
    ~Umask() { ::umask(old); }
    mode_t old;
};

TEST(ReplacingFile, ANewFileHasTheModeOfAnOrdinaryCreateAndAReplacedOneKeepsItsOwn)
{
    TempFolder folder;
    const struct {
        mode_t umask;
        unsigned existing; // 0: no file there yet
        unsigned expected;
    } cases[] = {
        { 022, 0, 0644 },
        { 077, 0, 0600 },
        { 002, 0, 0664 },
        { 022, 0600, 0600 },
        { 077, 0664, 0664 }, // the umask does not strip a kept mode
        { 022, 0755, 0755 },
        { 000, 0640, 0640 },
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string path = folder.File("picture" + std::to_string(n++) + ".bmp");
        if (c.existing) {
            Spill(path, "old");
            ::chmod(path.c_str(), c.existing);
        }
        Umask mask(c.umask);
        ASSERT_TRUE(Save(path, "new"));
        EXPECT_EQ(ModeOf(path), c.expected) << std::oct << "umask " << c.umask << ", existing " << c.existing;
        EXPECT_EQ(Slurp(path), "new");
    }
    EXPECT_EQ(folder.Names().size(), std::size(cases)) << "nothing beside the files";
}

TEST(ReplacingFile, ASymbolicLinkIsWrittenThroughToItsTargetAndStaysALink)
{
    TempFolder folder;
    fs::create_directory(folder.path / "real");
    Spill(folder.File("real/photo.bmp"), "old");
    ::chmod(folder.File("real/photo.bmp").c_str(), 0640);
    // Relative and absolute links, a chain of two, and one to a file that
    // does not exist yet.
    fs::create_symlink("real/photo.bmp", folder.path / "relative.bmp");
    fs::create_symlink(folder.path / "real/photo.bmp", folder.path / "absolute.bmp");
    fs::create_symlink("relative.bmp", folder.path / "chain.bmp");
    fs::create_symlink("real/new.bmp", folder.path / "dangling.bmp");
    const struct {
        const char* link;
        const char* target;
    } cases[] = {
        { "relative.bmp", "real/photo.bmp" },
        { "absolute.bmp", "real/photo.bmp" },
        { "chain.bmp", "real/photo.bmp" },
        { "dangling.bmp", "real/new.bmp" },
    };
    for (const auto& c : cases) {
        const std::string text = std::string("through ") + c.link;
        ASSERT_TRUE(Save(folder.File(c.link), text)) << c.link;
        EXPECT_TRUE(fs::is_symlink(folder.path / c.link)) << c.link;
        EXPECT_EQ(Slurp(folder.File(c.target)), text) << c.link;
    }
    EXPECT_EQ(ModeOf(folder.File("real/photo.bmp")), 0640u);
    EXPECT_EQ(folder.Names(), (std::vector<std::string> { "absolute.bmp", "chain.bmp", "dangling.bmp", "real",
                                  "relative.bmp" }));
    EXPECT_EQ(NamesIn(folder.path / "real"), (std::vector<std::string> { "new.bmp", "photo.bmp" }));
}

TEST(ReplacingFile, NoFailureLeavesAnythingBesideTheFileAndTheOldFileStaysWhole)
{
    TempFolder folder;
    const std::string path = folder.File("board.bmp");
    Spill(path, "the old picture");
    fs::create_symlink("loop-b", folder.path / "loop-a");
    fs::create_symlink("loop-a", folder.path / "loop-b");
    const std::string big(64 * 1024, 'x');
    const struct {
        const char* what;
        std::function<BOOL(DWORD*)> save;
        DWORD error;
    } cases[] = {
        { "a full disk", [&](DWORD* e) { test::DiskFull full(4096); return Save(path, big, e); }, ERROR_DISK_FULL },
        { "a failed rename", [&](DWORD* e) {
             test::RenameFault fault(EIO);
             const BOOL ok = Save(path, "new", e);
             EXPECT_TRUE(fault.Hit());
             return ok;
         },
            ERROR_WRITE_FAULT },
        { "a folder in the file's place", [&](DWORD* e) { return Save(folder.path.string(), "new", e); },
            ERROR_ACCESS_DENIED },
        { "a missing folder", [&](DWORD* e) { return Save(folder.File("missing/board.bmp"), "new", e); },
            ERROR_PATH_NOT_FOUND },
        { "a loop of links", [&](DWORD* e) { return Save(folder.File("loop-a"), "new", e); },
            ERROR_CANT_RESOLVE_FILENAME },
        { "no name", [&](DWORD* e) { return Save("", "new", e); }, ERROR_PATH_NOT_FOUND },
    };
    for (const auto& c : cases) {
        DWORD error = ERROR_SUCCESS;
        EXPECT_FALSE(c.save(&error)) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
        EXPECT_EQ(Slurp(path), "the old picture") << c.what;
        EXPECT_EQ(folder.Names(), (std::vector<std::string> { "board.bmp", "loop-a", "loop-b" })) << c.what;
    }
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

// Checks that run as an unprivileged user: each answers 0 when it holds, or
// the number of the first part that failed.
int FolderWithoutRoomForANewFile(const std::string& folder, const std::string& file)
{
    if (::access(file.c_str(), W_OK) != 0)
        return 1; // the test's own set-up: the file must be writable
    DWORD error = ERROR_SUCCESS;
    if (Save(file, "new", &error))
        return 2;
    if (error != ERROR_ACCESS_DENIED)
        return 3;
    if (Slurp(file) != "the old picture")
        return 4;
    if (NamesIn(folder) != std::vector<std::string> { "board.bmp", "readonly.bmp" })
        return 5;
    return 0;
}

TEST(ReplacingFile, AFolderThatTakesNoNewFileAndAReadOnlyFileAreRefusedAsAccessDenied)
{
    TempFolder folder;
    const std::string file = folder.File("board.bmp");
    const std::string readOnly = folder.File("readonly.bmp");
    Spill(file, "the old picture");
    Spill(readOnly, "the old picture");
    ::chmod(file.c_str(), 0666);
    ::chmod(readOnly.c_str(), 0444);
    ::chmod(folder.path.c_str(), 0777);
    const int readOnlyRefused = test::RunUnprivileged([&] {
        DWORD error = ERROR_SUCCESS;
        if (Save(readOnly, "new", &error))
            return 1;
        if (error != ERROR_ACCESS_DENIED)
            return 2;
        return Slurp(readOnly) == "the old picture" && NamesIn(folder.path).size() == 2 ? 0 : 3;
    });
    if (readOnlyRefused == -1)
        GTEST_SKIP() << "no child process could run without privileges here";
    EXPECT_EQ(readOnlyRefused, 0) << "the read-only file, part " << readOnlyRefused;

    // The folder may be entered but not written; the file in it may.
    ::chmod(folder.path.c_str(), 0555);
    const int folderRefused
        = test::RunUnprivileged([&] { return FolderWithoutRoomForANewFile(folder.path.string(), file); });
    EXPECT_EQ(folderRefused, 0) << "the unwritable folder, part " << folderRefused;
}

} // namespace
