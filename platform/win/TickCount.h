#pragma once

// The millisecond tick count. By default it follows the system's monotonic
// clock; a backend with a clock of its own (the headless screen's virtual
// clock) installs it as the source, so that every timer and every reader of
// the tick count sees the same time.

#include "platform/win/WinTypes.h"

#include <functional>

DWORD GetTickCount();

namespace platform {

// Replaces the tick source; an empty function restores the system clock.
void SetTickSource(std::function<DWORD()> source);

} // namespace platform
