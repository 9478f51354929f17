#pragma once

// CSize: a SIZE with arithmetic, as the class library has it.

#include "platform/win/WinTypes.h"

class CSize : public SIZE {
public:
    CSize()
        : SIZE { 0, 0 }
    {
    }
    CSize(int cx_, int cy_)
        : SIZE { cx_, cy_ }
    {
    }
    CSize(SIZE s)
        : SIZE(s)
    {
    }
    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
};
