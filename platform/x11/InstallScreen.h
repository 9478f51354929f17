#pragma once

// Choosing the screen at start: the program's entry calls InstallScreen
// before it makes any window.

namespace platform::x11 {

// Connects to the X display named by DISPLAY and makes it the window
// system's screen for the rest of the process. On failure it says why on
// the standard error stream and answers false; the caller then ends with a
// non-zero status.
bool InstallScreen();

} // namespace platform::x11
