#include "platform/gdi/DeviceContext.h"

#include <cstring>
#include <mutex>
#include <unordered_set>

namespace gdi {

namespace {

std::mutex& DcMutex()
{
    static std::mutex m;
    return m;
}

std::unordered_set<const HDC__*>& DcTable()
{
    static std::unordered_set<const HDC__*> t;
    return t;
}

DeviceContext* RegisterDc(DeviceContext* dc)
{
    std::lock_guard lock(DcMutex());
    DcTable().insert(dc);
    return dc;
}

void Hold(HGDIOBJ obj)
{
    if (ObjectLife* life = LifeOf(obj))
        ++life->selectedCount;
}

} // namespace

DeviceContext::DeviceContext(Kind k)
    : kind(k)
    , pen(DefaultPen())
    , brush(DefaultBrush())
{
    Hold(pen);
    Hold(brush);
    if (kind == Kind::Memory)
        SelectBitmap(DefaultBitmap());
}

DeviceContext::~DeviceContext()
{
    // Objects held by saved states were counted once per state as well.
    for (const SavedState& s : savedStates) {
        ReleaseSelection(s.pen);
        ReleaseSelection(s.brush);
        if (s.font)
            ReleaseSelection(s.font);
        if (s.bitmap)
            ReleaseSelection(s.bitmap);
    }
    ReleaseSelection(pen);
    ReleaseSelection(brush);
    if (font)
        ReleaseSelection(font);
    if (bitmap)
        ReleaseSelection(bitmap);
}

void DeviceContext::SelectBitmap(Bitmap* bmp)
{
    Hold(bmp);
    Bitmap* old = bitmap;
    bitmap = bmp;
    target = bmp->surface.get();
    surfaceOffset = POINT { 0, 0 };
    deviceSize = SIZE { target->Width(), target->Height() };
    ClipChanged();
    if (old)
        ReleaseSelection(old);
}

const Region& DeviceContext::EffectiveClip()
{
    if (clipValid_)
        return effectiveClip_;
    effectiveClip_ = target ? Region(RECT { 0, 0, deviceSize.cx, deviceSize.cy }) : Region();
    if (visibleRegion)
        effectiveClip_ = effectiveClip_.Intersect(*visibleRegion);
    if (clipRegion)
        effectiveClip_ = effectiveClip_.Intersect(*clipRegion);
    clipValid_ = true;
    return effectiveClip_;
}

DeviceContext* DcFromHandle(HDC hdc)
{
    if (!hdc)
        return nullptr;
    std::lock_guard lock(DcMutex());
    return DcTable().count(hdc) ? static_cast<DeviceContext*>(hdc) : nullptr;
}

HDC RegisterDeviceContext(DeviceContext* dc) { return RegisterDc(dc); }

DisplayInfo& Display()
{
    static DisplayInfo info;
    return info;
}

} // namespace gdi

using namespace gdi;

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !DcFromHandle(hdc))
        return nullptr;
    return RegisterDc(new DeviceContext(DeviceContext::Kind::Memory));
}

HDC CreateDCA(const char* driver, const char*, const char*, const void*)
{
    if (!driver || std::strcmp(driver, "DISPLAY") != 0)
        return nullptr;
    auto* dc = new DeviceContext(DeviceContext::Kind::Display);
    DisplayInfo& d = Display();
    dc->target = d.read ? d.read() : d.surface;
    dc->deviceSize = SIZE { d.width, d.height };
    return RegisterDc(dc);
}

BOOL DeleteDC(HDC hdc)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    {
        std::lock_guard lock(DcMutex());
        DcTable().erase(dc);
    }
    if (dc->onRelease)
        dc->onRelease(*dc);
    delete dc;
    return TRUE;
}

int SaveDC(HDC hdc)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return 0;
    DeviceContext::SavedState s { dc->clipRegion, dc->windowOrg, dc->viewportOrg, dc->currentPosition, dc->pen,
        dc->brush, dc->bitmap, dc->font, dc->rop2, dc->bkMode, dc->stretchMode, dc->mapMode, dc->bkColor, dc->textColor,
        dc->textAlign };
    Hold(s.pen);
    Hold(s.brush);
    if (s.font)
        Hold(s.font);
    if (s.bitmap)
        Hold(s.bitmap);
    dc->savedStates.push_back(std::move(s));
    return static_cast<int>(dc->savedStates.size());
}

BOOL RestoreDC(HDC hdc, int savedDc)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    int depth = static_cast<int>(dc->savedStates.size());
    int index = savedDc < 0 ? depth + savedDc : savedDc - 1;
    if (index < 0 || index >= depth)
        return FALSE;
    DeviceContext::SavedState s = dc->savedStates[static_cast<std::size_t>(index)];
    SelectObject(hdc, s.pen);
    SelectObject(hdc, s.brush);
    if (s.font)
        SelectObject(hdc, s.font);
    if (s.bitmap)
        SelectObject(hdc, s.bitmap);
    // Drop the states from index on; each held its objects once.
    while (static_cast<int>(dc->savedStates.size()) > index) {
        const DeviceContext::SavedState& top = dc->savedStates.back();
        ReleaseSelection(top.pen);
        ReleaseSelection(top.brush);
        if (top.font)
            ReleaseSelection(top.font);
        if (top.bitmap)
            ReleaseSelection(top.bitmap);
        dc->savedStates.pop_back();
    }
    dc->clipRegion = std::move(s.clipRegion);
    dc->ClipChanged();
    dc->windowOrg = s.windowOrg;
    dc->viewportOrg = s.viewportOrg;
    dc->currentPosition = s.currentPosition;
    dc->rop2 = s.rop2;
    dc->bkMode = s.bkMode;
    dc->stretchMode = s.stretchMode;
    dc->mapMode = s.mapMode;
    dc->textAlign = s.textAlign;
    dc->bkColor = s.bkColor;
    dc->textColor = s.textColor;
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return 0;
    const DisplayInfo& d = Display();
    switch (index) {
    // Every DC answers the display's resolution: a window's DC as well as
    // the display's own, whatever the size of the window.
    case HORZRES:
        return d.width;
    case VERTRES:
        return d.height;
    case BITSPIXEL:
        // A memory DC reports the depth of the bitmap it holds.
        if (dc->kind == DeviceContext::Kind::Memory && dc->bitmap && dc->bitmap->surface->IsMonochrome())
            return 1;
        return d.bitsPerPixel;
    case PLANES:
        return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    default:
        return 0;
    }
}

namespace {

template <typename T>
T Exchange(HDC hdc, T DeviceContext::*member, T value, T failure)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return failure;
    T old = dc->*member;
    dc->*member = value;
    return old;
}

template <typename T>
T Read(HDC hdc, T DeviceContext::*member, T failure)
{
    DeviceContext* dc = DcFromHandle(hdc);
    return dc ? dc->*member : failure;
}

} // namespace

int SetROP2(HDC hdc, int rop2)
{
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    return Exchange(hdc, &DeviceContext::rop2, rop2, 0);
}
int GetROP2(HDC hdc) { return Read(hdc, &DeviceContext::rop2, 0); }

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    return Exchange(hdc, &DeviceContext::bkColor, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetBkColor(HDC hdc) { return Read(hdc, &DeviceContext::bkColor, CLR_INVALID); }
COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    return Exchange(hdc, &DeviceContext::textColor, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetTextColor(HDC hdc) { return Read(hdc, &DeviceContext::textColor, CLR_INVALID); }

int SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return Exchange(hdc, &DeviceContext::bkMode, mode, 0);
}
int GetBkMode(HDC hdc) { return Read(hdc, &DeviceContext::bkMode, 0); }

int SetStretchBltMode(HDC hdc, int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return Exchange(hdc, &DeviceContext::stretchMode, mode, 0);
}
int GetStretchBltMode(HDC hdc) { return Read(hdc, &DeviceContext::stretchMode, 0); }

int SetMapMode(HDC hdc, int mode)
{
    // Only MM_TEXT (one logical unit per pixel) is supported.
    if (mode != MM_TEXT)
        return 0;
    return Exchange(hdc, &DeviceContext::mapMode, mode, 0);
}
int GetMapMode(HDC hdc) { return Read(hdc, &DeviceContext::mapMode, 0); }

namespace {

// The window and viewport origins: the old origin comes back through
// old, a null out is a failure.
BOOL SetOrigin(HDC hdc, POINT DeviceContext::*origin, int x, int y, LPPOINT old)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    if (old)
        *old = dc->*origin;
    dc->*origin = POINT { x, y };
    return TRUE;
}

BOOL GetOrigin(HDC hdc, POINT DeviceContext::*origin, LPPOINT out)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !out)
        return FALSE;
    *out = dc->*origin;
    return TRUE;
}

} // namespace

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old) { return SetOrigin(hdc, &DeviceContext::windowOrg, x, y, old); }
BOOL GetWindowOrgEx(HDC hdc, LPPOINT out) { return GetOrigin(hdc, &DeviceContext::windowOrg, out); }
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old)
{
    return SetOrigin(hdc, &DeviceContext::viewportOrg, x, y, old);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT out) { return GetOrigin(hdc, &DeviceContext::viewportOrg, out); }

BOOL LPtoDP(HDC hdc, LPPOINT points, int count)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->ToDevice(points[i].x, points[i].y);
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->ToLogical(points[i].x, points[i].y);
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT out)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !out)
        return FALSE;
    *out = dc->currentPosition;
    return TRUE;
}
