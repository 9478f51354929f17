#pragma once

// The file types of a save dialog, read from the filter string the program
// gives: pairs of zero-terminated strings, a description ("位图 (*.bmp)")
// then its patterns ("*.bmp;*.dib"), the list ended by an empty string. A
// name matches a pattern with '*' standing for any run of characters and
// '?' for one character, letters compared without regard to case (ASCII
// only); "*.*" matches every name, also one without a dot, as the original
// reads it.

#include <string>
#include <string_view>
#include <vector>

namespace ws::dlg {

struct FileType {
    std::string description;
    std::vector<std::string> patterns;
};

class FileFilter {
public:
    // A null filter gives no types. A description without its pattern string
    // (a malformed list) ends the list there.
    static std::vector<FileType> Parse(const char* filter);
    static bool Matches(std::string_view name, std::string_view pattern);
    // An empty pattern list matches everything.
    static bool MatchesAny(std::string_view name, const std::vector<std::string>& patterns);
};

} // namespace ws::dlg
