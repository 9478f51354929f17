#pragma once

// A font: a face at an em size in pixels. Sizes in points, inches and the
// other physical units convert at the screen's 96 dots per inch; world
// units are pixels, as on a graphics whose page unit is the display's.

#include "platform/gdiplus/GdiPlusFlat.h"

#include <cairo.h>

#include <string>

struct GpFont {
    GpFont(cairo_font_face_t* face, double emPixels, std::u16string familyName, int style);
    ~GpFont();
    GpFont(const GpFont&) = delete;
    GpFont& operator=(const GpFont&) = delete;

    cairo_font_face_t* face;
    double emPixels;
    std::u16string familyName;
    int style;
};

namespace gdiplus {

// Pixels per unit of font size; zero for a unit fonts cannot be sized in.
double PixelsPerFontUnit(Unit unit);

} // namespace gdiplus
