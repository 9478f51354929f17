// Drawing and measuring strings.
//
// Text is laid out in the layout rectangle (text::TextLayout) and drawn with
// cairo through a FreeType face. Like image rectangles, layout rectangles
// have their edges on pixel edges: (140, 75, 70, 20) spans pixels 140 ...
// 209 and 75 ... 94, which is also what drawing is clipped to unless the
// format says NoClip.

#include "platform/gdiplus/ApiCheck.h"
#include "platform/gdiplus/FigureContext.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/text/ScaledFont.h"
#include "platform/text/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Sets the context up to draw with the font: the face, its size, and
// rendering as the graphics' text hint asks. The system default is taken to
// be anti-aliased and grid-fitted.
void UseFont(cairo_t* cr, const GpFont& font, TextRenderingHint hint)
{
    const bool aliased = hint == TextRenderingHintSingleBitPerPixelGridFit
        || hint == TextRenderingHintSingleBitPerPixel;
    const bool gridFit = hint != TextRenderingHintAntiAlias && hint != TextRenderingHintSingleBitPerPixel;
    text::UseFont(cr, font.face, font.emPixels, text::Rendering { !aliased, gridFit });
}

double AlignFactor(StringAlignment a) { return a == StringAlignmentCenter ? 0.5 : a == StringAlignmentFar ? 1.0 : 0.0; }

// Lays the string out as the format says.
text::TextLayout Lay(cairo_t* cr, const WCHAR* s, INT length, const RectF& r, const GpStringFormat& f)
{
    text::LayoutOptions options;
    options.alignX = AlignFactor(f.align);
    options.alignY = AlignFactor(f.lineAlign);
    options.wrap = (f.flags & gdiplus::kFormatNoWrap) == 0;
    options.wholeLines = (f.flags & gdiplus::kFormatLineLimit) != 0;
    options.trailingSpaces = (f.flags & gdiplus::kFormatMeasureTrailingSpaces) != 0;
    return text::TextLayout(cairo_get_scaled_font(cr), text::DecodeUtf16(s, length), length,
        text::Box { r.X, r.Y, r.Width, r.Height }, options);
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
    const GpSolidFill* solid = brush;
    if (!solid)
        return InvalidParameter;
    if (GpStatus s = CheckText(text, length); s != Ok)
        return s;
    const GpStringFormat& f = FormatOrDefault(format);

    gdiplus::FigureContext figure(*graphics);
    cairo_t* cr = figure.cr();
    cairo_translate(cr, -0.5, -0.5); // layout edges on pixel edges
    UseFont(cr, *font, graphics->textHint);
    text::TextLayout laid = Lay(cr, text, length, *layout, f);
    if ((f.flags & gdiplus::kFormatNoClip) == 0)
        ClipToLayout(cr, *layout);
    figure.SetSource(solid->color);

    // What changed is the glyphs' ink.
    const text::InkBox ink = laid.Draw(cr);
    if (!ink.Empty())
        figure.MarkChanged(gdiplus::UserBox { ink.x0, ink.y0, ink.x1, ink.y1 });
    return Ok;
}

GpStatus GdipMeasureString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font, const RectF* layout,
    const GpStringFormat* format, RectF* bounds, INT* codepointsFitted, INT* linesFilled)
{
    if (GpStatus s = gdiplus::CheckCall(graphics, text, font, layout, bounds); s != Ok)
        return s;
    if (GpStatus s = CheckText(text, length); s != Ok)
        return s;

    gdiplus::FigureContext figure(*graphics);
    cairo_t* cr = figure.cr();
    cairo_translate(cr, -0.5, -0.5);
    UseFont(cr, *font, graphics->textHint);
    text::TextLayout laid = Lay(cr, text, length, *layout, FormatOrDefault(format));
    const text::Box b = laid.Bounds();
    *bounds = RectF { static_cast<REAL>(b.x), static_cast<REAL>(b.y), static_cast<REAL>(b.width),
        static_cast<REAL>(b.height) };
    if (codepointsFitted)
        *codepointsFitted = laid.CodeUnitsFitted();
    if (linesFilled)
        *linesFilled = static_cast<INT>(laid.Lines().size());
    return Ok;
}
