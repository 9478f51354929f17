#pragma once

// The state behind an HDC: what it draws into, its clipping, its logical
// origin and its selected objects and modes.
//
// Coordinates pass through three spaces. Logical coordinates are what the
// caller gives; device coordinates are logical minus the window origin plus
// the viewport origin (the only mapping mode is MM_TEXT); surface
// coordinates are device coordinates plus the DC's offset inside its target
// surface (a client area inside a window's backing store, say). Clip regions
// are kept in device coordinates.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

#include <functional>
#include <optional>
#include <vector>

namespace gdi {

class DeviceContext final : public HDC__ {
public:
    enum class Kind { Memory, Window, Display };

    explicit DeviceContext(Kind kind);
    ~DeviceContext() override;

    Kind kind;

    // What the DC draws into. For a memory DC, the selected bitmap's
    // surface; for a window or display DC, set by the window system.
    Surface* target = nullptr;
    POINT surfaceOffset { 0, 0 };
    SIZE deviceSize { 0, 0 };
    // The part of the device area the window system lets this DC draw to,
    // in device coordinates; none means all of it.
    std::optional<Region> visibleRegion;
    // SelectClipRgn's region, in device coordinates.
    std::optional<Region> clipRegion;

    POINT windowOrg { 0, 0 };
    POINT viewportOrg { 0, 0 };
    POINT currentPosition { 0, 0 };

    Pen* pen;
    Brush* brush;
    Bitmap* bitmap = nullptr; // memory DCs only
    Font* font = nullptr;

    int rop2 = R2_COPYPEN;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    int mapMode = MM_TEXT;
    UINT textAlign = 0; // TA_LEFT | TA_TOP

    // Called by the window system when a window DC is released; may be empty.
    std::function<void(DeviceContext&)> onRelease;

    POINT ToDevice(int x, int y) const
    {
        return POINT { x - windowOrg.x + viewportOrg.x, y - windowOrg.y + viewportOrg.y };
    }
    POINT ToLogical(int x, int y) const
    {
        return POINT { x + windowOrg.x - viewportOrg.x, y + windowOrg.y - viewportOrg.y };
    }

    // Where drawing may land, in device coordinates: the device area cut
    // down by the visible region and the clip region. Recomputed only after
    // one of them changes.
    const Region& EffectiveClip();
    // Must be called after changing the target, the device size, the
    // visible region or the clip region.
    void ClipChanged() { clipValid_ = false; }

    // Selects a bitmap into a memory DC, making its surface the target.
    void SelectBitmap(Bitmap* bmp);

    // What SaveDC keeps and RestoreDC brings back.
    struct SavedState {
        std::optional<Region> clipRegion;
        POINT windowOrg, viewportOrg, currentPosition;
        Pen* pen;
        Brush* brush;
        Bitmap* bitmap;
        Font* font;
        int rop2, bkMode, stretchMode, mapMode;
        COLORREF bkColor, textColor;
        UINT textAlign;
    };
    std::vector<SavedState> savedStates;

private:
    Region effectiveClip_;
    bool clipValid_ = false;
};

// The DC behind a handle, or null for a handle that is not a live DC.
DeviceContext* DcFromHandle(HDC hdc);
// Makes a DC that the window system set up a live handle; DeleteDC frees it.
HDC RegisterDeviceContext(DeviceContext* dc);

// What the screen looks like to GDI: its size and depth, and (once a window
// system runs) its pixels, for display device contexts and the device
// capabilities.
struct DisplayInfo {
    int width = 1366;
    int height = 768;
    int bitsPerPixel = 32;
    Surface* surface = nullptr;
    // A real screen's pixels change behind GDI's back: when set, each new
    // display DC reads them afresh through this instead of using surface.
    // It answers null when the screen cannot be read, and then the DC has
    // no pixels, so copying from it fails (BitBlt answers FALSE) rather
    // than giving a picture that was never on the screen.
    std::function<Surface*()> read;
};
DisplayInfo& Display();

} // namespace gdi
