#include "tools/resgen/ToolGlyphs.h"

#include "tools/resgen/Paint.h"
#include "tools/resgen/Pencil.h"

#include <cmath>

namespace resgen {

namespace {

// Fills the path, or strokes it two pixels wide on whole pixels.
void FillOrOutline(cairo_t* cr, bool filled, std::uint32_t ink)
{
    SetColor(cr, ink);
    if (filled) {
        cairo_fill(cr);
        return;
    }
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// A small writing pen in orange, point to the lower left, lifted off the
// symbol behind it by a rim of the ground's colour.
void SmallPen(cairo_t* cr, double tipX, double tipY, std::uint32_t ground)
{
    cairo_save(cr);
    cairo_translate(cr, tipX, tipY);
    cairo_rotate(cr, -M_PI / 4);
    auto outline = [&] {
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 3.5, -1.9);
        cairo_line_to(cr, 11, -1.9);
        cairo_line_to(cr, 11, 1.9);
        cairo_line_to(cr, 3.5, 1.9);
        cairo_close_path(cr);
    };
    outline();
    SetColor(cr, ground);
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    outline();
    SetColor(cr, 0xFF9A1F);
    cairo_fill(cr);
    // The bare point.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 3.5, -1.9);
    cairo_line_to(cr, 3.5, 1.9);
    cairo_close_path(cr);
    SetColor(cr, 0xF6DDB4);
    cairo_fill(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 1.4, -0.8);
    cairo_line_to(cr, 1.4, 0.8);
    cairo_close_path(cr);
    SetColor(cr, 0x30343A);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace

void PencilSymbol(cairo_t* cr, double cx, double cy, double length)
{
    const double d = length / 2 / std::sqrt(2.0);
    DrawPencil(cr, PencilShape { cx - d, cy + d, cx + d, cy - d, length * 0.3, 1.0 });
}

void LineSymbol(cairo_t* cr, double cx, double cy, double length, std::uint32_t ink)
{
    const double d = length / 2 / std::sqrt(2.0);
    StraightStroke(cr, cx - d, cy + d, cx + d, cy - d, 2.2, ink);
    for (double s : { -1.0, 1.0 }) {
        cairo_arc(cr, cx + s * d, cy - s * d, 2.4, 0, 2 * M_PI);
        SetColor(cr, ink);
        cairo_fill(cr);
    }
}

void RectangleSymbol(cairo_t* cr, double cx, double cy, double width, double height, bool filled, std::uint32_t ink)
{
    // The two-pixel outline runs along whole pixels when the centre and
    // the size are whole.
    cairo_rectangle(cr, cx - width / 2, cy - height / 2, width, height);
    FillOrOutline(cr, filled, ink);
}

void EllipseSymbol(cairo_t* cr, double cx, double cy, double rx, double ry, bool filled, std::uint32_t ink)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    FillOrOutline(cr, filled, ink);
}

void EraserSymbol(cairo_t* cr, double cx, double cy, double size)
{
    const double length = size, height = size * 0.46, sleeve = length * 0.42;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -M_PI / 5);
    RoundedRect(cr, -length / 2, -height / 2, length, height, 2.5);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    SetColor(cr, 0xF6A9B4);
    cairo_fill(cr);
    // The lower face in shade, then the sleeve over the right end.
    FillBox(cr, static_cast<int>(-length), 0, static_cast<int>(length), static_cast<int>(height), 0xDB7B8B);
    cairo_rectangle(cr, length / 2 - sleeve, -height, sleeve + 1, 2 * height);
    SetColor(cr, 0x4A8FE7);
    cairo_fill(cr);
    cairo_rectangle(cr, length / 2 - sleeve, 0, sleeve + 1, height);
    SetColor(cr, 0x2F6FC6);
    cairo_fill(cr);
    cairo_restore(cr);
    RoundedRect(cr, -length / 2 + 0.5, -height / 2 + 0.5, length - 1, height - 1, 2);
    SetColor(cr, 0x1B1E22, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void ColourWheelSymbol(cairo_t* cr, double cx, double cy, double radius, std::uint32_t ground)
{
    static const std::uint32_t hues[] = { 0xE74C3C, 0xF39C12, 0xF4D03F, 0x2ECC71, 0x3498DB, 0x9B59B6 };
    const int count = static_cast<int>(std::size(hues));
    for (int i = 0; i < count; ++i) {
        const double a0 = -M_PI / 2 + 2 * M_PI * i / count, a1 = a0 + 2 * M_PI / count;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, radius, a0, a1);
        cairo_close_path(cr);
        SetColor(cr, hues[i]);
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy, radius * 0.36, 0, 2 * M_PI);
    SetColor(cr, ground);
    cairo_fill(cr);
}

void DiskSymbol(cairo_t* cr, double cx, double cy, double size)
{
    const double x = std::round(cx - size / 2), y = std::round(cy - size / 2), s = std::round(size);
    const double notch = s * 0.2;
    cairo_move_to(cr, x + 1.5, y);
    cairo_line_to(cr, x + s - notch, y);
    cairo_line_to(cr, x + s, y + notch);
    cairo_line_to(cr, x + s, y + s - 1.5);
    cairo_arc(cr, x + s - 1.5, y + s - 1.5, 1.5, 0, M_PI / 2);
    cairo_line_to(cr, x + 1.5, y + s);
    cairo_arc(cr, x + 1.5, y + s - 1.5, 1.5, M_PI / 2, M_PI);
    cairo_line_to(cr, x, y + 1.5);
    cairo_arc(cr, x + 1.5, y + 1.5, 1.5, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    SetColor(cr, 0x3F86E0);
    cairo_fill(cr);
    // The metal shutter with its window, and the paper label.
    const double shutterW = std::round(s * 0.5), shutterH = std::round(s * 0.34);
    const double shutterX = x + std::round((s - shutterW) / 2) - 1;
    FillBox(cr, static_cast<int>(shutterX), static_cast<int>(y), static_cast<int>(shutterX + shutterW),
        static_cast<int>(y + shutterH), 0xD7DDE4);
    FillBox(cr, static_cast<int>(shutterX + shutterW - 4), static_cast<int>(y + 1),
        static_cast<int>(shutterX + shutterW - 2), static_cast<int>(y + shutterH - 1), 0x4B535C);
    const double labelY = y + std::round(s * 0.52);
    FillBox(cr, static_cast<int>(x + 3), static_cast<int>(labelY), static_cast<int>(x + s - 3), static_cast<int>(y + s),
        0xFFFFFF);
    FillBox(cr, static_cast<int>(x + 5), static_cast<int>(labelY + 2), static_cast<int>(x + s - 5),
        static_cast<int>(labelY + 3), 0xB8C2CD);
    FillBox(cr, static_cast<int>(x + 5), static_cast<int>(labelY + 5), static_cast<int>(x + s - 7),
        static_cast<int>(labelY + 6), 0xB8C2CD);
}

void CrossSymbol(cairo_t* cr, double cx, double cy, double size, std::uint32_t ink)
{
    const double h = size / 2;
    cairo_move_to(cr, cx - h, cy - h);
    cairo_line_to(cr, cx + h, cy + h);
    cairo_move_to(cr, cx + h, cy - h);
    cairo_line_to(cr, cx - h, cy + h);
    RoundPen(cr, 1.6, ink);
    cairo_stroke(cr);
}

void DockSymbol(cairo_t* cr, double cx, double cy, double size, std::uint32_t ink)
{
    const double h = size / 2;
    // The bar stands for the screen's edge, on whole pixels.
    FillBox(cr, static_cast<int>(std::round(cx + h - 1.5)), static_cast<int>(std::round(cy - h)),
        static_cast<int>(std::round(cx + h - 0.5)) + 1, static_cast<int>(std::round(cy + h)) + 1, ink);
    cairo_move_to(cr, cx - h, cy + 0.5);
    cairo_line_to(cr, cx + h - 3.5, cy + 0.5);
    cairo_move_to(cr, cx + h - 6, cy - 2);
    cairo_line_to(cr, cx + h - 3.5, cy + 0.5);
    cairo_line_to(cr, cx + h - 6, cy + 3);
    RoundPen(cr, 1.4, ink);
    cairo_stroke(cr);
}

void LineKindsSymbol(cairo_t* cr, double cx, double cy, double width, std::uint32_t ink)
{
    const double x0 = cx - width / 2, x1 = cx + width / 2;
    WavyStroke(cr, x0, cy - 6 + 1.8, x1, cy - 6 - 1.8, 1.6, ink);
    DashedStroke(cr, x0, cy + 0.5, x1, cy + 0.5, 1.8, ink);
    ArrowStroke(cr, x0, cy + 7, x1, cy + 7, 1.6, ink);
}

void OpacitySymbol(cairo_t* cr, double cx, double cy, double size)
{
    const int cells = 4;
    const double cell = std::round(size * 0.7 / cells);
    const int x0 = static_cast<int>(std::round(cx - size / 2)), y0 = static_cast<int>(std::round(cy - size / 2));
    for (int row = 0; row < cells; ++row)
        for (int col = 0; col < cells; ++col) {
            const int x = x0 + static_cast<int>(col * cell), y = y0 + static_cast<int>(row * cell);
            FillBox(cr, x, y, x + static_cast<int>(cell), y + static_cast<int>(cell),
                (row + col) % 2 ? 0x7D858E : 0xD3D8DE);
        }
    const double r = size * 0.36;
    cairo_arc(cr, cx + size / 2 - r, cy + size / 2 - r, r, 0, 2 * M_PI);
    SetColor(cr, 0x4A8FE7, 0.7);
    cairo_fill_preserve(cr);
    SetColor(cr, 0x8CBBF7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void CameraSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink)
{
    const double x = cx - 10, y = cy - 5;
    // The body with the viewfinder's hump, outlined, and the lens.
    cairo_move_to(cr, x + 2, y);
    cairo_line_to(cr, x + 6, y);
    cairo_line_to(cr, x + 7.5, y - 2.5);
    cairo_line_to(cr, x + 12.5, y - 2.5);
    cairo_line_to(cr, x + 14, y);
    cairo_line_to(cr, x + 18, y);
    cairo_arc(cr, x + 18, y + 2, 2, -M_PI / 2, 0);
    cairo_line_to(cr, x + 20, y + 11);
    cairo_arc(cr, x + 18, y + 11, 2, 0, M_PI / 2);
    cairo_line_to(cr, x + 2, y + 13);
    cairo_arc(cr, x + 2, y + 11, 2, M_PI / 2, M_PI);
    cairo_line_to(cr, x, y + 2);
    cairo_arc(cr, x + 2, y + 2, 2, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    RoundPen(cr, 1.6, ink);
    cairo_stroke(cr);
    cairo_arc(cr, x + 10, y + 6.5, 3.6, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_arc(cr, x + 16.5, y + 3, 0.9, 0, 2 * M_PI);
    cairo_fill(cr);
}

void StillCameraSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink, std::uint32_t ground)
{
    CameraSymbol(cr, cx, cy, ink);
    SmallPen(cr, cx + 3, cy + 12, ground);
}

void VideoCameraSymbol(cairo_t* cr, double cx, double cy, std::uint32_t ink, std::uint32_t ground)
{
    const double x = cx - 11, y = cy - 2;
    RoundPen(cr, 1.6, ink);
    RoundedRect(cr, x, y, 14, 10, 2);
    cairo_stroke(cr);
    // Two film reels on top and the lens hood at the side.
    cairo_arc(cr, x + 3.5, y - 3.5, 3, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_arc(cr, x + 10.5, y - 3.5, 3, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 14, y + 3.5);
    cairo_line_to(cr, x + 20, y + 0.5);
    cairo_line_to(cr, x + 20, y + 9.5);
    cairo_line_to(cr, x + 14, y + 6.5);
    cairo_stroke(cr);
    SmallPen(cr, cx + 3, cy + 12, ground);
}

void LightningSymbol(cairo_t* cr, double cx, double cy, double height, std::uint32_t fill, std::uint32_t edge)
{
    static const double bolt[][2] = {
        { 0.06, -0.50 },
        { -0.27, 0.07 },
        { -0.02, 0.07 },
        { -0.15, 0.50 },
        { 0.28, -0.12 },
        { 0.03, -0.12 },
        { 0.25, -0.50 },
    };
    for (const auto& p : bolt)
        cairo_line_to(cr, cx + p[0] * height, cy + p[1] * height);
    cairo_close_path(cr);
    SetColor(cr, fill);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, edge);
    cairo_stroke(cr);
}

void WavyStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width, std::uint32_t ink)
{
    // One and a half waves between the box's sides, as high as the box.
    const double mid = (y0 + y1) / 2, amplitude = std::abs(y0 - y1) / 2;
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        cairo_line_to(cr, x0 + (x1 - x0) * t, mid - amplitude * std::sin(t * 3 * M_PI));
    }
    RoundPen(cr, width, ink);
    cairo_stroke(cr);
}

void StraightStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width, std::uint32_t ink)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    RoundPen(cr, width, ink);
    cairo_stroke(cr);
}

void DashedStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width, std::uint32_t ink)
{
    // Dashes of three widths with gaps of two, their round ends included;
    // the pattern is centred on the line's length.
    const double dash = 3 * width, gap = 2 * width;
    const double length = std::hypot(x1 - x0, y1 - y0);
    const double period = dash + gap;
    const double spare = std::fmod(length - dash + 1e-9, period) / 2;
    const double pattern[] = { dash - width, gap + width };
    cairo_set_dash(cr, pattern, 2, -(spare + width / 2));
    StraightStroke(cr, x0, y0, x1, y1, width, ink);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void ArrowStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width, std::uint32_t ink)
{
    const double angle = std::atan2(y1 - y0, x1 - x0);
    const double head = 3.2 * width + 2;
    // The shaft stops inside the head so that its round end does not show
    // through the point.
    StraightStroke(cr, x0, y0, x1 - std::cos(angle) * head * 0.6, y1 - std::sin(angle) * head * 0.6, width, ink);
    cairo_save(cr);
    cairo_translate(cr, x1, y1);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, -head, -head * 0.5);
    cairo_line_to(cr, -head * 0.8, 0);
    cairo_line_to(cr, -head, head * 0.5);
    cairo_close_path(cr);
    cairo_restore(cr);
    SetColor(cr, ink);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_fill(cr);
}

} // namespace resgen
