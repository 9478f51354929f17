// The region functions of the API. A region handle is a RegionObject of the
// handle table; every function checks the handle first and answers ERROR
// (or FALSE, or NULL) for one that is not a live region, without touching
// anything.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"

using namespace gdi;

namespace {

HRGN MakeRegion(Region r) { return static_cast<RegionObject*>(RegisterObject(new RegionObject(std::move(r)))); }

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    return MakeRegion(Region::FromCorners(left, top, right, bottom));
}

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    if (!rect)
        return nullptr;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom)
{
    return MakeRegion(Region::Ellipse(RECT { left, top, right, bottom }));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
    auto* out = ObjectAs<RegionObject>(dest);
    auto* a = ObjectAs<RegionObject>(src1);
    if (!out || !a)
        return ERROR;
    // RGN_COPY reads only the first source; every other mode needs both.
    auto* b = ObjectAs<RegionObject>(src2);
    if (mode != RGN_COPY && !b)
        return ERROR;
    if (!Region::Apply(mode, a->region, b ? b->region : a->region, out->region))
        return ERROR;
    return out->region.Complexity();
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom)
{
    auto* obj = ObjectAs<RegionObject>(rgn);
    if (!obj)
        return FALSE;
    obj->region = Region::FromCorners(left, top, right, bottom);
    return TRUE;
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
    auto* obj = ObjectAs<RegionObject>(rgn);
    return obj && obj->region.Contains(x, y);
}

BOOL RectInRegion(HRGN rgn, const RECT* rect)
{
    auto* obj = ObjectAs<RegionObject>(rgn);
    if (!obj || !rect)
        return FALSE;
    // The corners may come in either order, as for CreateRectRgn.
    RECT r = Region::FromCorners(rect->left, rect->top, rect->right, rect->bottom).Bounds();
    return obj->region.Intersects(r);
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    auto* ra = ObjectAs<RegionObject>(a);
    auto* rb = ObjectAs<RegionObject>(b);
    if (!ra || !rb)
        return ERROR;
    return ra->region == rb->region;
}

int GetRgnBox(HRGN rgn, LPRECT out)
{
    auto* obj = ObjectAs<RegionObject>(rgn);
    if (!obj || !out)
        return ERROR;
    *out = obj->region.Bounds();
    return obj->region.Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy)
{
    auto* obj = ObjectAs<RegionObject>(rgn);
    if (!obj)
        return ERROR;
    obj->region.Offset(dx, dy);
    return obj->region.Complexity();
}
