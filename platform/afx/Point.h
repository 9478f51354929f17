#pragma once

// CPoint: a POINT with arithmetic, as the class library has it.

#include "platform/win/WinTypes.h"

class CPoint : public POINT {
public:
    CPoint()
        : POINT { 0, 0 }
    {
    }
    CPoint(int x_, int y_)
        : POINT { x_, y_ }
    {
    }
    CPoint(POINT p)
        : POINT(p)
    {
    }

    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
    CPoint operator-(POINT p) const { return CPoint(x - p.x, y - p.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint& operator+=(POINT p)
    {
        Offset(p.x, p.y);
        return *this;
    }
    CPoint& operator-=(POINT p)
    {
        Offset(-p.x, -p.y);
        return *this;
    }
    bool operator==(POINT p) const { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const { return !(*this == p); }
};
