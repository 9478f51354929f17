#pragma once

// The program's windows as a script names them: a dialog by the number of
// the template it was made from, any other window by its window name. Found
// through the window system's window list and the class library's objects
// behind the handles, so that windows added to the program later are found
// the same way.

#include "platform/window/WinUser.h"

#include <ostream>
#include <string>
#include <vector>

namespace play {

struct WindowInfo {
    HWND hwnd = nullptr;
    int templateId = 0; // 0: not a dialog from a numbered template
    std::string name; // the window text
    RECT rect { 0, 0, 0, 0 }; // screen coordinates
    bool visible = false;
};

// The top-level windows, topmost first.
std::vector<WindowInfo> TopLevelWindows();

// The dialog made from the template, top-level or inside another window;
// a visible one before a hidden one, the topmost first. Null when none.
HWND FindDialog(int templateId);
// The top-level window with that window name, visible first; null if none.
HWND FindNamed(const std::string& name);

WindowInfo Describe(HWND hwnd);
// One line for a window: template or name, rectangle, visibility.
std::string DescribeLine(const WindowInfo& w);
// Every top-level window, one line each, topmost first.
void PrintWindows(std::ostream& out);

} // namespace play
