// Drawing and measuring strings.
//
// Text is laid out in the layout rectangle (TextLayout) and drawn with
// cairo through a FreeType face. Like image rectangles, layout rectangles
// have their edges on pixel edges: (140, 75, 70, 20) spans pixels 140 ...
// 209 and 75 ... 94, which is also what drawing is clipped to unless the
// format says NoClip.

#include "platform/gdiplus/ApiCheck.h"
#include "platform/gdiplus/FigureContext.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Sets the context up to draw with the font: the face, its size, and
// rendering as the graphics' text hint asks. The system default is taken to
// be anti-aliased and grid-fitted.
void UseFont(cairo_t* cr, const GpFont& font, TextRenderingHint hint)
{
    cairo_set_font_face(cr, font.face);
    cairo_set_font_size(cr, font.emPixels);
    const bool aliased = hint == TextRenderingHintSingleBitPerPixelGridFit || hint == TextRenderingHintSingleBitPerPixel;
    const bool gridFit = hint != TextRenderingHintAntiAlias && hint != TextRenderingHintSingleBitPerPixel;
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, aliased ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, gridFit ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, gridFit ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// The checks both calls share; resolves a length of -1 to the string's.
GpStatus CheckText(const WCHAR* text, INT& length)
{
    if (length < -1)
        return InvalidParameter;
    if (length == -1)
        length = static_cast<INT>(std::char_traits<WCHAR>::length(text));
    return Ok;
}

// Clips to the layout rectangle, along each axis where it has a size, at
// whole pixels.
void ClipToLayout(cairo_t* cr, const RectF& r)
{
    const double big = 1e7;
    const double x0 = r.Width > 0 ? std::round(r.X) : -big, x1 = r.Width > 0 ? std::round(r.X + r.Width) : big;
    const double y0 = r.Height > 0 ? std::round(r.Y) : -big, y1 = r.Height > 0 ? std::round(r.Y + r.Height) : big;
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_clip(cr);
}

const GpStringFormat& FormatOrDefault(const GpStringFormat* format)
{
    static const GpStringFormat defaults;
    return format ? *format : defaults;
}

} // namespace

GpStatus GdipDrawString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font, const RectF* layout,
    const GpStringFormat* format, const GpBrush* brush)
{
    if (GpStatus s = gdiplus::CheckCall(graphics, text, font, layout, brush); s != Ok)
        return s;
    const auto* solid = dynamic_cast<const GpSolidFill*>(brush);
    if (!solid)
        return InvalidParameter;
    if (GpStatus s = CheckText(text, length); s != Ok)
        return s;
    const GpStringFormat& f = FormatOrDefault(format);

    gdiplus::FigureContext figure(*graphics);
    cairo_t* cr = figure.cr();
    cairo_translate(cr, -0.5, -0.5); // layout edges on pixel edges
    UseFont(cr, *font, graphics->textHint);
    gdiplus::TextLayout laid(cairo_get_scaled_font(cr), text, length, *layout, f);
    if ((f.flags & gdiplus::kFormatNoClip) == 0)
        ClipToLayout(cr, *layout);
    figure.SetSource(solid->color);

    // What changed is the glyphs' ink, a pixel wider for anti-aliasing.
    gdiplus::UserBox ink { std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest() };
    for (const gdiplus::TextLine& line : laid.Lines()) {
        std::vector<cairo_glyph_t> glyphs = laid.Glyphs(line);
        if (glyphs.empty())
            continue;
        cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
        cairo_text_extents_t e;
        cairo_glyph_extents(cr, glyphs.data(), static_cast<int>(glyphs.size()), &e);
        ink.x0 = std::min(ink.x0, glyphs[0].x + e.x_bearing - 1);
        ink.y0 = std::min(ink.y0, glyphs[0].y + e.y_bearing - 1);
        ink.x1 = std::max(ink.x1, glyphs[0].x + e.x_bearing + e.width + 1);
        ink.y1 = std::max(ink.y1, glyphs[0].y + e.y_bearing + e.height + 1);
    }
    if (ink.x0 < ink.x1 && ink.y0 < ink.y1)
        figure.MarkChanged(ink);
    return Ok;
}

GpStatus GdipMeasureString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
    const RectF* layout, const GpStringFormat* format, RectF* bounds, INT* codepointsFitted, INT* linesFilled)
{
    if (GpStatus s = gdiplus::CheckCall(graphics, text, font, layout, bounds); s != Ok)
        return s;
    if (GpStatus s = CheckText(text, length); s != Ok)
        return s;

    gdiplus::FigureContext figure(*graphics);
    cairo_t* cr = figure.cr();
    cairo_translate(cr, -0.5, -0.5);
    UseFont(cr, *font, graphics->textHint);
    gdiplus::TextLayout laid(cairo_get_scaled_font(cr), text, length, *layout, FormatOrDefault(format));
    *bounds = laid.Bounds();
    if (codepointsFitted)
        *codepointsFitted = laid.CodeUnitsFitted();
    if (linesFilled)
        *linesFilled = static_cast<INT>(laid.Lines().size());
    return Ok;
}
