#pragma once

// A wooden pencil drawn along any line: a sharpened graphite point, the
// pale cut wood of the cone, a body of three wooden facets, a metal ferrule
// and a pink eraser at the far end, all inside a dark outline. The cursor
// and the program's icon both draw it, at different sizes.

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace resgen {

struct PencilShape {
    double tipX, tipY; // where the point of the graphite lies
    double tailX, tailY; // the middle of the eraser's end
    double width; // across the body
    double outline; // width of the outline; 0 for none
};

void DrawPencil(cairo_t* cr, const PencilShape& shape);

// Every colour the pencil is drawn in (0x00RRGGBB), for pictures that keep
// to a small palette.
const std::vector<std::uint32_t>& PencilColors();

} // namespace resgen
