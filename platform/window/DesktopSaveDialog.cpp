#include "platform/window/DesktopSaveDialog.h"

#include "platform/desktop/ChooserJob.h"
#include "platform/log/Log.h"
#include "platform/window/Backend.h"
#include "platform/window/CommonDialog.h"
#include "platform/window/FileFilter.h"
#include "platform/window/FolderListing.h"
#include "platform/window/ModalWait.h"
#include "platform/window/SaveName.h"
#include "platform/window/SaveResult.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace ws::dlg {

namespace fs = std::filesystem;
using platform::desktop::ChooserFilter;
using platform::desktop::ChooserJob;
using platform::desktop::ChooserKind;
using platform::desktop::FileChooser;
using platform::desktop::SaveAnswer;
using platform::desktop::SaveRequest;

namespace {

fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

bool IsFolder(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool Exists(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(p, ec);
}

// One chooser asked once, on its own thread, while the program's windows
// wait disabled and its messages run.
SaveAnswer AskOnce(FileChooser& chooser, const SaveRequest& request, HWND owner)
{
    ModalWait wait(owner);
    // The job's thread wakes the loop with an empty message once it has
    // the answer.
    ChooserJob job(chooser, request, [] { PostMessage(nullptr, WM_NULL, 0, 0); });
    wait.Run([&job] { return job.Done(); }, [&job] { job.Cancel(); });
    return job.Answer();
}

} // namespace

SaveRequest DesktopSaveDialog::RequestFor(const OPENFILENAME& ofn, HWND owner)
{
    SaveRequest request;
    request.title = SaveResult::Title(ofn);
    if (platform::Backend* screen = platform::InstalledBackend(); screen && owner)
        request.parentWindow = screen->ExternalWindowId(owner);

    const std::string given(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
    const fs::path givenPath = PathOf(given);
    request.currentName = FolderListing::Text(givenPath.filename());
    std::error_code ec;
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir && IsFolder(PathOf(ofn.lpstrInitialDir)))
        request.currentFolder = FolderListing::Text(fs::absolute(PathOf(ofn.lpstrInitialDir), ec).lexically_normal());
    else if (givenPath.is_absolute() && IsFolder(givenPath.parent_path()))
        request.currentFolder = FolderListing::Text(givenPath.parent_path());
    while (request.currentFolder.size() > 1 && request.currentFolder.ends_with('/'))
        request.currentFolder.pop_back();

    for (FileType& type : FileFilter::Parse(ofn.lpstrFilter)) {
        // "*.*" is every file to the program; a desktop's glob would want a
        // dot in the name.
        for (std::string& pattern : type.patterns)
            if (pattern == "*.*")
                pattern = "*";
        request.filters.push_back(ChooserFilter { std::move(type.description), std::move(type.patterns) });
    }
    if (ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= request.filters.size())
        request.currentFilter = static_cast<int>(ofn.nFilterIndex) - 1;
    return request;
}

std::optional<BOOL> DesktopSaveDialog::Run(OPENFILENAME& ofn, const platform::desktop::ChooserPolicy& policy)
{
    const HWND owner = CommonDialog::TopLevelOwner(ofn.hwndOwner);
    for (ChooserKind kind : policy.Order()) {
        std::unique_ptr<FileChooser> chooser = policy.Make(kind);
        if (!chooser)
            return std::nullopt; // the built-in dialog's turn
        SaveRequest request = RequestFor(ofn, owner);
        for (;;) {
            const SaveAnswer answer = AskOnce(*chooser, request, owner);
            if (answer.outcome == SaveAnswer::Outcome::Unavailable) {
                // Expected on a desktop without a portal; the next chooser
                // asks, the built-in dialog last.
                INKVEIL_LOG(Info, "save dialog: the %s chooser could not ask (%s); the next one asks", chooser->Name(),
                    answer.why.c_str());
                break;
            }
            if (answer.outcome == SaveAnswer::Outcome::Cancelled)
                return FALSE;
            const fs::path path = PathOf(SaveName::WithDefaultExtension(answer.path, ofn.lpstrDefExt));
            const std::string chosen = FolderListing::Text(path);
            // The chooser asked about the name it answered; a name the
            // extension changed is news to the user.
            if ((ofn.Flags & OFN_OVERWRITEPROMPT) && Exists(path)
                && (!chooser->ConfirmsOverwrite() || chosen != answer.path)
                && MessageBox(owner, SaveResult::ReplaceQuestion(path).c_str(), SaveResult::Title(ofn).c_str(),
                       MB_YESNO | MB_ICONWARNING)
                    != IDYES) {
                request.currentFolder = FolderListing::Text(path.parent_path());
                request.currentName = FolderListing::Text(path.filename());
                continue;
            }
            return SaveResult::Deliver(ofn, chosen, request.filters.empty() ? -1 : request.currentFilter) ? TRUE
                                                                                                          : FALSE;
        }
    }
    return std::nullopt;
}

} // namespace ws::dlg
