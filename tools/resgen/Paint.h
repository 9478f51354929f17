#pragma once

// Small drawing helpers that every group of pictures shares: colours given
// as 0x00RRGGBB numbers, rounded rectangles, and lines and frames that
// cover whole pixels.

#include <cairo.h>

#include <cstdint>

namespace resgen {

void SetColor(cairo_t* cr, std::uint32_t rgb, double alpha = 1.0);

// Sets the context up to stroke lines of the width, round at their ends
// and corners, in the colour.
void RoundPen(cairo_t* cr, double width, std::uint32_t rgb);

// Paints the whole clip in one colour.
void Flood(cairo_t* cr, std::uint32_t rgb);

// A path: the rectangle with corners rounded by radius.
void RoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius);

// Fills the pixels x0 <= x < x1, y0 <= y < y1.
void FillBox(cairo_t* cr, int x0, int y0, int x1, int y1, std::uint32_t rgb);

// A one-pixel frame along the edge pixels of the box x0 <= x < x1,
// y0 <= y < y1.
void FrameBox(cairo_t* cr, int x0, int y0, int x1, int y1, std::uint32_t rgb);

// Stands for no colour where a colour is optional.
inline constexpr std::uint32_t kNoColor = 0xFFFFFFFFu;

// A rounded box whose fill and one-pixel border both lie exactly on the
// pixels of x0 <= x < x1, y0 <= y < y1; a border of kNoColor draws none.
void Panel(cairo_t* cr, int x0, int y0, int x1, int y1, double radius, std::uint32_t fill, std::uint32_t border);

// A colour between a (t = 0) and b (t = 1).
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t);

} // namespace resgen
