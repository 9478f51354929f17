#include "tools/resgen/SliderArt.h"

#include "tools/resgen/Canvas.h"
#include "tools/resgen/Paint.h"
#include "tools/resgen/Theme.h"

#include <cmath>

namespace resgen {

std::unique_ptr<gdi::Surface> DarkChannel(int width, int height, double middleY)
{
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    Flood(cr, theme::kChrome);
    // Three pixels deep on whole rows, with a lit lower lip.
    const int top = static_cast<int>(std::floor(middleY - 1.5 + 0.5));
    RoundedRect(cr, 2, top, width - 4, 3, 1.5);
    SetColor(cr, theme::kGroove);
    cairo_fill(cr);
    FillBox(cr, 4, top + 3, width - 4, top + 4, theme::kChromeLine);
    return canvas.ToSurface();
}

std::unique_ptr<gdi::Surface> DarkThumb()
{
    Canvas canvas(12, 13);
    cairo_t* cr = canvas.cr();
    Flood(cr, theme::kChrome);
    cairo_arc(cr, 6, kKnobMiddle, 4.0, 0, 2 * M_PI);
    SetColor(cr, 0xF4F6F8);
    cairo_fill_preserve(cr);
    SetColor(cr, theme::kAccent);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    return canvas.ToSurface();
}

} // namespace resgen
