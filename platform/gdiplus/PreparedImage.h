#pragma once

// A bitmap made ready for drawing: its premultiplied pixels with the colour
// key applied (keyed pixels become fully transparent, before any filtering,
// so that no interpolation can bring their colour back), and a map of which
// square tiles hold anything visible, so that drawing can skip the rest.
// Immutable once made; PreparedImageCache shares it between draws.

#include "platform/gdiplus/GpObjects.h"
#include "platform/gdiplus/ImageAttributes.h"

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace gdiplus {

// A rectangle of source pixels, [x0, x1) x [y0, y1).
struct PixelBox {
    int x0, y0, x1, y1;
};

class PreparedImage {
public:
    static constexpr int kTileShift = 5;
    static constexpr int kTile = 1 << kTileShift;

    // Reads the bitmap's current pixels. Without a key the pixels are
    // shared, not copied. With scanTiles false every tile counts as inked,
    // which saves the scan when the result will not be kept.
    PreparedImage(GpBitmap& bitmap, std::optional<ColorKey> key, bool scanTiles);
    ~PreparedImage();
    PreparedImage(const PreparedImage&) = delete;
    PreparedImage& operator=(const PreparedImage&) = delete;

    cairo_surface_t* Surface() const { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Whether this was made from the bitmap as it is now, under this key.
    bool IsFor(const GpBitmap& bitmap, const std::optional<ColorKey>& key) const;

    // Boxes that together cover every visible pixel of the area (source
    // pixels, inside the image), whole tiles merged into as few boxes as
    // their layout allows, clipped to the area.
    std::vector<PixelBox> InkBoxes(const PixelBox& area) const;

private:
    void ApplyKey(GpBitmap& bitmap, const ColorKey& key);
    void ScanTiles();
    bool Inked(int tx, int ty) const { return ink_[static_cast<std::size_t>(ty) * tilesX_ + tx] != 0; }

    const GpBitmap* bitmap_;
    std::uint64_t generation_;
    std::optional<ColorKey> key_;
    int width_;
    int height_;
    int tilesX_;
    int tilesY_;
    cairo_surface_t* surface_ = nullptr;
    std::vector<std::uint8_t> ink_; // one per tile, row by row
};

} // namespace gdiplus
