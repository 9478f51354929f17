#pragma once

// The pictures of the palette's two choosers and of the tip popup.
//
// Line type chooser: skin 182 (120 x 180, a white panel with a thin dark
// border, its corners cut away in yellow) and the strips 183 to 186 (three
// pictures of 118 x 45: normal; checked, with an orange tick on a dark
// ground; highlighted, on a light blue ground), one per line type with its
// stroke and its name.
//
// Transparency chooser: skin 188 (230 x 150, never cut to shape, so without
// yellow) with its words and the white preview box framed at x 129 and 218,
// y 65 and 104; the OK and Cancel strips 189 (48 x 22 pictures) and 190
// (50 x 24); the slider's channel 191 (108 x 12) and thumb 192 (12 x 12),
// whose top-left pixels are white, the colour the slider lets through.
//
// Tip: 170, 90 x 30, every pixel red 255, green 4, blue 2.

#include "tools/resgen/Resource.h"

#include <vector>

namespace resgen {

std::vector<Resource> PopupResources();

} // namespace resgen
