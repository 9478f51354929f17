#include "platform/gdiplus/PreparedImageCache.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>

namespace gdiplus {

namespace {

// Four entries hold an overlay under its key plus a few other images
// without letting memory grow with the number of bitmaps drawn.
constexpr std::size_t kEntries = 4;

struct Entry {
    const GpBitmap* bitmap = nullptr;
    std::optional<ColorKey> key;
    std::shared_ptr<const PreparedImage> image;
    std::uint64_t lastUse = 0;
};

struct Cache {
    std::mutex mutex;
    std::array<Entry, kEntries> entries;
    std::uint64_t clock = 0;
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

} // namespace

std::shared_ptr<const PreparedImage> PreparedImageCache::Get(GpBitmap& bitmap, const std::optional<ColorKey>& key)
{
    if (bitmap.callerMemory)
        return std::make_shared<const PreparedImage>(bitmap, key, key.has_value());

    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    ++cache.clock;
    // The same bitmap under the same key has one slot, refreshed in place
    // when the bitmap changed; otherwise the least recently used slot goes.
    auto slot = std::find_if(cache.entries.begin(), cache.entries.end(),
        [&](const Entry& e) { return e.bitmap == &bitmap && e.key == key; });
    if (slot == cache.entries.end())
        slot = std::min_element(cache.entries.begin(), cache.entries.end(),
            [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
    if (!slot->image || !slot->image->IsFor(bitmap, key)) {
        slot->bitmap = &bitmap;
        slot->key = key;
        slot->image = std::make_shared<const PreparedImage>(bitmap, key, true);
    }
    slot->lastUse = cache.clock;
    return slot->image;
}

void PreparedImageCache::Forget(const GpBitmap* bitmap)
{
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    for (Entry& e : cache.entries) {
        if (e.bitmap == bitmap)
            e = Entry {};
    }
}

} // namespace gdiplus
