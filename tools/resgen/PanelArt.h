#pragma once

// The image adjustment panel's pictures: skin 163 (200 x 145, dark grey,
// without yellow, so the whole picture is the window) with the labels and
// symbols of its three rows, brightness, saturation and contrast, beside
// the places template 105 gives the sliders; and the sliders' channel 165
// (138 x 13), whose top-left pixel has the panel's colour so that the panel
// shows through around the groove. The thumb is the toolbar's, 166.

#include "tools/resgen/Resource.h"

#include <vector>

namespace resgen {

std::vector<Resource> AdjustmentPanelResources();

} // namespace resgen
