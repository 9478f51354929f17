// Clipping of a device context. Clip regions given to SelectClipRgn are in
// device units and are copied, so the caller may change or delete its
// region afterwards; IntersectClipRect and GetClipBox speak logical units.
// Every function answers the kind of the clip that results (NULLREGION,
// SIMPLEREGION or COMPLEXREGION), or ERROR.

#include "platform/gdi/DeviceContext.h"

#include <cassert>

using namespace gdi;

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    auto* obj = ObjectAs<RegionObject>(rgn);
    if (!obj) {
        // Only RGN_COPY may pass no region: it removes the clip region.
        if (rgn || mode != RGN_COPY)
            return ERROR;
        dc->clipRegion.reset();
    } else if (mode == RGN_COPY) {
        dc->clipRegion = obj->region;
    } else {
        // With no clip region yet, the DC's whole device area stands for it.
        Region current = dc->clipRegion ? std::move(*dc->clipRegion)
                                        : Region(RECT { 0, 0, dc->deviceSize.cx, dc->deviceSize.cy });
        [[maybe_unused]] bool known = Region::Apply(mode, current, obj->region, current);
        assert(known);
        dc->clipRegion = std::move(current);
    }
    dc->ClipChanged();
    return dc->EffectiveClip().Complexity();
}

int SelectClipRgn(HDC hdc, HRGN rgn) { return ExtSelectClipRgn(hdc, rgn, RGN_COPY); }

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return ERROR;
    POINT a = dc->ToDevice(left, top);
    POINT b = dc->ToDevice(right, bottom);
    Region r = Region::FromCorners(a.x, a.y, b.x, b.y);
    dc->clipRegion = dc->clipRegion ? dc->clipRegion->Intersect(r) : std::move(r);
    dc->ClipChanged();
    return dc->EffectiveClip().Complexity();
}

int GetClipBox(HDC hdc, LPRECT out)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !out)
        return ERROR;
    const Region& clip = dc->EffectiveClip();
    if (clip.IsEmpty()) {
        *out = RECT { 0, 0, 0, 0 };
        return NULLREGION;
    }
    RECT box = clip.Bounds();
    POINT a = dc->ToLogical(box.left, box.top);
    POINT b = dc->ToLogical(box.right, box.bottom);
    *out = RECT { a.x, a.y, b.x, b.y };
    return clip.Complexity();
}
