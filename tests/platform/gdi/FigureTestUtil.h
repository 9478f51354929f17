#pragma once

// Helpers shared by the line and figure tests: selecting a pen and brush for
// a scope, and reading back which pixels a drawing inked.

#include "platform/gdi/Gdi.h"
#include "tests/support/TestDc.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace figtest {

// Selects a new pen, and a solid brush or the hollow one, for the life of
// the object; the DC gets its old objects back afterwards.
class Tools {
public:
    Tools(HDC dc, int penStyle, int width, COLORREF penColor, bool hollowBrush = true,
        COLORREF brushColor = RGB(0, 0, 0))
        : dc_(dc)
        , pen_(CreatePen(penStyle, width, penColor))
        , brush_(hollowBrush ? nullptr : CreateSolidBrush(brushColor))
    {
        oldPen_ = SelectObject(dc_, pen_);
        oldBrush_ = SelectObject(dc_, brush_ ? static_cast<HGDIOBJ>(brush_) : GetStockObject(NULL_BRUSH));
    }
    ~Tools()
    {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        DeleteObject(pen_);
        if (brush_)
            DeleteObject(brush_);
    }
    Tools(const Tools&) = delete;
    Tools& operator=(const Tools&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of t whose colour is c, as (x, y) pairs.
inline PixelSet Inked(const test::TestDc& t, COLORREF c)
{
    PixelSet s;
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x)
            if (t.At(x, y) == c)
                s.insert({ x, y });
    return s;
}

// The box around a set of pixels, right and bottom exclusive.
inline RECT BoxOf(const PixelSet& s)
{
    if (s.empty())
        return RECT { 0, 0, 0, 0 };
    RECT r { s.begin()->first, s.begin()->second, s.begin()->first + 1, s.begin()->second + 1 };
    for (auto [x, y] : s) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
    }
    return r;
}

// Whether every pixel of s can be reached from any other through the
// eight neighbours, staying inside s.
inline bool Connected(const PixelSet& s)
{
    if (s.empty())
        return true;
    PixelSet seen { *s.begin() };
    std::vector<std::pair<int, int>> todo { *s.begin() };
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (s.count({ x + dx, y + dy }) && seen.insert({ x + dx, y + dy }).second)
                    todo.push_back({ x + dx, y + dy });
    }
    return seen.size() == s.size();
}

} // namespace figtest
