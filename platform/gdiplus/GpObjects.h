#pragma once

// The objects behind the flat API's pointers, shared by the files that
// implement it. Drawing goes through cairo: a graphics object is a cairo
// context on either a device context's pixels or a bitmap's pixels.

#include "platform/gdi/Surface.h"
#include "platform/gdiplus/GdiPlusFlat.h"

#include <cairo.h>

#include <cstdint>
#include <vector>

struct GpPen {
    ARGB color = 0xFF000000;
    REAL width = 1.0f;
    GpUnit unit = UnitWorld;
    std::vector<REAL> dashes; // in multiples of the width; empty = solid
    GpLineCap startCap = LineCapFlat;
    GpLineCap endCap = LineCapFlat;
    GpLineJoin join = LineJoinMiter;
};

// The one kind of brush, a solid fill (GpSolidFill names it too).
struct GpBrush {
    explicit GpBrush(ARGB c)
        : color(c)
    {
    }
    ARGB color;
};

// The one kind of image (GpBitmap names it too): a 32bppARGB bitmap. Its
// pixels live in a cairo image surface, which keeps them premultiplied; the
// API converts to and from straight alpha at its edges (SetPixel, GetPixel,
// LockBits).
struct GpImage {
    GpImage(int w, int h);
    // Takes over an ARGB32 image surface, such as one over caller memory.
    GpImage(cairo_surface_t* adopted, PixelFormat format, bool callerMemory);
    ~GpImage();
    GpImage(const GpImage&) = delete;
    GpImage& operator=(const GpImage&) = delete;

    int width;
    int height;
    cairo_surface_t* surface; // CAIRO_FORMAT_ARGB32
    // Grows with every change of the pixels, so that anything derived from
    // them (a keyed copy, say) knows when it is stale.
    std::uint64_t generation = 0;
    bool locked = false;
    std::vector<std::uint32_t> lockBuffer; // straight-alpha copy while locked
    GpRect lockRect {};
    UINT lockFlags = 0;
    PixelFormat format = PixelFormat32bppARGB; // what GdipGetImagePixelFormat answers
    bool callerMemory = false; // pixels may change behind our back

    void Touch() { ++generation; }
};

struct GpGraphics {
    ~GpGraphics();

    cairo_surface_t* target = nullptr;
    cairo_t* cr = nullptr;
    SmoothingMode smoothing = SmoothingModeDefault;
    TextRenderingHint textHint = TextRenderingHintSystemDefault;

    // Drawing on a device context: its pixels, and where the DC's device
    // origin lies in the cairo surface. Pixels are marked dirty on the GDI
    // surface after each drawing call.
    gdi::Surface* gdiSurface = nullptr;
    // Where drawing lands when the GDI surface could not be wrapped in place
    // (a bottom-up DIB section): a copy, written back on delete.
    std::vector<std::uint32_t> copyBack;
    POINT surfaceOrigin { 0, 0 };

    // Drawing on an image.
    GpBitmap* bitmap = nullptr;

    // Records that the device-space box (x0, y0)-(x1, y1) may have changed.
    void MarkChanged(double x0, double y0, double x1, double y1);
};

namespace gdiplus {

// True between GdiplusStartup and the matching GdiplusShutdown.
bool Started();

} // namespace gdiplus
