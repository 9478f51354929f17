#pragma once

// How a save dialog turns what the user typed into the path it answers:
// the default extension added only to a name that has none, a relative name
// joined to the folder shown, and the offsets of the file name and its
// extension in the final path, as OPENFILENAME reports them. Paths are
// UTF-8 with '/' separators.

#include <filesystem>
#include <string>
#include <string_view>

namespace ws::dlg {

class SaveName {
public:
    // Whether the last component of a name has an extension: any dot in it
    // counts, a trailing one too ("a." asks for no extension).
    static bool HasExtension(std::string_view name);
    // name, with "." + defaultExtension appended when the name has no
    // extension and a default is given (a leading dot of the default is
    // ignored).
    static std::string WithDefaultExtension(std::string_view name, const char* defaultExtension);
    // The typed name made absolute against folder, with "." and ".."
    // resolved textually.
    static std::filesystem::path Resolve(const std::filesystem::path& folder, std::string_view typed);

    struct Offsets {
        unsigned fileName = 0; // the first byte of the file name
        unsigned extension = 0; // the first byte after the dot; the length when there is none; 0 after a trailing dot
    };
    static Offsets OffsetsOf(std::string_view path);
};

} // namespace ws::dlg
