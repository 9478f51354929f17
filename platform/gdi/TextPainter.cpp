#include "platform/gdi/TextPainter.h"

#include "platform/gdi/CairoSurface.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

namespace gdi {

namespace {

void SetColor(cairo_t* cr, std::uint32_t pixel)
{
    cairo_set_source_rgb(cr, ((pixel >> 16) & 0xFF) / 255.0, ((pixel >> 8) & 0xFF) / 255.0, (pixel & 0xFF) / 255.0);
}

} // namespace

TextPainter::TextPainter(DeviceContext& dc, const FontInstance& font)
    : dc_(dc)
    , font_(font)
    , tx0_(std::numeric_limits<double>::max())
    , ty0_(std::numeric_limits<double>::max())
    , tx1_(std::numeric_limits<double>::lowest())
    , ty1_(std::numeric_limits<double>::lowest())
{
    if (!dc.target)
        return;
    target_ = CreateCairoSurface(*dc.target, dc.surfaceOffset, copy_);
    cairo_t* cr = cairo_create(target_);
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr);
        return;
    }
    cr_ = cr;
    // With an identity matrix user space is device space, where the clip
    // region lives.
    dc.EffectiveClip().ForEachRect(
        [&](const RECT& r) { cairo_rectangle(cr_, r.left, r.top, r.right - r.left, r.bottom - r.top); });
    cairo_clip(cr_);
    const bool mono = dc.target->IsMonochrome();
    text::UseFont(cr_, font.Face(), font.Em(), FontInstance::RenderingFor(mono));
    // Rectangles and lines sit on whole pixels and are drawn without
    // anti-aliasing; glyphs follow the font's rendering.
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
}

TextPainter::~TextPainter()
{
    if (cr_ && tx0_ < tx1_ && ty0_ < ty1_) {
        double cx0, cy0, cx1, cy1;
        cairo_clip_extents(cr_, &cx0, &cy0, &cx1, &cy1);
        const double x0 = std::max(tx0_, cx0), y0 = std::max(ty0_, cy0);
        const double x1 = std::min(tx1_, cx1), y1 = std::min(ty1_, cy1);
        if (x0 < x1 && y0 < y1) {
            const POINT o = dc_.surfaceOffset;
            WriteCairoPixels(target_, *dc_.target, copy_,
                RECT { static_cast<LONG>(std::floor(x0)) + o.x, static_cast<LONG>(std::floor(y0)) + o.y,
                    static_cast<LONG>(std::ceil(x1)) + o.x, static_cast<LONG>(std::ceil(y1)) + o.y });
        }
    }
    if (cr_)
        cairo_destroy(cr_);
    if (target_)
        cairo_surface_destroy(target_);
}

void TextPainter::Touch(double x0, double y0, double x1, double y1)
{
    tx0_ = std::min(tx0_, x0);
    ty0_ = std::min(ty0_, y0);
    tx1_ = std::max(tx1_, x1);
    ty1_ = std::max(ty1_, y1);
}

void TextPainter::ClipTo(const RECT& r)
{
    assert(cr_);
    cairo_rectangle(cr_, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cr_);
}

void TextPainter::FillBackground(const RECT& r)
{
    assert(cr_);
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    SetColor(cr_, PixelFromColorRef(dc_.bkColor));
    cairo_rectangle(cr_, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(cr_);
    Touch(r.left, r.top, r.right, r.bottom);
}

void TextPainter::DrawGlyphs(const std::vector<cairo_glyph_t>& glyphs, double baseline, double x0, double x1)
{
    assert(cr_);
    // On a monochrome target the text is black or white, whichever the
    // colour is nearer; grey edges would only be thresholded away.
    SetColor(cr_, dc_.target->Representable(PixelFromColorRef(dc_.textColor)));
    const TEXTMETRIC& tm = font_.Metrics();
    const double cellTop = std::round(baseline) - tm.tmAscent;
    if (font_.KeepsInkInCell()) {
        cairo_save(cr_);
        cairo_rectangle(cr_, -1e6, cellTop, 2e6, tm.tmHeight);
        cairo_clip(cr_);
    }
    text::InkBox ink = text::ShowGlyphs(cr_, glyphs);
    if (font_.KeepsInkInCell()) {
        cairo_restore(cr_);
        ink.y0 = std::max(ink.y0, cellTop);
        ink.y1 = std::min(ink.y1, cellTop + tm.tmHeight);
    }
    if (!ink.Empty())
        Touch(ink.x0, ink.y0, ink.x1, ink.y1);
    if (font_.Underlined())
        LineAt(x0, x1, baseline, font_.UnderlineOffset(), font_.UnderlineThickness());
    if (font_.StruckOut())
        LineAt(x0, x1, baseline, font_.StrikeoutOffset(), font_.StrikeoutThickness());
}

void TextPainter::Underline(double x0, double x1, double baseline)
{
    assert(cr_);
    SetColor(cr_, dc_.target->Representable(PixelFromColorRef(dc_.textColor)));
    LineAt(x0, x1, baseline, font_.UnderlineOffset(), font_.UnderlineThickness());
}

void TextPainter::LineAt(double x0, double x1, double baseline, int offset, int thickness)
{
    const double left = std::floor(x0), right = std::ceil(x1);
    const double top = std::floor(baseline) + offset;
    if (left >= right)
        return;
    cairo_rectangle(cr_, left, top, right - left, thickness);
    cairo_fill(cr_);
    Touch(left, top, right, top + thickness);
}

} // namespace gdi
