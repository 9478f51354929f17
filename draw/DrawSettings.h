#pragma once

// The small vocabularies that the palette, the board, the video view and the
// drawing-object factory share: tool ids, line types and the opacity rule.

#include "platform/win/WinTypes.h"

// What the palette's tool buttons select. Any other number names no tool.
enum ToolId : int {
    TOOL_NONE = 0,
    TOOL_ERASE = 1,
    TOOL_PEN = 2,
    TOOL_LINE = 3,
    TOOL_RECTANGLE = 4,
    TOOL_RECTFILL = 5,
    TOOL_CIRCLE = 6,
    TOOL_CIRCLEFILL = 7,
    TOOL_ELLIPSE = 8,
    TOOL_ELLIPSEFILL = 9,
};

// How a stroke's final rendering looks: 0 and 1 solid, 2 dashed, 3 with a
// round dot at the start and an arrow head at the end.
enum LineType : int {
    LINE_FREE = 0,
    LINE_STRAIGHT = 1,
    LINE_DASHED = 2,
    LINE_ARROW = 3,
};

// The opacity rule every reader of the opacity setting follows: the
// percentage times the single-precision constant 2.55 (2.5499999523...),
// formed in double precision and truncated. So 50 gives 127 and 100 gives
// 254, never 255.
constexpr int AlphaFromPercent(int percent) { return static_cast<int>(percent * static_cast<double>(2.55f)); }

// ARGB from an alpha (only its low 8 bits count) and a COLORREF.
constexpr DWORD ArgbFromColorRef(int alpha, COLORREF c)
{
    return (static_cast<DWORD>(alpha & 0xFF) << 24) | (static_cast<DWORD>(GetRValue(c)) << 16)
        | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
}
