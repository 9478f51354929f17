#pragma once

// Draws text into a device context through cairo: a context over the DC's
// pixels (CairoSurface.h) in device coordinates, clipped to the DC's
// effective clip, set to the font and the DC's text colour. Whatever was
// touched is written back to the DC's surface, and its dirty box grown,
// when the painter goes.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontInstance.h"

#include <cstdint>
#include <vector>

namespace gdi {

class TextPainter {
public:
    TextPainter(DeviceContext& dc, const FontInstance& font);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    // False when cairo could not be set up over the DC's pixels.
    bool Ready() const { return cr_ != nullptr; }

    // Cuts the clip down to a rectangle in device coordinates.
    void ClipTo(const RECT& device);
    // Fills a rectangle in device coordinates with the DC's background colour.
    void FillBackground(const RECT& device);
    // Shows glyphs (device coordinates) in the text colour, with the font's
    // underline and strike-out lines from x0 to x1 when it has them.
    void DrawGlyphs(const std::vector<cairo_glyph_t>& glyphs, double baseline, double x0, double x1);
    // A line under the text from x0 to x1, as the font's underline.
    void Underline(double x0, double x1, double baseline);

private:
    void LineAt(double x0, double x1, double baseline, int offset, int thickness);
    void Touch(double x0, double y0, double x1, double y1);

    DeviceContext& dc_;
    const FontInstance& font_;
    std::vector<std::uint32_t> copy_;
    cairo_surface_t* target_ = nullptr;
    cairo_t* cr_ = nullptr;
    double tx0_, ty0_, tx1_, ty1_; // touched box, device coordinates
};

} // namespace gdi
