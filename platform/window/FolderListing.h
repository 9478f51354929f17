#pragma once

// What a save dialog lists for a folder: its sub-folders, then the files
// that match the current type's patterns, each group sorted by name (ASCII
// letters without regard to case, then by code point, so Chinese names sort
// by their characters' code points). Hidden entries (names starting with a
// dot) are left out, as a file browser on this system does.

#include <filesystem>
#include <string>
#include <vector>

namespace ws::dlg {

struct FolderEntry {
    std::string name; // UTF-8
    bool folder = false;
    bool operator==(const FolderEntry&) const = default;
};

class FolderListing {
public:
    // An unreadable or missing folder lists nothing.
    static std::vector<FolderEntry> List(const std::filesystem::path& folder, const std::vector<std::string>& patterns);
    static bool NameLess(const std::string& a, const std::string& b);
    // A path as UTF-8 text.
    static std::string Text(const std::filesystem::path& p);
};

} // namespace ws::dlg
