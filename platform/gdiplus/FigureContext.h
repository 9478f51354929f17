#pragma once

// The cairo state of one figure drawn on a graphics (a line, a curve, a
// rectangle, an ellipse): set up on entry, restored on exit, so that one
// call's settings never leak into the next.
//
// Inside the scope, user coordinates are the API's world coordinates: pixel
// (x, y) covers x - 0.5 ... x + 0.5, so integer coordinates land on pixel
// centres, while cairo's pixel centres sit at +0.5. The scope shifts by half
// a pixel to match, and picks aliased or anti-aliased rendering from the
// graphics' smoothing mode.

#include "platform/gdiplus/GpObjects.h"

namespace gdiplus {

// A box in user coordinates; empty when x0 >= x1 or y0 >= y1.
struct UserBox {
    double x0;
    double y0;
    double x1;
    double y1;
};

class FigureContext {
public:
    explicit FigureContext(GpGraphics& graphics);
    ~FigureContext();
    FigureContext(const FigureContext&) = delete;
    FigureContext& operator=(const FigureContext&) = delete;

    cairo_t* cr() const { return cr_; }
    GpGraphics& graphics() const { return graphics_; }

    // Paints with colour, straight alpha as the API gives it.
    void SetSource(ARGB color);

    // The bounding box of the current path (not of its ink).
    UserBox PathBox() const;

    // Tells the graphics that the user-space box may have changed (rounded
    // outwards to whole pixels and clipped by the graphics).
    void MarkChanged(const UserBox& box);

    // Fills the current path with the colour and records what changed.
    void Fill(ARGB color);

private:
    GpGraphics& graphics_;
    cairo_t* cr_;
};

// True when the graphics draws anti-aliased.
bool IsAntiAliased(SmoothingMode mode);

} // namespace gdiplus
