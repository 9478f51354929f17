#pragma once

// The camera toolbar's pictures: skin 162 (1366 x 93; the top 53 rows and the ends beyond the
// dark bar are yellow and cut away, leaving a bar 40 pixels high with the
// camera function's caption at its right end) and its buttons' strips,
// each drawn on the part of the bar where template 104 places the button:
// 164 (42 x 25 pictures), 167 and 168 (50 x 27), 171, 172, 173 and 178
// (38 x 22), 175 (40 x 22), 176 and 177 (29 x 22). The two sliders' channel
// 169 (90 x 13) and the thumb 166 (12 x 13), which the adjustment panel
// shares, have the bar's colour in their top-left pixels: the colour that
// lets the bar show through.

#include "tools/resgen/Resource.h"

#include <vector>

namespace resgen {

std::vector<Resource> ToolbarResources();

} // namespace resgen
