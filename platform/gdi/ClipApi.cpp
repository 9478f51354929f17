// Clipping of a device context. Clip regions given to SelectClipRgn are in
// device units; IntersectClipRect and GetClipBox speak logical units.

#include "platform/gdi/DeviceContext.h"

using namespace gdi;

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return ERROR;
    auto* obj = ObjectAs<RegionObject>(rgn);
    if (!obj) {
        // Only RGN_COPY may pass no region: it removes the clip region.
        if (rgn || mode != RGN_COPY)
            return ERROR;
        dc->clipRegion.reset();
    } else {
        // With no clip region yet, the DC's whole device area stands for it.
        Region current = dc->clipRegion ? *dc->clipRegion : Region(RECT { 0, 0, dc->deviceSize.cx, dc->deviceSize.cy });
        switch (mode) {
        case RGN_COPY:
            dc->clipRegion = obj->region;
            break;
        case RGN_AND:
            dc->clipRegion = current.Intersect(obj->region);
            break;
        case RGN_OR:
            dc->clipRegion = current.Union(obj->region);
            break;
        case RGN_XOR:
            dc->clipRegion = current.Xor(obj->region);
            break;
        case RGN_DIFF:
            dc->clipRegion = current.Subtract(obj->region);
            break;
        default:
            return ERROR;
        }
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
    Region r(RECT { a.x, a.y, b.x, b.y });
    dc->clipRegion = dc->clipRegion ? dc->clipRegion->Intersect(r) : r;
    dc->ClipChanged();
    return dc->EffectiveClip().Complexity();
}

int GetClipBox(HDC hdc, LPRECT out)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !out)
        return ERROR;
    const Region& clip = dc->EffectiveClip();
    RECT box = clip.Bounds();
    POINT a = dc->ToLogical(box.left, box.top);
    POINT b = dc->ToLogical(box.right, box.bottom);
    *out = RECT { a.x, a.y, b.x, b.y };
    return clip.Complexity();
}
