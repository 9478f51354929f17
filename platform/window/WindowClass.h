#pragma once

// Registered window classes: the message handler, cursor, icon and
// background brush that windows of a class start with. The system's own
// classes (dialogs, buttons, statics, combo boxes, ...) register themselves
// the first time a window of theirs is made.

#include "platform/window/WinUser.h"

#include <functional>
#include <string>

namespace ws {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    HICON icon = nullptr;
    HBRUSH background = nullptr;
    int extraBytes = 0;
};

// The class of that name (compared without regard to ASCII case), or null.
const WindowClass* FindClass(const std::string& name);

// Lets a system class register itself on first use: called with the name
// when FindClass finds nothing.
void AddClassProvider(std::function<void(const std::string&)> provider);

} // namespace ws
