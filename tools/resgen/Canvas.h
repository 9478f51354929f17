#pragma once

// A cairo drawing surface for one resource picture, and the conversions of
// what was drawn into the forms the resource files store: opaque pixels for
// bitmaps, opaque pixels with a sharp edge against a key colour for the
// skins that windows cut to shape, straight-alpha ARGB for cursors and
// icons, and ARGB limited to a palette with all-or-nothing transparency for
// cursors of few colours.

#include "platform/gdi/Surface.h"
#include "platform/window/Resources.h"

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace resgen {

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Paints a finished picture so that its pixel (x, y) lands on the
    // canvas's (0, 0): the part of a skin that a control covers.
    void PaintFrom(const gdi::Surface& picture, int x, int y);

    // The picture over an opaque white ground, as a 32-bit surface.
    std::unique_ptr<gdi::Surface> ToSurface() const;
    // The picture with a sharp outline for a skin cut by a key colour:
    // pixels at least half covered keep their own colour, unblended, and
    // all others become the key.
    std::unique_ptr<gdi::Surface> ToKeyedSurface(std::uint32_t key) const;
    // The picture with its transparency.
    res::Pointer ToPointer(POINT hotspot) const;
    // The picture with every pixel either transparent or one of the palette's
    // colours (0x00RRGGBB): the nearest one, for pixels at least half covered.
    res::Pointer ToPalettePointer(POINT hotspot, const std::vector<std::uint32_t>& palette) const;

private:
    // Straight-alpha ARGB of pixel (x, y).
    std::uint32_t StraightAt(int x, int y) const;

    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

} // namespace resgen
