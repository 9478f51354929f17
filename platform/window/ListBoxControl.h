#pragma once

// The "LISTBOX" class: a list of strings with item data and a single
// selection, chosen by a click (or a drag) and by the arrow, Home, End and
// Page keys. The list scrolls to keep the selection in sight and with the
// wheel; with WS_VSCROLL and more items than fit it draws a flat scroll bar
// of its own at the right edge. Selections the user makes send
// LBN_SELCHANGE (with LBS_NOTIFY); those the program makes do not.
//
// A combo box's drop-down list is one of these too, in a top-level popup
// that belongs to the combo box: it asks the combo box for its colours,
// highlights the item under the pointer ("hot") rather than the selection,
// and leaves the mouse to the combo box.

#include "platform/window/WinUser.h"

#include <string>
#include <vector>

namespace ws::ctl {

// List box messages the program's headers do not name, with the values of
// the desktop API.
inline constexpr UINT LB_GETTOPINDEX = 0x018E;
inline constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
inline constexpr UINT LB_FINDSTRING = 0x018F;

class ListBoxControl {
public:
    // The class of combo boxes' drop-down lists; its windows are made with
    // the combo box as their creation parameter.
    static constexpr const char* kDropDownClass = "ComboLBox";

    ListBoxControl(HWND hwnd, const CREATESTRUCT& cs);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    // For the combo box that owns a drop-down list.
    HWND Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    int Selection() const { return selected_; }
    int ItemHeight() const { return itemHeight_; }
    int Hot() const { return hot_; }
    void SetHot(int index);
    // The item under a client point, or -1 (outside, or on the scroll bar).
    int ItemAt(POINT p) const;
    bool OnScrollBar(POINT p) const;
    void ScrollBarPress(POINT p);
    void ScrollBarDrag(POINT p);
    void EndScrollBarDrag() { thumbDrag_ = false; }
    bool DraggingThumb() const { return thumbDrag_; }
    // Where a navigation key moves from index, or -1 for other keys.
    int NavigationTarget(UINT vk, int from) const;
    void EnsureVisible(int index);
    void ScrollWheel(int delta);
    // The client height that shows at most maxHeight of the items, and at
    // least one item.
    int FittingHeight(int maxHeight) const;

private:
    struct Item {
        std::string text;
        ULONG_PTR data = 0;
    };

    DWORD Style() const;
    RECT ClientRect() const;
    int VisibleCount() const;
    int MaxTop() const;
    bool HasScrollBar() const;
    RECT ScrollBarRect() const;
    RECT ThumbRect() const;
    void ScrollTo(int top);
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    int Insert(int index, const char* text);
    int Delete(int index);
    int Find(int startAfter, const char* text, bool exact) const;
    // A selection the user made: notifies the parent when it changed.
    void UserSelect(int index);
    void OnButtonDown(POINT p);
    void OnMouseMove(POINT p);
    void Paint(HDC dc);
    void PaintScrollBar(HDC dc);
    void MeasureItems();

    HWND hwnd_;
    HWND owner_ = nullptr; // the combo box of a drop-down list
    std::vector<Item> items_;
    int selected_ = -1;
    int hot_ = -1;
    int top_ = 0;
    int itemHeight_ = 16;
    bool tracking_ = false; // the left button is held on the items
    bool thumbDrag_ = false;
    int thumbGrab_ = 0; // where in the thumb the pointer holds it
};

} // namespace ws::ctl
