#pragma once

// Cursors and icons: ARGB pictures with a hot spot. The system's own cursors
// are drawn here; the program's come from its resources.

#include "platform/window/WinUser.h"

#include <cstdint>
#include <vector>

namespace ws {

class Cursor final : public HCURSOR__ {
public:
    int width = 0;
    int height = 0;
    POINT hotspot { 0, 0 };
    std::vector<std::uint32_t> argb; // straight alpha, rows top-down
    bool shared = false; // system cursors and loaded resources live for ever
};

// The cursor behind a handle, or null.
Cursor* CursorFromHandle(HCURSOR h);

} // namespace ws
