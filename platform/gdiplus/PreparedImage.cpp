#include "platform/gdiplus/PreparedImage.h"

#include "platform/gdiplus/BitmapAccess.h"
#include "platform/gdiplus/Pixels.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace gdiplus {

namespace {

// Visits every pixel of the bitmap tile row by tile row: transform gets a
// premultiplied source pixel that is not zero and returns the pixel to
// keep. The kept pixels go to out (when there is an out) and mark their
// tile as inked unless they are zero. Overlays are mostly transparent, so
// rows are copied whole and only the pixels that hold something are looked
// at one by one.
template <typename Transform>
void ScanPixels(GpBitmap& bitmap, cairo_surface_t* out, int tilesX, std::vector<std::uint8_t>& ink, Transform transform)
{
    unsigned char* outData = out ? cairo_image_surface_get_data(out) : nullptr;
    const int outStride = out ? cairo_image_surface_get_stride(out) : 0;
    for (int y = 0; y < bitmap.height; ++y) {
        const std::uint32_t* in = BitmapRow(&bitmap, y);
        std::uint32_t* dst = nullptr;
        if (outData) {
            dst = reinterpret_cast<std::uint32_t*>(outData + static_cast<std::ptrdiff_t>(y) * outStride);
            std::memcpy(dst, in, static_cast<std::size_t>(bitmap.width) * 4);
        }
        std::uint8_t* inkRow = &ink[static_cast<std::size_t>(y >> PreparedImage::kTileShift) * tilesX];
        for (int tx = 0; tx < tilesX; ++tx) {
            const int x0 = tx << PreparedImage::kTileShift;
            const int x1 = std::min(x0 + PreparedImage::kTile, bitmap.width);
            std::uint32_t any = 0;
            for (int x = x0; x < x1; ++x) {
                if (in[x] == 0)
                    continue;
                const std::uint32_t p = transform(in[x]);
                if (dst && p != in[x])
                    dst[x] = p;
                any |= p;
            }
            inkRow[tx] |= any != 0 ? 1 : 0;
        }
    }
}

} // namespace

PreparedImage::PreparedImage(GpBitmap& bitmap, std::optional<ColorKey> key, bool scanTiles)
    : bitmap_(&bitmap)
    , generation_(bitmap.generation)
    , key_(key)
    , width_(bitmap.width)
    , height_(bitmap.height)
    , tilesX_((bitmap.width + kTile - 1) >> kTileShift)
    , tilesY_((bitmap.height + kTile - 1) >> kTileShift)
    , ink_(static_cast<std::size_t>(tilesX_) * tilesY_, scanTiles ? 0 : 1)
{
    BeginPixelAccess(&bitmap);
    if (key) {
        ApplyKey(bitmap, *key);
        return;
    }
    surface_ = cairo_surface_reference(bitmap.surface);
    if (scanTiles)
        ScanPixels(bitmap, nullptr, tilesX_, ink_, [](std::uint32_t p) { return p; });
}

PreparedImage::~PreparedImage() { cairo_surface_destroy(surface_); }

void PreparedImage::ApplyKey(GpBitmap& bitmap, const ColorKey& key)
{
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_, height_);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
        return; // drawing from an error surface paints nothing
    cairo_surface_flush(surface_);
    // The key compares straight colours: an opaque pixel is its own straight
    // colour, a translucent one is converted, a transparent one stays as is.
    ScanPixels(bitmap, surface_, tilesX_, ink_, [&key](std::uint32_t p) {
        std::uint32_t a = p >> 24;
        if (a != 0 && key.Matches(a == 255 ? p : Unpremultiply(p)))
            return std::uint32_t { 0 };
        return p;
    });
    cairo_surface_mark_dirty(surface_);
}

bool PreparedImage::IsFor(const GpBitmap& bitmap, const std::optional<ColorKey>& key) const
{
    return bitmap_ == &bitmap && generation_ == bitmap.generation && key_ == key && width_ == bitmap.width
        && height_ == bitmap.height;
}

std::vector<PixelBox> PreparedImage::InkBoxes(const PixelBox& area) const
{
    std::vector<PixelBox> boxes;
    if (area.x0 >= area.x1 || area.y0 >= area.y1)
        return boxes;
    assert(area.x0 >= 0 && area.y0 >= 0 && area.x1 <= width_ && area.y1 <= height_);
    const int tx0 = area.x0 >> kTileShift, tx1 = (area.x1 - 1) >> kTileShift;
    const int ty0 = area.y0 >> kTileShift, ty1 = (area.y1 - 1) >> kTileShift;

    // Runs of inked tiles along each tile row; a run spanning exactly the
    // columns of a box that reached down to this row extends that box.
    std::vector<std::size_t> open, nowOpen;
    for (int ty = ty0; ty <= ty1; ++ty) {
        const int y0 = std::max(ty << kTileShift, area.y0);
        const int y1 = std::min((ty + 1) << kTileShift, area.y1);
        nowOpen.clear();
        std::size_t k = 0;
        for (int tx = tx0; tx <= tx1; ++tx) {
            if (!Inked(tx, ty))
                continue;
            const int start = tx;
            while (tx + 1 <= tx1 && Inked(tx + 1, ty))
                ++tx;
            const int x0 = std::max(start << kTileShift, area.x0);
            const int x1 = std::min((tx + 1) << kTileShift, area.x1);
            while (k < open.size() && boxes[open[k]].x0 < x0)
                ++k;
            if (k < open.size() && boxes[open[k]].x0 == x0 && boxes[open[k]].x1 == x1) {
                boxes[open[k]].y1 = y1;
                nowOpen.push_back(open[k++]);
            } else {
                boxes.push_back(PixelBox { x0, y0, x1, y1 });
                nowOpen.push_back(boxes.size() - 1);
            }
        }
        open.swap(nowOpen);
    }
    return boxes;
}

} // namespace gdiplus
