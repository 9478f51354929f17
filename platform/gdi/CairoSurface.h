#pragma once

// cairo drawing on a GDI surface's pixels, for the drawing that GDI does
// through cairo (text) and for GDI+ graphics on a device context.
//
// The cairo surface is RGB24 over the GDI surface's own memory (both are
// 0x00RRGGBB, top-down), with the DC's offset inside its surface as cairo's
// device offset, so that cairo's device space is the DC's device space.
// cairo walks rows top-down only, so a bottom-up surface (a DIB section
// with negative stride) is drawn through a top-down copy instead.

#include "platform/gdi/Surface.h"

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace gdi {

// The cairo surface over the pixels; copy receives the top-down copy when
// one is needed and is left empty otherwise. The caller destroys the
// surface and keeps copy alive as long as it.
cairo_surface_t* CreateCairoSurface(Surface& surface, POINT deviceOffset, std::vector<std::uint32_t>& copy);

// Brings what cairo drew inside r (surface coordinates; clipped to the
// surface here) into the GDI surface, each pixel made something the surface
// can hold (cairo sets the unused top byte, and a monochrome surface keeps
// only black and white), and grows the surface's dirty box by r.
void WriteCairoPixels(cairo_surface_t* target, Surface& surface, const std::vector<std::uint32_t>& copy, RECT r);

} // namespace gdi
