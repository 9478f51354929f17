#pragma once

// CRect: a RECT with the class library's helpers. Right and bottom lie
// outside the rectangle.

#include "platform/afx/Point.h"
#include "platform/afx/Size.h"
#include "platform/win/WinTypes.h"

class CRect : public RECT {
public:
    CRect()
        : RECT { 0, 0, 0, 0 }
    {
    }
    CRect(int l, int t, int r, int b)
        : RECT { l, t, r, b }
    {
    }
    CRect(const RECT& r)
        : RECT(r)
    {
    }
    CRect(POINT topLeft, SIZE size)
        : RECT { topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy }
    {
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    bool IsRectEmpty() const { return left >= right || top >= bottom; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    void SetRectEmpty() { *this = CRect(); }
    void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }
    void InflateRect(int dx, int dy)
    {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void NormalizeRect();
    bool IntersectRect(const RECT& a, const RECT& b);
    bool UnionRect(const RECT& a, const RECT& b);

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }
    bool operator==(const RECT& r) const
    {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    bool operator!=(const RECT& r) const { return !(*this == r); }
    // Two CRects match exactly here; through RECT alone, C++20's reversed
    // comparison would be as good a candidate.
    bool operator==(const CRect& r) const { return *this == static_cast<const RECT&>(r); }
};
