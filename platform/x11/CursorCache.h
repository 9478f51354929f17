#pragma once

// The X cursors of the program's cursors: each picture (straight-alpha ARGB
// with a hot spot) becomes an Xcursor ARGB cursor once, and the blank
// cursor stands for "no cursor".

#include "platform/win/WinTypes.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

struct HCURSOR__;

namespace platform::x11 {

class CursorCache {
public:
    explicit CursorCache(Display* display);
    ~CursorCache();
    CursorCache(const CursorCache&) = delete;
    CursorCache& operator=(const CursorCache&) = delete;

    // The X cursor for a cursor handle; null and unknown handles give the
    // blank cursor.
    ::Cursor For(HCURSOR__* cursor);

private:
    struct Entry {
        HCURSOR__* handle;
        // What the cursor was made from: a handle that was destroyed and
        // reused for another picture must not get the old one.
        std::vector<std::uint32_t> argb;
        POINT hotspot;
        ::Cursor cursor;
    };
    ::Cursor Blank();

    Display* display_;
    ::Cursor blank_ = 0;
    std::vector<Entry> entries_;
};

} // namespace platform::x11
