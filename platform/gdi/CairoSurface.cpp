#include "platform/gdi/CairoSurface.h"

#include <algorithm>
#include <cstring>

namespace gdi {

namespace {

// Copies the rectangle r (surface coordinates, inside both) from a top-down
// buffer of the surface's size (possibly its own memory) to the surface.
void CopyToSurface(const std::uint32_t* from, int fromStride, Surface& to, const RECT& r)
{
    // A colour surface only needs cairo's top byte cleared, a loop the
    // compiler vectorises; whole overlays pass through here on every frame.
    const bool mono = to.IsMonochrome();
    for (int y = r.top; y < r.bottom; ++y) {
        const std::uint32_t* src = from + static_cast<std::ptrdiff_t>(y) * fromStride;
        std::uint32_t* dst = to.Row(y);
        if (mono) {
            for (int x = r.left; x < r.right; ++x)
                dst[x] = to.Representable(src[x]);
        } else {
            for (int x = r.left; x < r.right; ++x)
                dst[x] = src[x] & kWhitePixel;
        }
    }
}

} // namespace

cairo_surface_t* CreateCairoSurface(Surface& surface, POINT deviceOffset, std::vector<std::uint32_t>& copy)
{
    const int w = surface.Width(), h = surface.Height();
    std::uint32_t* data = surface.Pixels();
    int strideBytes = surface.Stride() * 4;
    copy.clear();
    if (surface.Stride() < 0) {
        copy.resize(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            std::memcpy(copy.data() + static_cast<std::ptrdiff_t>(y) * w, surface.Row(y), sizeof(std::uint32_t) * w);
        data = copy.data();
        strideBytes = w * 4;
    }
    cairo_surface_t* target = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(data),
        CAIRO_FORMAT_RGB24, w, h, strideBytes);
    cairo_surface_set_device_offset(target, deviceOffset.x, deviceOffset.y);
    return target;
}

void WriteCairoPixels(cairo_surface_t* target, Surface& surface, const std::vector<std::uint32_t>& copy, RECT r)
{
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, surface.Width());
    r.bottom = std::min<LONG>(r.bottom, surface.Height());
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    cairo_surface_flush(target);
    if (!copy.empty()) {
        CopyToSurface(copy.data(), surface.Width(), surface, r);
    } else {
        // Drawing happened in place: tidy the pixels cairo left.
        CopyToSurface(surface.Row(0), surface.Stride(), surface, r);
        cairo_surface_mark_dirty(target);
    }
    surface.MarkDirty(r);
}

} // namespace gdi
