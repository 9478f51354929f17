#pragma once

// The "COMBOBOX" class, in its drop-down list form (CBS_DROPDOWNLIST: a face
// showing the selection) and its drop-down form (CBS_DROPDOWN: an edit field
// of the "EDIT" class inside the face). Either opens a list below itself: a
// top-level, top-most popup of a private list class that holds the items.
//
// The height given at creation covers the face and the open list together,
// as the original reads it: the window itself shrinks to the face, and the
// list opens at most as tall as the rest (never taller than its items).
// While open, the list holds the mouse capture: the pointer highlights the
// item under it, a release over an item chooses it, and a press anywhere
// outside closes the list without a choice, as Esc does.
//
// CBN_SELCHANGE goes to the parent only when the user's choice changes the
// selection; CBN_DROPDOWN before the list opens, CBN_CLOSEUP after it
// closed.

#include "platform/window/ListBoxControl.h"
#include "platform/window/WinUser.h"

#include <string>

namespace ws::ctl {

// The id of a drop-down combo box's edit field, as the original numbers it.
inline constexpr int kComboEditId = 1001;
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;
inline constexpr LRESULT CB_OKAY = 0;

class ComboBoxControl {
public:
    static constexpr const char* kListClass = ListBoxControl::kDropDownClass;
    // The window procedure of the drop-down list's class.
    static LRESULT ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    ComboBoxControl(HWND hwnd, const CREATESTRUCT& cs);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    DWORD Kind() const;
    bool HasEdit() const { return edit_ != nullptr; }
    ListBoxControl* List() const;
    LRESULT ToList(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void Create(const CREATESTRUCT& cs);
    void Layout();
    RECT ButtonRect() const;

    void DropDown();
    // Closes the open list: CBN_SELENDOK (the user chose an item, changed
    // or not) or CBN_SELENDCANCEL (Escape, a click elsewhere), then
    // CBN_CLOSEUP, as the system's combo box sends them.
    void CloseUp(bool accepted = false);
    // The user chose an item in the open list.
    void Pick(int index);
    // The user moved the selection of the closed combo box.
    void SelectByUser(int index);
    // The program set the selection (no notification).
    LRESULT SetSelection(int index);
    void ShowSelectionText();
    std::string SelectionText() const;

    void OnListMouse(UINT msg, POINT p);
    void OnKey(UINT vk);
    LRESULT OnSetText(const char* text);
    LRESULT DialogCode(const MSG* msg) const;
    void Paint(HDC dc);

    HWND hwnd_;
    HWND list_ = nullptr;
    HWND edit_ = nullptr;
    int requestedHeight_ = 0; // face and list, as asked at creation
    int faceHeight_ = 0;
    bool dropped_ = false;
    bool focused_ = false;
    bool settingEdit_ = false; // the combo box itself changes the edit's text
};

} // namespace ws::ctl
