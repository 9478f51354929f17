#include "tools/resgen/CameraGlyphs.h"

#include "tools/resgen/Paint.h"

#include <cmath>
#include <initializer_list>

namespace resgen {

namespace {

double Radians(double degrees) { return degrees * M_PI / 180; }

void Dot(cairo_t* cr, double x, double y, double r)
{
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
}

} // namespace

void AdjustSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink)
{
    // Bars on whole-pixel rows, knobs at different places along them.
    const double knobs[] = { 3, -3.5, 1 };
    for (int i = 0; i < 3; ++i) {
        const double y = std::floor(cy) + (i - 1) * 5 + 0.5;
        cairo_move_to(cr, cx - 7.5, y);
        cairo_line_to(cr, cx + 7.5, y);
        RoundPen(cr, 1.2, ink);
        cairo_stroke(cr);
        Dot(cr, cx + knobs[i], y, 2.3);
    }
}

void MagnifierSymbol(cairo_t* cr, double cx, double cy, bool plus, std::uint32_t ink)
{
    const double gx = cx - 1.5, gy = cy - 1.5, r = 5.2;
    RoundPen(cr, 1.6, ink);
    cairo_arc(cr, gx, gy, r, 0, 2 * M_PI);
    cairo_stroke(cr);
    const double d = r / std::sqrt(2.0);
    cairo_move_to(cr, gx + d + 0.8, gy + d + 0.8);
    cairo_line_to(cr, gx + d + 4.5, gy + d + 4.5);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, gx - 2.6, gy);
    cairo_line_to(cr, gx + 2.6, gy);
    if (plus) {
        cairo_move_to(cr, gx, gy - 2.6);
        cairo_line_to(cr, gx, gy + 2.6);
    }
    cairo_stroke(cr);
}

void TurnSymbol(cairo_t* cr, double cx, double cy, bool clockwise, std::uint32_t ink)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    if (!clockwise)
        cairo_scale(cr, -1, 1);
    // Cairo's angles grow clockwise on the screen: the arc runs from the
    // lower left over the top to the right, and the head carries it on
    // downwards.
    const double r = 5.5, end = Radians(20), head = 3.4;
    const double px = r * std::cos(end), py = r * std::sin(end);
    const double tx = -std::sin(end), ty = std::cos(end); // the direction of travel
    const double nx = std::cos(end), ny = std::sin(end); // outwards
    cairo_arc(cr, 0, 0, r, Radians(140), Radians(360) + end);
    RoundPen(cr, 1.7, ink);
    cairo_stroke(cr);
    cairo_move_to(cr, px + tx * head * 1.1, py + ty * head * 1.1);
    cairo_line_to(cr, px + nx * head, py + ny * head);
    cairo_line_to(cr, px - nx * head, py - ny * head);
    cairo_close_path(cr);
    cairo_set_line_width(cr, 1);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void FitSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink)
{
    const double w = 8, h = 6, arm = 4;
    RoundPen(cr, 1.6, ink);
    for (int sx : { -1, 1 })
        for (int sy : { -1, 1 }) {
            const double x = std::round(cx) + sx * w - (sx > 0 ? 0.5 : -0.5);
            const double y = std::round(cy) + sy * h - (sy > 0 ? 0.5 : -0.5);
            cairo_move_to(cr, x - sx * arm, y);
            cairo_line_to(cr, x, y);
            cairo_line_to(cr, x, y - sy * arm);
            cairo_stroke(cr);
        }
    // The picture inside, filling the marks.
    cairo_rectangle(cr, std::round(cx) - 4, std::round(cy) - 2, 8, 4);
    SetColor(cr, ink, 0.55);
    cairo_fill(cr);
}

void DocumentCameraSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink, std::uint32_t accent)
{
    // The base plate, the arm rising from its back and bending forward, the
    // head, and the page under it.
    RoundedRect(cr, cx - 11, cy + 7, 22, 3, 1.5);
    SetColor(cr, ink);
    cairo_fill(cr);
    cairo_move_to(cr, cx - 7, cy + 7);
    cairo_line_to(cr, cx - 7, cy - 7);
    cairo_line_to(cr, cx + 1, cy - 9);
    RoundPen(cr, 2, ink);
    cairo_stroke(cr);
    RoundedRect(cr, cx - 1, cy - 11, 9, 5, 1.5);
    SetColor(cr, accent);
    cairo_fill(cr);
    cairo_move_to(cr, cx + 2, cy - 6);
    cairo_line_to(cr, cx - 1, cy + 6);
    cairo_line_to(cr, cx + 10, cy + 6);
    cairo_line_to(cr, cx + 5, cy - 6);
    cairo_close_path(cr);
    SetColor(cr, accent, 0.3);
    cairo_fill(cr);
}

void SunSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink)
{
    SetColor(cr, ink);
    Dot(cr, cx, cy, 3.6);
    RoundPen(cr, 1.5, ink);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        cairo_move_to(cr, cx + 5.6 * std::cos(a), cy + 5.6 * std::sin(a));
        cairo_line_to(cr, cx + 7.6 * std::cos(a), cy + 7.6 * std::sin(a));
    }
    cairo_stroke(cr);
}

void DropSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink)
{
    // A round bottom under a point, outlined, its right half filled.
    const double r = 5, by = cy + 2.5;
    auto outline = [&] {
        cairo_move_to(cr, cx, cy - 8);
        cairo_curve_to(cr, cx + 2, cy - 5, cx + r, cy - 2, cx + r, by);
        cairo_arc(cr, cx, by, r, 0, M_PI);
        cairo_curve_to(cr, cx - r, cy - 2, cx - 2, cy - 5, cx, cy - 8);
        cairo_close_path(cr);
    };
    outline();
    cairo_save(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, cx, cy - 9, r + 1, 18);
    SetColor(cr, ink);
    cairo_fill(cr);
    cairo_restore(cr);
    outline();
    RoundPen(cr, 1.4, ink);
    cairo_stroke(cr);
}

void ContrastSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink)
{
    const double r = 6.2;
    cairo_move_to(cr, cx, cy - r);
    cairo_arc(cr, cx, cy, r, -M_PI / 2, M_PI / 2);
    cairo_close_path(cr);
    SetColor(cr, ink);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    RoundPen(cr, 1.4, ink);
    cairo_stroke(cr);
}

} // namespace resgen
