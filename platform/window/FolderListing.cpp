#include "platform/window/FolderListing.h"

#include "platform/window/FileFilter.h"

#include <algorithm>
#include <system_error>

namespace ws::dlg {

namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

bool FolderListing::NameLess(const std::string& a, const std::string& b)
{
    // UTF-8 byte order is code point order; unsigned bytes keep it so.
    auto less = [](char x, char y) {
        return static_cast<unsigned char>(Fold(x)) < static_cast<unsigned char>(Fold(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), less))
        return false;
    return a < b; // names equal but for case: a fixed order all the same
}

std::string FolderListing::Text(const std::filesystem::path& p)
{
    std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

std::vector<FolderEntry> FolderListing::List(const std::filesystem::path& folder,
    const std::vector<std::string>& patterns)
{
    std::vector<FolderEntry> out;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string name = Text(it->path().filename());
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code typeError;
        bool isFolder = it->is_directory(typeError);
        if (isFolder || FileFilter::MatchesAny(name, patterns))
            out.push_back(FolderEntry { std::move(name), isFolder });
    }
    std::sort(out.begin(), out.end(), [](const FolderEntry& a, const FolderEntry& b) {
        if (a.folder != b.folder)
            return a.folder;
        return NameLess(a.name, b.name);
    });
    return out;
}

} // namespace ws::dlg
