#pragma once

// What the window system keeps for each dialog box: its procedure, its
// template font and the base units that convert its dialog units, the
// control that had the focus, and how it ended.

#include "platform/window/WinUser.h"

namespace ws {

struct DialogState {
    DLGPROC proc = nullptr;
    HFONT font = nullptr; // the template's font, owned
    int baseX = 8; // average character width of the font, pixels
    int baseY = 16; // character height of the font, pixels
    HWND focus = nullptr; // the control that last had the focus
    WORD defaultId = IDOK;
    bool modal = false;
    bool ended = false;
    LONG_PTR result = 0;
};

// The state of a dialog window, or null for any other window.
DialogState* DialogOf(HWND hwnd);

} // namespace ws
