#pragma once

// The system's control classes ("BUTTON", "STATIC", "LISTBOX", "COMBOBOX",
// "EDIT", "tooltips_class32" and the combo box's private list class), and
// how each window of theirs keeps its state.
//
// Each class registers itself the first time a window of it is made. The
// control objects live in the window's first extra slot: made at
// WM_NCCREATE, deleted at WM_NCDESTROY; in between every message goes to the
// object's Handle, which falls back to DefWindowProc.

#include "platform/window/WinUser.h"

namespace ws::ctl {

// Makes sure the providers of the control classes are installed (and linked
// into the program). Safe to call any number of times.
void EnsureControlClasses();

// The object of a control window, or null (another class, or not yet made).
template <class T>
T* StateOf(HWND hwnd)
{
    return reinterpret_cast<T*>(GetWindowLongPtr(hwnd, 0));
}

// The window procedure of a control class whose objects are T: T(HWND,
// const CREATESTRUCT&) and LRESULT T::Handle(UINT, WPARAM, LPARAM).
template <class T>
LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* made = new T(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(made));
    }
    T* self = StateOf<T>(hwnd);
    if (!self)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, 0, 0);
        delete self;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return self->Handle(msg, wParam, lParam);
}

} // namespace ws::ctl
