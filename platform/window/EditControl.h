#pragma once

// The "EDIT" class, single-line: typing (UTF-8; a character never splits),
// Backspace and Delete, the caret moved by Left, Right, Home and End,
// selection with Shift and those keys, with the mouse, and by EM_SETSEL;
// read-only fields; horizontal scrolling with ES_AUTOHSCROLL (without it the
// text stops at the field's width). Positions (EM_GETSEL, EM_SETSEL) count
// bytes of the UTF-8 text, as every string count of this API does.
//
// Edits send EN_UPDATE before the field is drawn again and EN_CHANGE after,
// for the user's edits and, as the original does for single-line fields,
// for WM_SETTEXT. Inside a combo box the field hands the keys that work the
// list (Up, Down, Page Up, Page Down, F4, and Enter and Esc while the list
// is open) to the combo box.

#include "platform/window/Controls.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace ws::ctl {

// Notifications and a message the program's headers do not name, with the
// values of the desktop API.
inline constexpr WORD EN_SETFOCUS = 0x0100;
inline constexpr WORD EN_KILLFOCUS = 0x0200;
inline constexpr UINT EM_REPLACESEL = 0x00C2;

class EditControl {
public:
    EditControl(HWND hwnd, const CREATESTRUCT& cs);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const;
    bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
    std::size_t SelStart() const { return std::min(anchor_, caret_); }
    std::size_t SelEnd() const { return std::max(anchor_, caret_); }
    std::size_t Previous(std::size_t at) const;
    std::size_t Next(std::size_t at) const;
    std::size_t Boundary(std::size_t at) const;

    // Puts text in place of the selection; false when it would not fit.
    bool ReplaceSelection(std::string_view with);
    void SetText(const char* text);
    void SetSelection(LONG_PTR start, LONG_PTR end);
    void MoveCaret(std::size_t to, bool extend);
    void DeleteOne(bool forward);
    void Changed();

    void OnChar(UINT codePoint);
    void OnKey(UINT vk, LPARAM lParam);
    void OnButtonDown(POINT p);

    // Measuring, in the control's font.
    int Width(std::string_view text) const;
    std::vector<int> BoundaryOffsets(std::vector<std::size_t>& boundaries) const;
    std::size_t OffsetAt(int x) const;
    int AvailableWidth() const;
    void ScrollToCaret();
    void Redraw();
    void Paint(HDC dc);
    void PaintFrame();

    HWND hwnd_;
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0; // the other end of the selection
    int scroll_ = 0; // pixels of text scrolled off to the left
    std::size_t limit_;
    bool focused_ = false;
    bool tracking_ = false;
    bool inCombo_ = false;
};

} // namespace ws::ctl
