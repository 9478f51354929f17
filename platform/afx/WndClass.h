#pragma once

// Window classes registered on demand by the class library.

#include "platform/window/WinUser.h"

// The name of a window class with these traits, registered the first time
// it is asked for. Windows of such classes do what DefWindowProc does
// unless their object's message map says otherwise. The name stays valid
// for the life of the program.
const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
    HICON icon = nullptr);
