#pragma once

// The common file dialog in its save form (GetSaveFileName): a modal dialog
// with the folder shown as a path line and an "up" button, a list of the
// folder's sub-folders (marked "[name]") and of the files that match the
// chosen type, the file name field, the type combo box from the program's
// filter, and Save and Cancel. A double click on a folder, or its name
// typed and saved, enters it; saving a name checks its folder, asks before
// replacing a file when the program wants that, and answers the full path.

#include "platform/window/Controls.h"
#include "platform/window/FileFilter.h"
#include "platform/window/FolderListing.h"
#include "platform/window/WinUser.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ws::dlg {

// Control ids, with the original's numbers where it has them.
inline constexpr int kFileListId = 0x460; // lst1
inline constexpr int kFileTypeId = 0x470; // cmb1
inline constexpr int kFileNameId = 0x480; // edt1
inline constexpr int kFolderPathId = 0x440;
inline constexpr int kFolderUpId = 0x441;

class FileDialog {
public:
    // The whole of GetSaveFileName once the structure has been checked.
    static BOOL Run(OPENFILENAME& ofn);

private:
    explicit FileDialog(OPENFILENAME& ofn);
    static LONG_PTR Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    LONG_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    void OnInit();
    void OnCommand(int id, WORD code);
    void ShowFolder(const std::filesystem::path& folder);
    void FillList();
    const FolderEntry* SelectedEntry() const;
    void OnListChoice(bool doubleClick);
    void OnSave();
    // A message box over the dialog; the control that had the focus has it
    // again after.
    int Ask(const std::string& text, UINT type);
    std::string Title() const;

    OPENFILENAME& ofn_;
    HWND dialog_ = nullptr;
    std::vector<FileType> types_;
    std::filesystem::path folder_;
    std::vector<FolderEntry> entries_;
    std::string initialName_;
    std::string chosen_; // the full path saved
    int chosenType_ = 0; // 0-based
};

} // namespace ws::dlg
