#pragma once

// What the common colour and file dialogs share: the error that
// CommDlgExtendedError reports for the last call, the window that owns a
// dialog, placing a dialog over its owner, and double clicks on controls.

#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"

namespace ws::dlg {

// CommDlgExtendedError codes, with the values of the desktop API.
inline constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
inline constexpr DWORD CDERR_INITIALIZATION = 0x0002;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

class CommonDialog {
public:
    static void SetError(DWORD code);
    static DWORD Error();

    // The top-level window that a dialog given `owner` belongs to (a child
    // window's top-level ancestor), or null.
    static HWND TopLevelOwner(HWND owner);

    // Sizes the dialog's client area to width x height and centres it over
    // the owner (or the screen when there is none, or it is hidden), kept
    // on the screen.
    static void Place(HWND dialog, HWND owner, int width, int height);

    // A control of a dialog template built in code, placed in pixels of the
    // client area. The templates use the system font, whose base units (8 x
    // 16) make a dialog unit two pixels each way, so even figures are exact.
    static res::DialogItem Item(const char* cls, const char* text, int id, DWORD style, RECT pixels);

    // The window system reports single presses only. This watches a
    // control's presses: a second press within the double-click time and
    // distance of the first sends the control's double-click notification
    // (code) to its parent, once that press is released.
    static void WatchDoubleClicks(HWND control, WORD code);
};

} // namespace ws::dlg
