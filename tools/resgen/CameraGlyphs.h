#pragma once

// The symbols of the camera's toolbar and of the image adjustment panel,
// drawn centred on a point in one colour, at the size of the toolbar's
// small buttons (about 16 pixels).

#include <cairo.h>

#include <cstdint>

namespace resgen {

// Three slider bars with their knobs: adjusting the picture.
void AdjustSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink);
// A magnifying glass with a plus (zoom in) or a minus (zoom out).
void MagnifierSymbol(cairo_t* cr, double cx, double cy, bool plus, std::uint32_t ink);
// A turning arrow, clockwise or counter-clockwise.
void TurnSymbol(cairo_t* cr, double cx, double cy, bool clockwise, std::uint32_t ink);
// Four corner marks of a screen: fitting the picture to it.
void FitSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink);
// A document camera: a base, an arm and a camera head looking down.
void DocumentCameraSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink, std::uint32_t accent);
// Brightness, saturation and contrast: a sun, a drop, a half-filled disc.
void SunSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink);
void DropSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink);
void ContrastSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink);

} // namespace resgen
