#pragma once

// Fonts selected for the length of a test, and the box of pixels text drew.

#include "platform/gdi/Text.h"
#include "tests/support/TestDc.h"

#include <algorithm>

namespace texttest {

// A font made and selected into a DC, deselected and deleted on exit.
class SelectedFont {
public:
    SelectedFont(HDC dc, const char* face, int height, int weight = FW_NORMAL)
        : dc_(dc)
        , font_(CreateFont(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face))
        , old_(SelectObject(dc, font_))
    {
    }
    ~SelectedFont()
    {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;
    HFONT font() const { return font_; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

// The bounding box (right and bottom exclusive) of the pixels that differ
// from a background colour.
struct Ink {
    RECT box { 1 << 30, 1 << 30, -1, -1 };
    int count = 0;
    bool Inside(const RECT& r) const
    {
        return count == 0 || (box.left >= r.left && box.top >= r.top && box.right <= r.right && box.bottom <= r.bottom);
    }
    double CentreX() const { return (box.left + box.right) / 2.0; }
    double CentreY() const { return (box.top + box.bottom) / 2.0; }
};

inline Ink InkOf(const test::TestDc& dc, COLORREF background)
{
    Ink ink;
    for (int y = 0; y < dc.height(); ++y) {
        for (int x = 0; x < dc.width(); ++x) {
            if (dc.At(x, y) == background)
                continue;
            ink.box.left = std::min<LONG>(ink.box.left, x);
            ink.box.top = std::min<LONG>(ink.box.top, y);
            ink.box.right = std::max<LONG>(ink.box.right, x + 1);
            ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
            ++ink.count;
        }
    }
    return ink;
}

inline TEXTMETRIC MetricsOf(HDC dc)
{
    TEXTMETRIC tm {};
    GetTextMetrics(dc, &tm);
    return tm;
}

inline SIZE ExtentOf(HDC dc, const char* s)
{
    SIZE size {};
    GetTextExtentPoint32(dc, s, -1, &size);
    return size;
}

} // namespace texttest
