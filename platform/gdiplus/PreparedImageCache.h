#pragma once

// Keeps the few most recently drawn prepared images, so that a bitmap drawn
// again unchanged (an overlay laid over every video frame, say) is keyed and
// scanned once, not on every draw. An entry is reused only while its
// bitmap's generation stands still; bitmaps over caller memory can change
// without us knowing and are prepared afresh on every draw.

#include "platform/gdiplus/PreparedImage.h"

#include <memory>

namespace gdiplus {

class PreparedImageCache {
public:
    static std::shared_ptr<const PreparedImage> Get(GpBitmap& bitmap, const std::optional<ColorKey>& key);
    // Drops the entries made from a bitmap that is going away.
    static void Forget(const GpBitmap* bitmap);
};

} // namespace gdiplus
