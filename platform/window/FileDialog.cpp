#include "platform/window/FileDialog.h"

#include "platform/window/CommonDialog.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/DesktopSaveDialog.h"
#include "platform/window/Dialogs.h"
#include "platform/window/FileChoosers.h"
#include "platform/window/SaveName.h"
#include "platform/window/SaveResult.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace ws::dlg {

namespace fs = std::filesystem;

namespace {

// The layout, in pixels of the client area; the system font makes a dialog
// unit two pixels each way.
constexpr int kClientWidth = 440;
constexpr int kClientHeight = 306;
constexpr WORD kStaticId = 0xFFFF;
// Item data marking a folder in the list.
constexpr LPARAM kFolderMark = 1;

res::DialogItem Item(const char* cls, const char* text, int id, DWORD style, int x, int y, int w, int h)
{
    return CommonDialog::Item(cls, text, id, style, RECT { x, y, x + w, y + h });
}

res::DialogTemplate MakeTemplate(const std::string& title)
{
    res::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.exStyle = WS_EX_DLGMODALFRAME;
    t.caption = title;
    t.cx = kClientWidth / 2;
    t.cy = kClientHeight / 2;
    t.items = {
        Item(WC_STATIC, "保存在:", kStaticId, SS_LEFT, 8, 12, 56, 16),
        Item(WC_EDIT, "", kFolderPathId, WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, 66, 8, 288, 22),
        Item(WC_BUTTON, "上一级", kFolderUpId, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 362, 8, 70, 22),
        Item(WC_LISTBOX, "", kFileListId, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 8, 38, 424, 196),
        Item(WC_STATIC, "文件名:", kStaticId, SS_LEFT, 8, 246, 70, 16),
        Item(WC_EDIT, "", kFileNameId, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, 80, 242, 262, 22),
        Item(WC_STATIC, "保存类型:", kStaticId, SS_LEFT, 8, 276, 70, 16),
        Item(WC_COMBOBOX, "", kFileTypeId, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 80, 272, 262, 150),
        Item(WC_BUTTON, "保存", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 352, 242, 80, 24),
        Item(WC_BUTTON, "取消", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 352, 272, 80, 24),
    };
    return t;
}

fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

// A folder without a trailing separator (but "/" stays "/").
fs::path Tidy(fs::path p)
{
    p = p.lexically_normal();
    if (!p.has_filename() && p.has_relative_path())
        p = p.parent_path();
    return p;
}

bool IsFolder(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

std::string Trimmed(std::string s)
{
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string ItemText(HWND dialog, int id)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLength(GetDlgItem(dialog, id))) + 1, '\0');
    text.resize(GetDlgItemText(dialog, id, text.data(), static_cast<int>(text.size())));
    return text;
}

} // namespace

FileDialog::FileDialog(OPENFILENAME& ofn)
    : ofn_(ofn)
    , types_(FileFilter::Parse(ofn.lpstrFilter))
{
    // The starting name: what the program's buffer holds.
    std::string given(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
    fs::path givenPath = PathOf(given);
    initialName_ = FolderListing::Text(givenPath.filename());

    std::error_code ec;
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir && IsFolder(PathOf(ofn.lpstrInitialDir)))
        folder_ = fs::absolute(PathOf(ofn.lpstrInitialDir), ec);
    else if (givenPath.is_absolute() && IsFolder(givenPath.parent_path()))
        folder_ = givenPath.parent_path();
    else
        folder_ = fs::current_path(ec);
    folder_ = Tidy(folder_);

    if (!types_.empty() && ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= types_.size())
        chosenType_ = static_cast<int>(ofn.nFilterIndex) - 1;
}

BOOL FileDialog::Run(OPENFILENAME& ofn)
{
    ctl::EnsureControlClasses();
    FileDialog self(ofn);
    res::DialogTemplate t = MakeTemplate(self.Title());
    LONG_PTR answer = DialogBoxIndirectParam(nullptr, &t, CommonDialog::TopLevelOwner(ofn.hwndOwner), Proc,
        reinterpret_cast<LPARAM>(&self));
    return answer == IDOK && SaveResult::Deliver(ofn, self.chosen_, self.types_.empty() ? -1 : self.chosenType_)
        ? TRUE
        : FALSE;
}

std::string FileDialog::Title() const { return SaveResult::Title(ofn_); }

LONG_PTR FileDialog::Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        reinterpret_cast<FileDialog*>(lParam)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<FileDialog*>(GetWindowLongPtr(dialog, DWLP_USER));
    return self ? self->Handle(msg, wParam, lParam) : FALSE;
}

LONG_PTR FileDialog::Handle(UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        OnInit();
        return FALSE; // the focus is on the file name already
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

void FileDialog::OnInit()
{
    CommonDialog::Place(dialog_, GetWindow(dialog_, GW_OWNER), kClientWidth, kClientHeight);
    CommonDialog::WatchDoubleClicks(GetDlgItem(dialog_, kFileListId), LBN_DBLCLK);
    for (const FileType& type : types_)
        SendDlgItemMessage(dialog_, kFileTypeId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.description.c_str()));
    SendDlgItemMessage(dialog_, kFileTypeId, CB_SETCURSEL, static_cast<WPARAM>(chosenType_), 0);
    ShowFolder(folder_);
    SetDlgItemText(dialog_, kFileNameId, initialName_.c_str());
    HWND name = GetDlgItem(dialog_, kFileNameId);
    SetFocus(name);
    SendMessage(name, EM_SETSEL, 0, -1);
}

void FileDialog::OnCommand(int id, WORD code)
{
    switch (id) {
    case IDOK:
        if (code == BN_CLICKED)
            OnSave();
        break;
    case IDCANCEL:
        if (code == BN_CLICKED)
            EndDialog(dialog_, IDCANCEL);
        break;
    case kFolderUpId:
        if (code == BN_CLICKED && folder_.has_relative_path())
            ShowFolder(folder_.parent_path());
        break;
    case kFileListId:
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK)
            OnListChoice(code == LBN_DBLCLK);
        break;
    case kFileTypeId:
        if (code == CBN_SELCHANGE) {
            LRESULT chosen = SendDlgItemMessage(dialog_, kFileTypeId, CB_GETCURSEL, 0, 0);
            chosenType_ = chosen == CB_ERR ? 0 : static_cast<int>(chosen);
            FillList();
        }
        break;
    default:
        break;
    }
}

void FileDialog::ShowFolder(const fs::path& folder)
{
    folder_ = Tidy(folder);
    SetDlgItemText(dialog_, kFolderPathId, FolderListing::Text(folder_).c_str());
    EnableWindow(GetDlgItem(dialog_, kFolderUpId), folder_.has_relative_path() ? TRUE : FALSE);
    FillList();
}

void FileDialog::FillList()
{
    static const std::vector<std::string> everything;
    const std::vector<std::string>& patterns = types_.empty() ? everything
                                                              : types_[static_cast<std::size_t>(chosenType_)].patterns;
    entries_ = FolderListing::List(folder_, patterns);
    HWND list = GetDlgItem(dialog_, kFileListId);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& e : entries_) {
        std::string text = e.folder ? "[" + e.name + "]" : e.name;
        auto at = SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessage(list, LB_SETITEMDATA, static_cast<WPARAM>(at), e.folder ? kFolderMark : 0);
    }
}

const FolderEntry* FileDialog::SelectedEntry() const
{
    LRESULT at = SendDlgItemMessage(dialog_, kFileListId, LB_GETCURSEL, 0, 0);
    if (at < 0 || static_cast<std::size_t>(at) >= entries_.size())
        return nullptr;
    return &entries_[static_cast<std::size_t>(at)];
}

void FileDialog::OnListChoice(bool doubleClick)
{
    const FolderEntry* e = SelectedEntry();
    if (!e)
        return;
    if (e->folder) {
        if (doubleClick)
            ShowFolder(folder_ / PathOf(e->name));
        return;
    }
    // A file chosen in the list fills the name; a double click saves it.
    SetDlgItemText(dialog_, kFileNameId, e->name.c_str());
    if (doubleClick)
        OnSave();
}

void FileDialog::OnSave()
{
    std::string typed = Trimmed(ItemText(dialog_, kFileNameId));
    if (typed.empty())
        return;
    fs::path target = SaveName::Resolve(folder_, typed);
    if (IsFolder(target)) {
        // A folder's name (or "..") saved opens that folder.
        ShowFolder(target);
        SetDlgItemText(dialog_, kFileNameId, "");
        return;
    }
    fs::path path = SaveName::Resolve(folder_, SaveName::WithDefaultExtension(typed, ofn_.lpstrDefExt));
    if (!IsFolder(path.parent_path())) {
        Ask("找不到文件夹“" + FolderListing::Text(path.parent_path()) + "”。\n请检查路径是否正确。",
            MB_OK | MB_ICONWARNING);
        return;
    }
    std::error_code ec;
    if ((ofn_.Flags & OFN_OVERWRITEPROMPT) && fs::exists(path, ec)
        && Ask(SaveResult::ReplaceQuestion(path), MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    chosen_ = FolderListing::Text(path);
    EndDialog(dialog_, IDOK);
}

int FileDialog::Ask(const std::string& text, UINT type)
{
    HWND focus = GetFocus();
    int answer = MessageBox(dialog_, text.c_str(), Title().c_str(), type);
    if (focus && IsWindow(focus) && IsChild(dialog_, focus))
        SetFocus(focus);
    return answer;
}

} // namespace ws::dlg

BOOL GetSaveFileName(OPENFILENAME* ofn)
{
    using ws::dlg::CommonDialog;
    CommonDialog::SetError(0);
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAME)) {
        CommonDialog::SetError(ws::dlg::CDERR_STRUCTSIZE);
        return FALSE;
    }
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
        CommonDialog::SetError(ws::dlg::CDERR_INITIALIZATION);
        return FALSE;
    }
    // The desktop's own chooser where the program installed one and the
    // session has it; the built-in dialog otherwise.
    if (std::shared_ptr<const platform::desktop::ChooserPolicy> policy = platform::FileChoosers())
        if (std::optional<BOOL> answer = ws::dlg::DesktopSaveDialog::Run(*ofn, *policy))
            return *answer;
    return ws::dlg::FileDialog::Run(*ofn);
}
