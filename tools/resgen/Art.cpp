#include "tools/resgen/Art.h"

#include "platform/gdi/BmpFile.h"
#include "res/PointerFile.h"
#include "tools/resgen/Canvas.h"
#include "tools/resgen/Paint.h"
#include "tools/resgen/Pencil.h"

#include <cmath>
#include <memory>
#include <stdexcept>

namespace resgen {

namespace {

// A sheet of paper with a folded corner, lines of writing and a stroke of
// red ink, filling most of a 32 x 32 icon.
void DrawPage(cairo_t* cr)
{
    const double left = 3.5, top = 2.5, right = 24.5, bottom = 29.5, fold = 6;
    // A soft shadow to the lower right lifts the page off any background.
    cairo_rectangle(cr, left + 1.5, top + 1.5, right - left, bottom - top);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill(cr);
    cairo_move_to(cr, left, top);
    cairo_line_to(cr, right - fold, top);
    cairo_line_to(cr, right, top + fold);
    cairo_line_to(cr, right, bottom);
    cairo_line_to(cr, left, bottom);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.45, 0.47, 0.52);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The folded corner.
    cairo_move_to(cr, right - fold, top);
    cairo_line_to(cr, right - fold, top + fold);
    cairo_line_to(cr, right, top + fold);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.84, 0.86, 0.9);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.45, 0.47, 0.52);
    cairo_stroke(cr);
    // Lines of writing, pale blue; the first stops short of the fold.
    cairo_set_source_rgb(cr, 0.55, 0.68, 0.88);
    cairo_set_line_width(cr, 1.2);
    const double lengths[] = { 11, 17, 15, 17, 9 };
    for (int i = 0; i < 5; ++i) {
        const double y = 7.5 + 3.5 * i;
        cairo_move_to(cr, left + 3, y);
        cairo_line_to(cr, left + 3 + lengths[i], y);
        cairo_stroke(cr);
    }
    // A circle of red ink round part of the writing, as a teacher marks it.
    cairo_save(cr);
    cairo_translate(cr, 11.5, 19);
    cairo_scale(cr, 7, 4.2);
    cairo_arc(cr, 0, 0, 1, 0.3, 2 * M_PI - 0.2);
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 0.86, 0.12, 0.1);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

Bytes Pointer(const res::Pointer& p) { return res::EncodePointer(p); }

// The icon's drawing in the 32 x 32 units both forms of it share.
void DrawProgramIcon(cairo_t* cr)
{
    DrawPage(cr);
    DrawPencil(cr, PencilShape { 17.5, 21.5, 30.2, 4.2, 5.6, 0.9 });
}

} // namespace

Bytes EraserMask()
{
    Canvas canvas(62, 62);
    cairo_t* cr = canvas.cr();
    Flood(cr, 0xFFFFFF);
    // A crisp edge: whoever uses the mask takes every pixel that is not
    // white as part of the shape.
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_translate(cr, 31, 31);
    cairo_rotate(cr, M_PI / 4);
    RoundedRect(cr, -28, -14, 56, 28, 3);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill(cr);
    return gdi::EncodeBmp(*canvas.ToSurface(), 24);
}

Bytes PencilCursor()
{
    Canvas canvas(32, 32);
    // The point lies near the hot spot pixel's upper left corner, so that
    // the outline round it fills that pixel and none before it.
    DrawPencil(canvas.cr(), PencilShape { 4.2, 5.2, 27.0, 28.0, 7.6, 1.0 });
    return Pointer(canvas.ToPalettePointer(POINT { 4, 5 }, PencilColors()));
}

Bytes BlankCursor()
{
    Canvas canvas(32, 32);
    return Pointer(canvas.ToPointer(POINT { 16, 9 }));
}

Bytes ProgramIcon()
{
    Canvas canvas(32, 32);
    DrawProgramIcon(canvas.cr());
    return Pointer(canvas.ToPointer(POINT { 16, 16 }));
}

void WriteProgramIconPng(int size, const std::filesystem::path& png)
{
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    cairo_scale(cr.get(), size / 32.0, size / 32.0);
    DrawProgramIcon(cr.get());
    cairo_surface_flush(surface.get());
    std::filesystem::create_directories(png.parent_path());
    if (cairo_surface_write_to_png(surface.get(), png.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + png.string());
}

} // namespace resgen
