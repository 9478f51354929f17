#include "platform/window/SaveResult.h"

#include "platform/window/CommonDialog.h"
#include "platform/window/FolderListing.h"
#include "platform/window/SaveName.h"

#include <algorithm>
#include <cstring>

namespace ws::dlg {

std::string SaveResult::Title(const OPENFILENAME& ofn)
{
    return ofn.lpstrTitle && *ofn.lpstrTitle ? ofn.lpstrTitle : "另存为";
}

std::string SaveResult::ReplaceQuestion(const std::filesystem::path& path)
{
    return FolderListing::Text(path.filename()) + " 已存在。\n要替换它吗?";
}

bool SaveResult::Deliver(OPENFILENAME& ofn, const std::string& chosen, int typeIndex)
{
    std::size_t needed = chosen.size() + 1;
    if (needed > ofn.nMaxFile) {
        // The original puts the size it needs in the buffer's first two
        // bytes when there is room for them.
        if (ofn.nMaxFile >= 2) {
            auto size = static_cast<WORD>(std::min<std::size_t>(needed, 0xFFFF));
            std::memcpy(ofn.lpstrFile, &size, sizeof size);
        }
        CommonDialog::SetError(FNERR_BUFFERTOOSMALL);
        return false;
    }
    std::memcpy(ofn.lpstrFile, chosen.c_str(), needed);
    SaveName::Offsets offsets = SaveName::OffsetsOf(chosen);
    ofn.nFileOffset = static_cast<WORD>(offsets.fileName);
    ofn.nFileExtension = static_cast<WORD>(offsets.extension);
    if (typeIndex >= 0)
        ofn.nFilterIndex = static_cast<DWORD>(typeIndex + 1);
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        std::string title = chosen.substr(offsets.fileName);
        if (title.size() < ofn.nMaxFileTitle)
            std::memcpy(ofn.lpstrFileTitle, title.c_str(), title.size() + 1);
    }
    return true;
}

} // namespace ws::dlg
