#pragma once

// What every save dialog shares, the built-in one and the desktop's:
// its title, the question before a file is replaced, and how the chosen
// path reaches the program's OPENFILENAME.

#include "platform/window/Controls.h"

#include <filesystem>
#include <string>

namespace ws::dlg {

class SaveResult {
public:
    // The program's title, or "另存为".
    static std::string Title(const OPENFILENAME& ofn);
    // "<name> 已存在。\n要替换它吗?"
    static std::string ReplaceQuestion(const std::filesystem::path& path);
    // Fills the program's buffers with the chosen path, its offsets and its
    // title, and the 1-based type index when there are types (typeIndex is
    // 0-based, -1 for none). False, with FNERR_BUFFERTOOSMALL, when the
    // path does not fit.
    static bool Deliver(OPENFILENAME& ofn, const std::string& chosen, int typeIndex);
};

} // namespace ws::dlg
