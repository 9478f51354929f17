#include "platform/x11/CursorCache.h"

#include "platform/window/Cursor.h"

#include <X11/Xcursor/Xcursor.h>

#include <algorithm>

namespace platform::x11 {

CursorCache::CursorCache(Display* display)
    : display_(display)
{
}

CursorCache::~CursorCache()
{
    for (const Entry& e : entries_)
        XFreeCursor(display_, e.cursor);
    if (blank_)
        XFreeCursor(display_, blank_);
}

::Cursor CursorCache::Blank()
{
    if (blank_)
        return blank_;
    // A one-pixel cursor, wholly transparent.
    XcursorImage* image = XcursorImageCreate(1, 1);
    if (!image)
        return None;
    image->pixels[0] = 0;
    blank_ = XcursorImageLoadCursor(display_, image);
    XcursorImageDestroy(image);
    return blank_;
}

::Cursor CursorCache::For(HCURSOR__* handle)
{
    const ws::Cursor* c = ws::CursorFromHandle(handle);
    if (!c || c->width <= 0 || c->height <= 0
        || c->argb.size() < static_cast<std::size_t>(c->width) * static_cast<std::size_t>(c->height))
        return Blank();
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.handle == handle; });
    if (it != entries_.end()) {
        if (it->argb == c->argb && it->hotspot.x == c->hotspot.x && it->hotspot.y == c->hotspot.y)
            return it->cursor;
        XFreeCursor(display_, it->cursor);
        entries_.erase(it);
    }
    XcursorImage* image = XcursorImageCreate(c->width, c->height);
    if (!image)
        return Blank();
    image->xhot = static_cast<XcursorDim>(std::clamp(c->hotspot.x, 0, c->width - 1));
    image->yhot = static_cast<XcursorDim>(std::clamp(c->hotspot.y, 0, c->height - 1));
    // Xcursor pictures carry premultiplied alpha; the program's are straight.
    for (std::size_t i = 0; i < static_cast<std::size_t>(c->width) * static_cast<std::size_t>(c->height); ++i) {
        std::uint32_t p = c->argb[i];
        std::uint32_t a = p >> 24;
        auto mul = [a](std::uint32_t v) { return (v * a + 127) / 255; };
        image->pixels[i] = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
    }
    ::Cursor cursor = XcursorImageLoadCursor(display_, image);
    XcursorImageDestroy(image);
    if (!cursor)
        return Blank();
    entries_.push_back(Entry { handle, c->argb, c->hotspot, cursor });
    return cursor;
}

} // namespace platform::x11
