// Bitmaps: creation, single pixels, properties, cloning and disposal.
//
// Pixels live premultiplied in a cairo ARGB32 image surface; the API speaks
// straight alpha, so every pixel that crosses it is converted (Pixels.h).

#include "platform/gdiplus/BitmapAccess.h"
#include "platform/gdiplus/Pixels.h"
#include "platform/gdiplus/PreparedImageCache.h"

#include <atomic>
#include <cassert>
#include <cstdint>
#include <cstring>

namespace {

// Each bitmap's generation starts in a range of its own, so that a cache
// keyed on (bitmap address, generation) can never mistake a new bitmap that
// reuses a freed one's address for the old one.
std::uint64_t NewGenerationBase()
{
    static std::atomic<std::uint64_t> next { 1 };
    return next.fetch_add(1) << 32;
}

bool IsKnownFormat(PixelFormat f)
{
    return f == PixelFormat32bppARGB || f == PixelFormat32bppPARGB || f == PixelFormat32bppRGB
        || f == PixelFormat24bppRGB;
}

// Caller memory can back a bitmap only where it has cairo's layout:
// premultiplied 32-bit pixels, rows top-down, each row 4-byte aligned.
GpStatus CheckCallerMemory(INT width, INT stride, PixelFormat format)
{
    const std::int64_t magnitude = stride < 0 ? -std::int64_t { stride } : std::int64_t { stride };
    if (stride % 4 != 0 || magnitude < std::int64_t { width } * 4)
        return InvalidParameter;
    if (format != PixelFormat32bppPARGB || stride < 0)
        return NotImplemented;
    return Ok;
}

} // namespace

GpImage::GpImage(int w, int h)
    : width(w)
    , height(h)
    , surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h))
    , generation(NewGenerationBase())
{
}

GpImage::GpImage(cairo_surface_t* adopted, PixelFormat f, bool caller)
    : width(cairo_image_surface_get_width(adopted))
    , height(cairo_image_surface_get_height(adopted))
    , surface(adopted)
    , generation(NewGenerationBase())
    , format(f)
    , callerMemory(caller)
{
    assert(cairo_image_surface_get_format(adopted) == CAIRO_FORMAT_ARGB32);
}

GpImage::~GpImage() { cairo_surface_destroy(surface); }

namespace gdiplus {

GpBitmap* AsBitmap(GpImage* image) { return image; }
const GpBitmap* AsBitmap(const GpImage* image) { return image; }

std::uint32_t* BitmapRow(GpBitmap* bitmap, int y)
{
    assert(y >= 0 && y < bitmap->height);
    unsigned char* data = cairo_image_surface_get_data(bitmap->surface);
    return reinterpret_cast<std::uint32_t*>(
        data + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(bitmap->surface));
}

void BeginPixelAccess(GpBitmap* bitmap) { cairo_surface_flush(bitmap->surface); }

void EndPixelWrite(GpBitmap* bitmap)
{
    cairo_surface_mark_dirty(bitmap->surface);
    bitmap->Touch();
}

bool DumpBitmap(GpBitmap* bitmap, const std::string& path)
{
    if (!bitmap)
        return false;
    return cairo_surface_write_to_png(bitmap->surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace gdiplus

using gdiplus::AsBitmap;

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
    GpBitmap** bitmap)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    if (!bitmap || width <= 0 || height <= 0 || !IsKnownFormat(format))
        return InvalidParameter;

    cairo_surface_t* surface = nullptr;
    if (scan0) {
        if (GpStatus s = CheckCallerMemory(width, stride, format); s != Ok)
            return s;
        surface = cairo_image_surface_create_for_data(scan0, CAIRO_FORMAT_ARGB32, width, height, stride);
    } else {
        // The stride is ignored when GDI+ allocates the memory itself.
        if (format != PixelFormat32bppARGB && format != PixelFormat32bppPARGB)
            return NotImplemented;
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    }
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return OutOfMemory;
    }
    *bitmap = new GpBitmap(surface, format, scan0 != nullptr);
    return Ok;
}

GpStatus GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    if (!bitmap || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height)
        return InvalidParameter;
    if (bitmap->locked)
        return WrongState;
    gdiplus::BeginPixelAccess(bitmap);
    gdiplus::BitmapRow(bitmap, y)[x] = gdiplus::Premultiply(color);
    cairo_surface_mark_dirty_rectangle(bitmap->surface, x, y, 1, 1);
    bitmap->Touch();
    return Ok;
}

GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    if (!bitmap || !color || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height)
        return InvalidParameter;
    if (bitmap->locked)
        return WrongState;
    gdiplus::BeginPixelAccess(bitmap);
    *color = gdiplus::Unpremultiply(gdiplus::BitmapRow(bitmap, y)[x]);
    return Ok;
}

// The three property getters differ only in what they read.
template <typename T, typename Read>
static GpStatus GetImageProperty(GpImage* image, T* out, Read read)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    GpBitmap* bitmap = AsBitmap(image);
    if (!bitmap || !out)
        return InvalidParameter;
    *out = read(*bitmap);
    return Ok;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width)
{
    return GetImageProperty(image, width, [](const GpBitmap& b) { return static_cast<UINT>(b.width); });
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height)
{
    return GetImageProperty(image, height, [](const GpBitmap& b) { return static_cast<UINT>(b.height); });
}

GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format)
{
    return GetImageProperty(image, format, [](const GpBitmap& b) { return b.format; });
}

GpStatus GdipCloneImage(GpImage* image, GpImage** clone)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    GpBitmap* source = AsBitmap(image);
    if (!source || !clone)
        return InvalidParameter;
    if (source->locked)
        return WrongState;
    // A clone always owns its pixels, even when the source draws into caller
    // memory: the two must change independently from here on.
    auto copy = new GpBitmap(source->width, source->height);
    if (cairo_surface_status(copy->surface) != CAIRO_STATUS_SUCCESS) {
        delete copy;
        return OutOfMemory;
    }
    copy->format = source->format;
    gdiplus::BeginPixelAccess(source);
    gdiplus::BeginPixelAccess(copy);
    for (int y = 0; y < source->height; ++y)
        std::memcpy(gdiplus::BitmapRow(copy, y), gdiplus::BitmapRow(source, y),
            static_cast<std::size_t>(source->width) * 4);
    gdiplus::EndPixelWrite(copy);
    *clone = copy;
    return Ok;
}

GpStatus GdipDisposeImage(GpImage* image)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    if (!image)
        return InvalidParameter;
    // Frees the prepared copies of its pixels along with it.
    gdiplus::PreparedImageCache::Forget(AsBitmap(image));
    delete image;
    return Ok;
}
