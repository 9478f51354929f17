// LockBits and UnlockBits: a rectangle of the bitmap handed out in the
// pixel format the caller asks for, in a buffer of ours or of the caller's,
// and written back on unlock if the lock allowed writing.

#include "platform/gdiplus/BitmapAccess.h"
#include "platform/gdiplus/Pixels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

int BytesPerPixel(PixelFormat f) { return f == PixelFormat24bppRGB ? 3 : 4; }

bool IsLockableFormat(PixelFormat f)
{
    return f == PixelFormat32bppARGB || f == PixelFormat32bppPARGB || f == PixelFormat32bppRGB
        || f == PixelFormat24bppRGB;
}

// One row of premultiplied pixels out to the caller's format. Formats
// without alpha get the straight colour, as if the alpha were dropped.
void ExportRow(const std::uint32_t* src, BYTE* dst, int count, PixelFormat f)
{
    for (int i = 0; i < count; ++i) {
        std::uint32_t p = f == PixelFormat32bppPARGB ? src[i] : gdiplus::Unpremultiply(src[i]);
        if (f == PixelFormat24bppRGB) {
            dst[3 * i] = static_cast<BYTE>(p);
            dst[3 * i + 1] = static_cast<BYTE>(p >> 8);
            dst[3 * i + 2] = static_cast<BYTE>(p >> 16);
            continue;
        }
        if (f == PixelFormat32bppRGB)
            p |= 0xFF000000u;
        std::memcpy(dst + 4 * i, &p, 4);
    }
}

// One row in the caller's format back to premultiplied pixels. Formats
// without alpha come back opaque; premultiplied input whose colour exceeds
// its alpha is clamped so that cairo never sees an impossible pixel.
void ImportRow(const BYTE* src, std::uint32_t* dst, int count, PixelFormat f)
{
    for (int i = 0; i < count; ++i) {
        std::uint32_t p;
        if (f == PixelFormat24bppRGB) {
            p = 0xFF000000u | (std::uint32_t { src[3 * i + 2] } << 16) | (std::uint32_t { src[3 * i + 1] } << 8)
                | src[3 * i];
        } else {
            std::memcpy(&p, src + 4 * i, 4);
        }
        if (f == PixelFormat32bppRGB) {
            p |= 0xFF000000u;
        } else if (f == PixelFormat32bppARGB) {
            p = gdiplus::Premultiply(p);
        } else if (f == PixelFormat32bppPARGB) {
            std::uint32_t a = p >> 24;
            p = (a << 24) | (std::min((p >> 16) & 0xFF, a) << 16) | (std::min((p >> 8) & 0xFF, a) << 8)
                | std::min(p & 0xFF, a);
        }
        dst[i] = p;
    }
}

} // namespace

GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    if (!bitmap || !data || (flags & (ImageLockModeRead | ImageLockModeWrite)) == 0
        || (flags & ~UINT { ImageLockModeRead | ImageLockModeWrite | ImageLockModeUserInputBuf }) != 0)
        return InvalidParameter;
    GpRect r = rect ? *rect : GpRect { 0, 0, bitmap->width, bitmap->height };
    if (r.X < 0 || r.Y < 0 || r.Width <= 0 || r.Height <= 0 || r.Width > bitmap->width - r.X
        || r.Height > bitmap->height - r.Y)
        return InvalidParameter;
    if (!IsLockableFormat(format))
        return InvalidParameter;
    if (bitmap->locked)
        return WrongState;

    const bool userBuffer = (flags & ImageLockModeUserInputBuf) != 0;
    const int bpp = BytesPerPixel(format);
    if (userBuffer && (!data->Scan0 || std::abs(std::int64_t { data->Stride }) < std::int64_t { r.Width } * bpp))
        return InvalidParameter;

    BYTE* scan0;
    INT stride;
    if (userBuffer) {
        scan0 = static_cast<BYTE*>(data->Scan0);
        stride = data->Stride;
    } else {
        stride = (r.Width * bpp + 3) & ~3;
        bitmap->lockBuffer.assign(static_cast<std::size_t>(stride / 4) * r.Height, 0);
        scan0 = reinterpret_cast<BYTE*>(bitmap->lockBuffer.data());
    }
    // A write-only lock leaves the buffer alone: a caller's buffer already
    // holds what is to be written, and ours starts out zeroed.
    if ((flags & ImageLockModeRead) != 0) {
        gdiplus::BeginPixelAccess(bitmap);
        for (int y = 0; y < r.Height; ++y)
            ExportRow(gdiplus::BitmapRow(bitmap, r.Y + y) + r.X, scan0 + static_cast<std::ptrdiff_t>(y) * stride,
                r.Width, format);
    }

    bitmap->locked = true;
    bitmap->lockRect = r;
    bitmap->lockFlags = flags;
    *data = BitmapData { static_cast<UINT>(r.Width), static_cast<UINT>(r.Height), stride, format, scan0, 0 };
    return Ok;
}

GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data)
{
    if (!gdiplus::Started())
        return GdiplusNotInitialized;
    if (!bitmap || !data)
        return InvalidParameter;
    if (!bitmap->locked)
        return WrongState;
    const GpRect r = bitmap->lockRect;
    if ((bitmap->lockFlags & ImageLockModeWrite) != 0) {
        if (!data->Scan0 || !IsLockableFormat(data->PixelFormat))
            return InvalidParameter;
        const BYTE* scan0 = static_cast<const BYTE*>(data->Scan0);
        gdiplus::BeginPixelAccess(bitmap);
        for (int y = 0; y < r.Height; ++y)
            ImportRow(scan0 + static_cast<std::ptrdiff_t>(y) * data->Stride, gdiplus::BitmapRow(bitmap, r.Y + y) + r.X,
                r.Width, data->PixelFormat);
        gdiplus::EndPixelWrite(bitmap);
    }
    bitmap->locked = false;
    bitmap->lockFlags = 0;
    bitmap->lockBuffer.clear();
    bitmap->lockBuffer.shrink_to_fit();
    return Ok;
}
