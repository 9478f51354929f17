#pragma once

// GDI+ started for the length of one benchmark, as the program starts it
// once for its whole run.

#include "platform/gdiplus/GdiPlusFlat.h"

namespace bench {

struct GdiplusScope {
    GdiplusScope()
    {
        GdiplusStartupInput input;
        GdiplusStartup(&token, &input, nullptr);
    }
    ~GdiplusScope() { GdiplusShutdown(token); }
    GdiplusScope(const GdiplusScope&) = delete;
    GdiplusScope& operator=(const GdiplusScope&) = delete;
    ULONG_PTR token = 0;
};

} // namespace bench
