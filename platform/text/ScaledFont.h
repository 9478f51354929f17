#pragma once

// A face at a size, rendered as the caller asks: the one place that turns a
// cairo face and an em size into glyphs, for drawing on a context and for
// measuring without one.

#include <cairo.h>

namespace text {

struct Rendering {
    bool antiAlias = true; // grey levels at glyph edges; false for bi-level glyphs
    bool gridFit = true; // hinted outlines and whole-pixel metrics and advances
};

// Sets the context up to draw with the face at emPixels.
void UseFont(cairo_t* cr, cairo_font_face_t* face, double emPixels, Rendering rendering);

// The scaled font UseFont gives on a context whose matrix is a translation:
// for measuring. The caller destroys it; check cairo_scaled_font_status.
cairo_scaled_font_t* CreateScaledFont(cairo_font_face_t* face, double emPixels, Rendering rendering);

// What the face's designer set, in font units: the em square, the
// distances the face reserves above and below the baseline for its line
// (the OS/2 table's Windows ascent and descent where it has them), the
// widest advance, and where an underline goes (below the baseline) and a
// strike-out line (above it).
struct DesignMetrics {
    double unitsPerEm = 0;
    double ascent = 0;
    double descent = 0;
    double maxAdvance = 0;
    double underlinePosition = 0;
    double underlineThickness = 0;
    double strikeoutPosition = 0; // above the baseline
    double strikeoutThickness = 0;
    bool fixedPitch = false;
};

// False when the font is not an outline face FreeType can describe.
bool ReadDesignMetrics(cairo_scaled_font_t* font, DesignMetrics& out);

} // namespace text
