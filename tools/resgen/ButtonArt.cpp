#include "tools/resgen/ButtonArt.h"

#include "tools/resgen/Canvas.h"
#include "tools/resgen/Paint.h"
#include "tools/resgen/Theme.h"

namespace resgen {

namespace {

void DrawPicture(Canvas& canvas, const ButtonPlace& place, int left, int width, int height, Look look,
    const FaceDrawer& face)
{
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_translate(cr, left, 0);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);
    Flood(cr, place.beyond);
    canvas.PaintFrom(place.skin, place.at.x, place.at.y);
    face(cr, look, width, height);
    cairo_restore(cr);
}

} // namespace

std::unique_ptr<gdi::Surface> ButtonPicture(const ButtonPlace& place, int width, int height, Look look,
    const FaceDrawer& face)
{
    Canvas canvas(width, height);
    DrawPicture(canvas, place, 0, width, height, look, face);
    return canvas.ToSurface();
}

std::unique_ptr<gdi::Surface> ButtonStrip(const ButtonPlace& place, int width, int height, const FaceDrawer& face)
{
    Canvas canvas(3 * width, height);
    int left = 0;
    for (Look look : { Look::Normal, Look::Pressed, Look::Hover }) {
        DrawPicture(canvas, place, left, width, height, look, face);
        left += width;
    }
    return canvas.ToSurface();
}

FaceColors DarkGround(cairo_t* cr, Look look, int x0, int y0, int x1, int y1, double radius)
{
    switch (look) {
    case Look::Normal:
        break;
    case Look::Pressed:
        Panel(cr, x0, y0, x1, y1, radius, theme::kAccent, theme::kAccentDark);
        return FaceColors { 0xFFFFFF, theme::kAccent };
    case Look::Hover:
        Panel(cr, x0, y0, x1, y1, radius, theme::kChromeHover, theme::kChromeLine);
        return FaceColors { 0xFFFFFF, theme::kChromeHover };
    }
    return FaceColors { theme::kInk, theme::kChrome };
}

} // namespace resgen
