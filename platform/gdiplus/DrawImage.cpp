// Drawing a bitmap, or a rectangle of it, into a destination rectangle:
// colour key first, then bilinear scaling (none at 1:1), blended SourceOver.
//
// The destination rectangle counts whole pixels: (x, y, w, h) covers pixels
// x ... x+w-1 and y ... y+h-1, and its edges are the edges of the source
// rectangle, so a scaled image covers exactly that rectangle, its border
// pixels repeated outwards rather than faded into transparency.
//
// Only the parts of the image that hold visible pixels are drawn: the
// prepared image knows which tiles do, and the fill covers just those
// (widened by a pixel where bilinear filtering reaches across).

#include "platform/gdiplus/ApiCheck.h"
#include "platform/gdiplus/BitmapAccess.h"
#include "platform/gdiplus/FigureContext.h"
#include "platform/gdiplus/PreparedImageCache.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// One axis of the mapping from source pixels to destination coordinates:
// source pixels src0 ... src1-1 (inside the image) land on dst0 ... dst1,
// mirrored when flip is set.
struct AxisMap {
    int src0, src1;
    double dst0, dst1;
    bool flip;

    double Scale() const { return (dst1 - dst0) / (src1 - src0); }

    // Where the source interval [a, b) lands, as an increasing interval.
    std::pair<double, double> Map(double a, double b) const
    {
        const double s = Scale();
        if (!flip)
            return { dst0 + (a - src0) * s, dst0 + (b - src0) * s };
        return { dst1 - (b - src0) * s, dst1 - (a - src0) * s };
    }
};

// The part of the source interval [src, src+srcSize) that lies inside the
// image, and where it lands in [dst, dst+dstSize). A negative size mirrors,
// as in the original. Nothing when either interval is empty.
std::optional<AxisMap> MakeAxis(std::int64_t dst, std::int64_t dstSize, std::int64_t src, std::int64_t srcSize,
    int imageSize)
{
    bool flip = false;
    if (dstSize < 0) {
        dst += dstSize;
        dstSize = -dstSize;
        flip = !flip;
    }
    if (srcSize < 0) {
        src += srcSize;
        srcSize = -srcSize;
        flip = !flip;
    }
    const std::int64_t s0 = std::max<std::int64_t>(src, 0);
    const std::int64_t s1 = std::min<std::int64_t>(src + srcSize, imageSize);
    if (dstSize == 0 || s0 >= s1)
        return std::nullopt;
    // The visible source part keeps its share of the destination.
    const double scale = static_cast<double>(dstSize) / static_cast<double>(srcSize);
    const double lead = static_cast<double>(s0 - src) * scale;
    const double trail = static_cast<double>(src + srcSize - s1) * scale;
    const double d0 = static_cast<double>(dst) + (flip ? trail : lead);
    const double d1 = static_cast<double>(dst + dstSize) - (flip ? lead : trail);
    return AxisMap { static_cast<int>(s0), static_cast<int>(s1), d0, d1, flip };
}

// True when the axis copies pixels one for one onto whole device pixels.
bool IsOneToOne(const AxisMap& a, double deviceScale, double deviceOffset)
{
    return a.Scale() == 1.0 && deviceScale == 1.0 && a.dst0 == std::floor(a.dst0)
        && deviceOffset == std::floor(deviceOffset);
}

// The pattern matrix maps user space to pattern (source rectangle) space.
void AxisToPattern(const AxisMap& a, double& scale, double& offset)
{
    const double s = 1.0 / a.Scale();
    scale = a.flip ? -s : s;
    offset = a.flip ? a.dst1 * s : -a.dst0 * s;
}

// A source box's destination, rounded out to whole pixels and kept inside
// the destination of the whole visible source.
std::pair<double, double> BoxToDestination(const AxisMap& a, int b0, int b1)
{
    auto [d0, d1] = a.Map(b0, b1);
    return { std::max(std::floor(d0), a.dst0), std::min(std::ceil(d1), a.dst1) };
}

GpStatus CheckSourceUnit(GpUnit unit)
{
    if (unit == UnitPixel)
        return Ok;
    // Physical units would convert through the image's resolution, which
    // the program never asks for.
    if (unit == UnitPoint || unit == UnitInch || unit == UnitDocument || unit == UnitMillimeter)
        return NotImplemented;
    return InvalidParameter;
}

void DrawPrepared(GpGraphics& graphics, const gdiplus::PreparedImage& image, const AxisMap& x, const AxisMap& y)
{
    gdiplus::FigureContext figure(graphics);
    cairo_t* cr = figure.cr();
    // The figure's user space puts integer coordinates on pixel centres;
    // image rectangles have their edges on pixel edges, half a pixel before.
    cairo_translate(cr, -0.5, -0.5);

    cairo_matrix_t device;
    cairo_get_matrix(cr, &device);
    const bool exact = device.xy == 0 && device.yx == 0 && IsOneToOne(x, device.xx, device.x0)
        && IsOneToOne(y, device.yy, device.y0);

    // A rectangle of the image gets a surface of its own, so that padding
    // repeats its border pixels and not its neighbours'.
    cairo_surface_t* source = image.Surface();
    const bool whole = x.src0 == 0 && y.src0 == 0 && x.src1 == image.Width() && y.src1 == image.Height();
    if (!whole)
        source = cairo_surface_create_for_rectangle(source, x.src0, y.src0, x.src1 - x.src0, y.src1 - y.src0);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source);
    if (!whole)
        cairo_surface_destroy(source);
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    AxisToPattern(x, m.xx, m.x0);
    AxisToPattern(y, m.yy, m.y0);
    cairo_pattern_set_matrix(pattern, &m);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, exact ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);

    // Bilinear filtering blends each destination pixel from source pixels
    // up to one away, so a box widens by one source pixel on every side.
    const int reach = exact ? 0 : 1;
    std::vector<gdiplus::UserBox> drawn;
    for (const gdiplus::PixelBox& b : image.InkBoxes({ x.src0, y.src0, x.src1, y.src1 })) {
        auto [dx0, dx1] = BoxToDestination(x, std::max(b.x0 - reach, x.src0), std::min(b.x1 + reach, x.src1));
        auto [dy0, dy1] = BoxToDestination(y, std::max(b.y0 - reach, y.src0), std::min(b.y1 + reach, y.src1));
        if (dx0 >= dx1 || dy0 >= dy1)
            continue;
        cairo_rectangle(cr, dx0, dy0, dx1 - dx0, dy1 - dy0);
        drawn.push_back(gdiplus::UserBox { dx0, dy0, dx1, dy1 });
    }
    cairo_fill(cr);
    for (const gdiplus::UserBox& box : drawn)
        figure.MarkChanged(box);
}

} // namespace

GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstX, INT dstY, INT dstWidth, INT dstHeight,
    INT srcX, INT srcY, INT srcWidth, INT srcHeight, GpUnit srcUnit, const GpImageAttributes* attributes,
    void* callback, void* callbackData)
{
    if (GpStatus s = gdiplus::CheckCall(graphics, image); s != Ok)
        return s;
    GpBitmap* bitmap = gdiplus::AsBitmap(image);
    if (!bitmap)
        return InvalidParameter;
    if (GpStatus s = CheckSourceUnit(srcUnit); s != Ok)
        return s;
    if (bitmap->locked)
        return WrongState;
    // The abort callback is never called: a draw is one short call here.
    std::optional<AxisMap> x = MakeAxis(dstX, dstWidth, srcX, srcWidth, bitmap->width);
    std::optional<AxisMap> y = MakeAxis(dstY, dstHeight, srcY, srcHeight, bitmap->height);
    if (!x || !y)
        return Ok;

    std::optional<gdiplus::ColorKey> key;
    if (const gdiplus::ColorKey* k = attributes ? attributes->BitmapKey() : nullptr)
        key = *k;
    std::shared_ptr<const gdiplus::PreparedImage> prepared = gdiplus::PreparedImageCache::Get(*bitmap, key);
    if (cairo_surface_status(prepared->Surface()) != CAIRO_STATUS_SUCCESS)
        return OutOfMemory;
    DrawPrepared(*graphics, *prepared, *x, *y);
    return Ok;
}

GpStatus GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y)
{
    if (GpStatus s = gdiplus::CheckCall(graphics, image); s != Ok)
        return s;
    const GpBitmap* bitmap = gdiplus::AsBitmap(image);
    if (!bitmap)
        return InvalidParameter;
    return GdipDrawImageRectRectI(graphics, image, x, y, bitmap->width, bitmap->height, 0, 0, bitmap->width,
        bitmap->height, UnitPixel, nullptr, nullptr, nullptr);
}
