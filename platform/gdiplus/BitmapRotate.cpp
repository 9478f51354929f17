// GdipImageRotateFlip: quarter turns clockwise, then an optional mirror
// left to right, as the eight RotateFlipType values name them.

#include "platform/gdiplus/BitmapAccess.h"

#include <cstring>
#include <vector>

namespace {

// Where source pixel (x, y) lands: X = ax*x + bx*y + cx, Y = ay*x + by*y + cy.
struct Placement {
    int ax, bx, cx;
    int ay, by, cy;
};

Placement PlacementFor(RotateFlipType type, int w, int h)
{
    const int turns = type & 3;
    Placement p {};
    switch (turns) {
    case 0:
        p = { 1, 0, 0, 0, 1, 0 };
        break;
    case 1: // clockwise: the left column becomes the top row
        p = { 0, -1, h - 1, 1, 0, 0 };
        break;
    case 2:
        p = { -1, 0, w - 1, 0, -1, h - 1 };
        break;
    default: // counter-clockwise: the top row becomes the left column
        p = { 0, 1, 0, -1, 0, w - 1 };
        break;
    }
    if ((type & 4) != 0) {
        const int newWidth = (turns & 1) ? h : w;
        p.ax = -p.ax;
        p.bx = -p.bx;
        p.cx = newWidth - 1 - p.cx;
    }
    return p;
}

} // namespace

GpStatus GdipImageRotateFlip(GpImage* image, RotateFlipType type)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    GpBitmap* bitmap = gdiplus::AsBitmap(image);
    if (!bitmap || type < RotateNoneFlipNone || type > Rotate270FlipX)
        return InvalidParameter;
    if (bitmap->locked)
        return WrongState;
    if (type == RotateNoneFlipNone)
        return Ok;

    const int w = bitmap->width;
    const int h = bitmap->height;
    const bool quarter = (type & 1) != 0;

    // The pixels move through a copy, so the turn may land in the same
    // surface. A quarter turn needs a surface of the other shape; it owns
    // its memory, since caller memory was laid out for the old shape.
    std::vector<std::uint32_t> source(static_cast<std::size_t>(w) * h);
    gdiplus::BeginPixelAccess(bitmap);
    for (int y = 0; y < h; ++y)
        std::memcpy(&source[static_cast<std::size_t>(y) * w], gdiplus::BitmapRow(bitmap, y),
            static_cast<std::size_t>(w) * 4);
    if (quarter) {
        cairo_surface_t* turned = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, h, w);
        if (cairo_surface_status(turned) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(turned);
            return OutOfMemory;
        }
        cairo_surface_destroy(bitmap->surface);
        bitmap->surface = turned;
        bitmap->width = h;
        bitmap->height = w;
        bitmap->callerMemory = false;
    }

    const Placement p = PlacementFor(type, w, h);
    const std::ptrdiff_t stride = cairo_image_surface_get_stride(bitmap->surface) / 4;
    std::uint32_t* base = gdiplus::BitmapRow(bitmap, 0);
    const std::ptrdiff_t stepX = p.ay * stride + p.ax;
    for (int y = 0; y < h; ++y) {
        std::uint32_t* out = base + (std::ptrdiff_t { p.by } * y + p.cy) * stride + p.bx * y + p.cx;
        const std::uint32_t* in = &source[static_cast<std::size_t>(y) * w];
        for (int x = 0; x < w; ++x, out += stepX)
            *out = in[x];
    }
    gdiplus::EndPixelWrite(bitmap);
    return Ok;
}
