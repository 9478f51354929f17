// Graphics objects: a cairo context over either a device context's pixels or
// a bitmap's pixels, the smoothing and text hints, and Clear.
//
// On a device context the cairo surface lies over the GDI surface's pixels
// (gdi::CreateCairoSurface), so that cairo's device space is the DC's device
// space. The DC's window and viewport origins become the context's
// matrix and its effective clip becomes the cairo clip, both taken when the
// graphics is made, as the original does.

#include "platform/gdi/CairoSurface.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdiplus/ApiCheck.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

using gdiplus::CheckCall;

namespace {

// PixelFormatAlpha: the format keeps an alpha channel.
constexpr PixelFormat kFormatHasAlpha = 0x00040000;

bool ValidSmoothing(SmoothingMode mode) { return mode >= SmoothingModeDefault && mode <= SmoothingModeAntiAlias; }

bool ValidTextHint(TextRenderingHint hint)
{
    return hint >= TextRenderingHintSystemDefault && hint <= TextRenderingHintClearTypeGridFit;
}

// Hands the graphics out if cairo could make its surface and context.
GpStatus Finish(std::unique_ptr<GpGraphics> g, GpGraphics** out)
{
    if (cairo_surface_status(g->target) != CAIRO_STATUS_SUCCESS || cairo_status(g->cr) != CAIRO_STATUS_SUCCESS)
        return OutOfMemory;
    *out = g.release();
    return Ok;
}

} // namespace

GpGraphics::~GpGraphics()
{
    // Every drawing call has already written its pixels through to the GDI
    // surface (see MarkChanged), so a copy needs no further write-back here.
    if (cr)
        cairo_destroy(cr);
    if (target)
        cairo_surface_destroy(target);
}

void GpGraphics::MarkChanged(double x0, double y0, double x1, double y1)
{
    if (bitmap)
        bitmap->Touch();
    if (!cr || !target)
        return;
    cairo_surface_flush(target);
    if (!gdiSurface)
        return;

    // The clip box in device space: with the identity matrix, user space is
    // device space.
    double cx0, cy0, cx1, cy1;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_clip_extents(cr, &cx0, &cy0, &cx1, &cy1);
    cairo_restore(cr);
    x0 = std::max(x0, cx0);
    y0 = std::max(y0, cy0);
    x1 = std::min(x1, cx1);
    y1 = std::min(y1, cy1);
    if (!(x0 < x1 && y0 < y1))
        return;

    // To surface coordinates, whole pixels, inside the surface.
    RECT r { static_cast<LONG>(std::floor(x0)) + surfaceOrigin.x, static_cast<LONG>(std::floor(y0)) + surfaceOrigin.y,
        static_cast<LONG>(std::ceil(x1)) + surfaceOrigin.x, static_cast<LONG>(std::ceil(y1)) + surfaceOrigin.y };
    gdi::WriteCairoPixels(target, *gdiSurface, copyBack, r);
}

GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics)
{
    if (GpStatus s = CheckCall(hdc, graphics); s != Ok)
        return s;
    gdi::DeviceContext* dc = gdi::DcFromHandle(hdc);
    if (!dc)
        return InvalidParameter;
    if (!dc->target)
        return GenericError;

    gdi::Surface& surface = *dc->target;
    auto g = std::make_unique<GpGraphics>();
    g->gdiSurface = &surface;
    g->surfaceOrigin = dc->surfaceOffset;
    // A bottom-up surface is drawn through a top-down copy, which each
    // drawing call writes back (MarkChanged).
    g->target = gdi::CreateCairoSurface(surface, dc->surfaceOffset, g->copyBack);
    g->cr = cairo_create(g->target);

    // The clip region is in device coordinates, which is what user space is
    // until the logical origin is applied below.
    dc->EffectiveClip().ForEachRect(
        [&](const RECT& r) { cairo_rectangle(g->cr, r.left, r.top, r.right - r.left, r.bottom - r.top); });
    cairo_clip(g->cr);
    POINT origin = dc->ToDevice(0, 0);
    cairo_translate(g->cr, origin.x, origin.y);
    return Finish(std::move(g), graphics);
}

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics)
{
    if (GpStatus s = CheckCall(image, graphics); s != Ok)
        return s;
    GpBitmap* bitmap = image;
    if (!bitmap || !bitmap->surface)
        return InvalidParameter;
    auto g = std::make_unique<GpGraphics>();
    g->bitmap = bitmap;
    g->target = cairo_surface_reference(bitmap->surface);
    g->cr = cairo_create(g->target);
    return Finish(std::move(g), graphics);
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics)
{
    if (GpStatus s = CheckCall(graphics); s != Ok)
        return s;
    delete graphics;
    return Ok;
}

GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode)
{
    if (GpStatus s = CheckCall(graphics); s != Ok)
        return s;
    if (!ValidSmoothing(mode))
        return InvalidParameter;
    graphics->smoothing = mode;
    return Ok;
}

GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode)
{
    if (GpStatus s = CheckCall(graphics, mode); s != Ok)
        return s;
    *mode = graphics->smoothing;
    return Ok;
}

GpStatus GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint hint)
{
    if (GpStatus s = CheckCall(graphics); s != Ok)
        return s;
    if (!ValidTextHint(hint))
        return InvalidParameter;
    graphics->textHint = hint;
    return Ok;
}

GpStatus GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* hint)
{
    if (GpStatus s = CheckCall(graphics, hint); s != Ok)
        return s;
    *hint = graphics->textHint;
    return Ok;
}

GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color)
{
    if (GpStatus s = CheckCall(graphics); s != Ok)
        return s;
    // Clear replaces what is there. A target without alpha (a DC, a 32bppRGB
    // bitmap) cannot keep it, so the colour lands as if over black, opaque.
    bool keepsAlpha = graphics->bitmap && (graphics->bitmap->format & kFormatHasAlpha);
    double a = (color >> 24) / 255.0;
    double r = ((color >> 16) & 0xFF) / 255.0, gr = ((color >> 8) & 0xFF) / 255.0, b = (color & 0xFF) / 255.0;
    cairo_t* cr = graphics->cr;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (keepsAlpha)
        cairo_set_source_rgba(cr, r, gr, b, a);
    else
        cairo_set_source_rgb(cr, r * a, gr * a, b * a);
    cairo_paint(cr);
    cairo_identity_matrix(cr);
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    cairo_restore(cr);
    graphics->MarkChanged(x0, y0, x1, y1);
    return Ok;
}
