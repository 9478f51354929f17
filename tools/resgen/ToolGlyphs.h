#pragma once

// The symbols of the drawing tools and the palette's commands, each drawn
// centred on a point at the size the palette's buttons show them. A symbol
// in one colour takes it as ink; the coloured ones (pencil, eraser, colour
// wheel, disk) keep their own colours on any ground.

#include <cairo.h>

#include <cstdint>

namespace resgen {

// A pencil writing towards the lower left.
void PencilSymbol(cairo_t* cr, double cx, double cy, double length);
// A straight stroke with round ends, rising to the right.
void LineSymbol(cairo_t* cr, double cx, double cy, double length, std::uint32_t ink);
// Outlined or filled shapes: a rectangle, and an ellipse (a circle when
// rx equals ry).
void RectangleSymbol(cairo_t* cr, double cx, double cy, double width, double height, bool filled, std::uint32_t ink);
void EllipseSymbol(cairo_t* cr, double cx, double cy, double rx, double ry, bool filled, std::uint32_t ink);
// A school eraser, tilted, with its paper sleeve.
void EraserSymbol(cairo_t* cr, double cx, double cy, double size);
// A wheel of six hues round a hole of the ground's colour.
void ColourWheelSymbol(cairo_t* cr, double cx, double cy, double radius, std::uint32_t ground);
// A floppy disk: the sign for saving.
void DiskSymbol(cairo_t* cr, double cx, double cy, double size);
// A cross (closing) and an arrow against a bar (tucking the palette away at
// the screen's edge).
void CrossSymbol(cairo_t* cr, double cx, double cy, double size, std::uint32_t ink);
void DockSymbol(cairo_t* cr, double cx, double cy, double size, std::uint32_t ink);
// Three kinds of line one above the other: wavy, dashed, and an arrow.
void LineKindsSymbol(cairo_t* cr, double cx, double cy, double width, std::uint32_t ink);
// A checkered square with a see-through blue disc over it.
void OpacitySymbol(cairo_t* cr, double cx, double cy, double size);
// A still camera, 20 x 15 pixels, outlined.
void CameraSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink);
// A still camera and a video camera, each with a small pen in front of its
// lower right corner, lifted off the camera by a rim of the ground.
void StillCameraSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink, std::uint32_t ground);
void VideoCameraSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink, std::uint32_t ground);
// A flash of lightning, filled, with a darker edge.
void LightningSymbol(cairo_t* cr, double cx, double cy, double height, std::uint32_t fill, std::uint32_t edge);

// The strokes the line type chooser shows, drawn in a box: a wavy line, a
// slanted straight line, a slanted dashed line, a slanted arrow.
void WavyStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width, std::uint32_t ink);
void StraightStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width, std::uint32_t ink);
void DashedStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width, std::uint32_t ink);
void ArrowStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width, std::uint32_t ink);

} // namespace resgen
