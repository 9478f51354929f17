#pragma once

// The sliders of the dark tool windows: a channel that is a thin groove on
// the windows' own colour, and a light round thumb. Both are drawn on that
// colour and keep it in their top-left pixel, which the slider takes as the
// colour to let through, so the window's picture shows round the groove and
// the knob.

#include "platform/gdi/Surface.h"

#include <memory>

namespace resgen {

// Where the thumb's knob is centred, from the thumb's top edge; the
// channels put their groove's middle where the knob's middle falls.
inline constexpr double kKnobMiddle = 5.5;

// A channel of the size with its groove's middle at middleY.
std::unique_ptr<gdi::Surface> DarkChannel(int width, int height, double middleY);
// The thumb, 12 x 13.
std::unique_ptr<gdi::Surface> DarkThumb();

} // namespace resgen
