#pragma once

// Helpers for region tests: pixels as rows of '#' and '.', which make both
// the comparison and the failure message, and the region behind a handle.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"

#include <string>

namespace regiontest {

template <typename F>
std::string Mask(const RECT& area, F inside)
{
    std::string s = "\n";
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            s += inside(x, y) ? '#' : '.';
        s += '\n';
    }
    return s;
}

inline std::string Mask(HRGN rgn, const RECT& area)
{
    return Mask(area, [&](int x, int y) { return PtInRegion(rgn, x, y) != FALSE; });
}

inline const gdi::Region& RegionOf(HRGN rgn) { return gdi::ObjectAs<gdi::RegionObject>(rgn)->region; }

inline bool In(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

inline RECT BoxOf(HRGN rgn)
{
    RECT box { -9, -9, -9, -9 };
    GetRgnBox(rgn, &box);
    return box;
}

} // namespace regiontest
