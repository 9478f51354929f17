// The files in res/ are the generator's: drawing them again now gives the
// same bytes, and the program embeds exactly those files. A failure here
// means the generator changed without being run (run build/.../resgen), or
// a file in res/ was edited by hand.

#include "res/EmbeddedFile.h"
#include "tools/resgen/Generator.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Bytes ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where two files first differ, for a message that helps.
std::string Difference(const Bytes& made, const Bytes& committed)
{
    if (made == committed)
        return {};
    std::size_t i = 0;
    while (i < made.size() && i < committed.size() && made[i] == committed[i])
        ++i;
    return "differ from byte " + std::to_string(i) + " (" + std::to_string(made.size()) + " bytes drawn, "
        + std::to_string(committed.size()) + " committed)";
}

class TemporaryFolder {
public:
    TemporaryFolder()
        : path_(fs::temp_directory_path() / ("inkveil-resgen-" + std::to_string(::getpid())))
    {
        fs::remove_all(path_);
    }
    ~TemporaryFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

TEST(GeneratedResources, CommittedFilesAreWhatTheGeneratorDrawsNow)
{
    TemporaryFolder folder;
    const std::vector<std::string> files = resgen::WriteResources(folder.path());
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.back(), "resources.list");
    for (const std::string& file : files) {
        const fs::path committed = fs::path(INKVEIL_RES_DIR) / file;
        ASSERT_TRUE(fs::exists(committed)) << file << " is drawn but not in res/";
        EXPECT_EQ(Difference(ReadAll(folder.path() / file), ReadAll(committed)), "") << file;
    }
}

TEST(GeneratedResources, TheProgramEmbedsTheCommittedFiles)
{
    ASSERT_GT(res::kEmbeddedFileCount, 0u);
    // Each entry of the list as "kind name file", in order.
    std::vector<std::string> listed;
    std::ifstream list(fs::path(INKVEIL_RES_DIR) / "resources.list");
    for (std::string line; std::getline(list, line);) {
        std::istringstream fields(line);
        std::string kind, name, file;
        if (fields >> kind >> name >> file && kind[0] != '#')
            listed.push_back(kind + " " + name + " " + file);
    }
    ASSERT_EQ(listed.size(), res::kEmbeddedFileCount);
    for (std::size_t i = 0; i < res::kEmbeddedFileCount; ++i) {
        const res::EmbeddedFile& f = res::kEmbeddedFiles[i];
        EXPECT_EQ(listed[i], std::string(f.kind) + " " + f.name + " " + f.path);
        const Bytes embedded(f.data, f.data + f.size);
        EXPECT_EQ(Difference(embedded, ReadAll(fs::path(INKVEIL_RES_DIR) / f.path)), "") << f.path;
    }
}

} // namespace
