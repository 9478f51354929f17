#include "tools/resgen/Paint.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

double Channel(std::uint32_t rgb, int shift) { return ((rgb >> shift) & 0xFF) / 255.0; }

} // namespace

void SetColor(cairo_t* cr, std::uint32_t rgb, double alpha)
{
    cairo_set_source_rgba(cr, Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0), alpha);
}

void RoundPen(cairo_t* cr, double width, std::uint32_t rgb)
{
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, rgb);
}

void Flood(cairo_t* cr, std::uint32_t rgb)
{
    SetColor(cr, rgb);
    cairo_paint(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void FillBox(cairo_t* cr, int x0, int y0, int x1, int y1, std::uint32_t rgb)
{
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    SetColor(cr, rgb);
    cairo_fill(cr);
}

void FrameBox(cairo_t* cr, int x0, int y0, int x1, int y1, std::uint32_t rgb)
{
    FillBox(cr, x0, y0, x1, y0 + 1, rgb);
    FillBox(cr, x0, y1 - 1, x1, y1, rgb);
    FillBox(cr, x0, y0 + 1, x0 + 1, y1 - 1, rgb);
    FillBox(cr, x1 - 1, y0 + 1, x1, y1 - 1, rgb);
}

void Panel(cairo_t* cr, int x0, int y0, int x1, int y1, double radius, std::uint32_t fill, std::uint32_t border)
{
    // The border is stroked half a pixel inside the box, so that it covers
    // the edge pixels and nothing outside them.
    if (border == kNoColor) {
        RoundedRect(cr, x0, y0, x1 - x0, y1 - y0, radius);
        SetColor(cr, fill);
        cairo_fill(cr);
        return;
    }
    RoundedRect(cr, x0 + 0.5, y0 + 0.5, x1 - x0 - 1, y1 - y0 - 1, std::max(0.0, radius - 0.5));
    SetColor(cr, fill);
    cairo_fill_preserve(cr);
    SetColor(cr, border);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t)
{
    std::uint32_t out = 0;
    for (int shift : { 16, 8, 0 }) {
        const double v = Channel(a, shift) * (1 - t) + Channel(b, shift) * t;
        out |= static_cast<std::uint32_t>(std::lround(v * 255)) << shift;
    }
    return out;
}

} // namespace resgen
