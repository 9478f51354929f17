#pragma once

// The platform's GDI objects behind the handles, and the table that tells a
// live handle from a stale or foreign pointer, so that the API can answer
// failure for a bad handle instead of touching freed memory.

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/win/WinTypes.h"

#include <memory>
#include <string>

namespace gdi {

class DeviceContext;

// What every GDI object shares: whether it is a stock object (never really
// deleted), how many device contexts hold it selected, and whether a delete
// is waiting for the last deselection.
struct ObjectLife {
    bool stock = false;
    int selectedCount = 0;
    bool deletePending = false;
};

class Pen final : public HPEN__ {
public:
    Pen(int penStyle, int penWidth, COLORREF penColor)
        : style(penStyle)
        , width(penWidth)
        , color(penColor)
    {
    }
    int style;
    int width; // 0 and 1 both draw one-pixel (cosmetic) lines
    COLORREF color;
    ObjectLife life;

    bool IsNull() const;
    // A pen wider than one pixel draws with round ends and joins.
    bool IsWide() const { return width > 1; }
};

class Brush final : public HBRUSH__ {
public:
    Brush(UINT brushStyle, COLORREF brushColor)
        : style(brushStyle)
        , color(brushColor)
    {
    }
    UINT style;
    COLORREF color;
    ObjectLife life;

    bool IsNull() const;
};

class Bitmap final : public HBITMAP__ {
public:
    Bitmap(int width, int height, int bitsPerPixel)
        : surface(std::make_unique<Surface>(width, height, bitsPerPixel))
    {
    }
    explicit Bitmap(std::unique_ptr<Surface> s)
        : surface(std::move(s))
    {
    }
    std::unique_ptr<Surface> surface;
    // Pixel memory handed out by CreateDIBSection; the surface draws into it.
    std::unique_ptr<std::uint32_t[]> dibBits;
    ObjectLife life;
};

class RegionObject final : public HRGN__ {
public:
    RegionObject() = default;
    explicit RegionObject(Region r)
        : region(std::move(r))
    {
    }
    Region region;
    ObjectLife life;
};

class FontInstance;

// A logical font: what CreateFontIndirect was asked for. The installed face
// it stands for and its metrics are found on first use (FontInstance).
class Font final : public HFONT__ {
public:
    std::string face; // UTF-8
    int height = 0; // LOGFONT's lfHeight
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    BYTE charSet = 1; // DEFAULT_CHARSET
    ObjectLife life;
    std::shared_ptr<const FontInstance> instance; // made by FontInstance::Of
};

// Registers a newly made object and returns it; the table owns it until
// DeleteObject.
HGDIOBJ RegisterObject(HGDIOBJ obj);
bool IsLiveObject(HGDIOBJ obj);
ObjectLife* LifeOf(HGDIOBJ obj);
// Frees an object whose delete was pending, once nothing holds it.
void ReleaseSelection(HGDIOBJ obj);

// The object behind a handle if the handle is live and of that kind.
template <typename T>
T* ObjectAs(HGDIOBJ obj)
{
    return IsLiveObject(obj) ? dynamic_cast<T*>(obj) : nullptr;
}

// The default objects of a new device context.
Pen* DefaultPen();
Brush* DefaultBrush();
Bitmap* DefaultBitmap(); // the 1x1 monochrome bitmap of a new memory DC

} // namespace gdi
