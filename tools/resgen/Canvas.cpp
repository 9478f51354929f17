#include "tools/resgen/Canvas.h"

#include <cassert>
#include <cstring>
#include <limits>

namespace resgen {

namespace {

unsigned Channel(std::uint32_t p, int shift) { return (p >> shift) & 0xFF; }

// Squared distance of two colours, the red, green and blue differences alike.
unsigned Distance(std::uint32_t a, std::uint32_t b)
{
    unsigned d = 0;
    for (int shift : { 16, 8, 0 }) {
        int diff = static_cast<int>(Channel(a, shift)) - static_cast<int>(Channel(b, shift));
        d += static_cast<unsigned>(diff * diff);
    }
    return d;
}

std::uint32_t Nearest(std::uint32_t rgb, const std::vector<std::uint32_t>& palette)
{
    std::uint32_t best = palette.front();
    unsigned bestDistance = std::numeric_limits<unsigned>::max();
    for (std::uint32_t c : palette) {
        unsigned d = Distance(rgb, c);
        if (d < bestDistance) {
            best = c;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

Canvas::Canvas(int width, int height)
    : width_(width)
    , height_(height)
    , surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height))
    , cr_(cairo_create(surface_))
{
    assert(cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS);
}

Canvas::~Canvas()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

std::uint32_t Canvas::StraightAt(int x, int y) const
{
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    // Cairo keeps premultiplied 0xAARRGGBB words in native byte order.
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    const std::uint32_t p = row[x];
    const unsigned a = Channel(p, 24);
    if (a == 0)
        return 0;
    std::uint32_t out = a << 24;
    for (int shift : { 16, 8, 0 })
        out |= ((Channel(p, shift) * 255 + a / 2) / a) << shift;
    return out;
}

std::unique_ptr<gdi::Surface> Canvas::ToSurface() const
{
    cairo_surface_flush(surface_);
    auto s = std::make_unique<gdi::Surface>(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = StraightAt(x, y);
            const unsigned a = Channel(p, 24);
            std::uint32_t rgb = 0;
            for (int shift : { 16, 8, 0 })
                rgb |= ((Channel(p, shift) * a + 255 * (255 - a) + 127) / 255) << shift;
            s->Row(y)[x] = rgb;
        }
    return s;
}

std::unique_ptr<gdi::Surface> Canvas::ToKeyedSurface(std::uint32_t key) const
{
    cairo_surface_flush(surface_);
    auto s = std::make_unique<gdi::Surface>(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = StraightAt(x, y);
            s->Row(y)[x] = Channel(p, 24) >= 128 ? p & 0x00FFFFFF : key;
        }
    return s;
}

void Canvas::PaintFrom(const gdi::Surface& picture, int x, int y)
{
    // The surface's words are 0x00RRGGBB; cairo reads them as opaque RGB24.
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, picture.Width());
    std::vector<unsigned char> copy(static_cast<std::size_t>(stride) * static_cast<std::size_t>(picture.Height()));
    for (int row = 0; row < picture.Height(); ++row)
        std::memcpy(copy.data() + static_cast<std::ptrdiff_t>(row) * stride, picture.Row(row),
            static_cast<std::size_t>(picture.Width()) * 4);
    cairo_surface_t* source = cairo_image_surface_create_for_data(copy.data(), CAIRO_FORMAT_RGB24, picture.Width(),
        picture.Height(), stride);
    cairo_save(cr_);
    cairo_set_source_surface(cr_, source, -x, -y);
    cairo_rectangle(cr_, -x, -y, picture.Width(), picture.Height());
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(source);
}

res::Pointer Canvas::ToPointer(POINT hotspot) const
{
    cairo_surface_flush(surface_);
    res::Pointer p;
    p.width = width_;
    p.height = height_;
    p.hotspot = hotspot;
    p.argb.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            p.argb.push_back(StraightAt(x, y));
    return p;
}

res::Pointer Canvas::ToPalettePointer(POINT hotspot, const std::vector<std::uint32_t>& palette) const
{
    assert(!palette.empty());
    res::Pointer p = ToPointer(hotspot);
    for (std::uint32_t& px : p.argb)
        px = Channel(px, 24) >= 128 ? 0xFF000000 | Nearest(px & 0x00FFFFFF, palette) : 0;
    return p;
}

} // namespace resgen
