#pragma once

// The floating tool palette's pictures: its skin (bitmap 157, 42 x 556,
// cut out by yellow outside a rounded outline), the bitmap buttons' up and
// down pictures named after their captions (PENU, PEND, ... at 32 x 32,
// CLOSEU and CLOSED at 13 x 13), the auto-hide button's pictures 160 and
// 161 (13 x 13) and the hover buttons' strips 181, 187, 193 to 196 (three
// pictures of 35 x 35). Every button picture is drawn on the part of the
// skin its button covers, where dialog template 102 places it.

#include "platform/gdi/Surface.h"
#include "tools/resgen/Resource.h"

#include <vector>

namespace resgen {

// The skin, drawn once.
const gdi::Surface& PaletteSkin();

std::vector<Resource> PaletteResources();

} // namespace resgen
