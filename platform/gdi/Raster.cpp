#include "platform/gdi/Raster.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace gdi {

Raster::Raster(DeviceContext& dc, Rop2Op op)
    : surface_(*dc.target)
    , clip_(dc.EffectiveClip())
    , offset_(dc.surfaceOffset)
    , op_(op)
    , clipBox_(clip_.Bounds())
    , nop_(op.IsNop())
    , simpleClip_(clip_.Complexity() == SIMPLEREGION)
{
    // The clip never reaches outside the surface; a DC whose device area
    // did would be a window-system fault, so cut the box to the surface as
    // well rather than write outside the pixel memory.
    clipBox_.left = std::max<LONG>(clipBox_.left, -offset_.x);
    clipBox_.top = std::max<LONG>(clipBox_.top, -offset_.y);
    clipBox_.right = std::min<LONG>(clipBox_.right, surface_.Width() - offset_.x);
    clipBox_.bottom = std::min<LONG>(clipBox_.bottom, surface_.Height() - offset_.y);
    if (clipBox_.left >= clipBox_.right || clipBox_.top >= clipBox_.bottom)
        clipBox_ = RECT { 0, 0, 0, 0 };
}

Raster::~Raster()
{
    if (any_)
        surface_.MarkDirty(touched_);
}

void Raster::AddSpan(int y, int x0, int x1)
{
    if (nop_ || y < clipBox_.top || y >= clipBox_.bottom)
        return;
    x0 = std::max<int>(x0, clipBox_.left);
    x1 = std::min<int>(x1, clipBox_.right);
    if (x0 >= x1)
        return;
    const std::uint32_t andMask = op_.andMask;
    const std::uint32_t xorMask = op_.xorMask;
    std::uint32_t* row = surface_.Row(y + offset_.y) + offset_.x;
    auto paint = [&](int a, int b) {
        for (int x = a; x < b; ++x)
            row[x] = (row[x] & andMask) ^ xorMask;
        Touch(RECT { a + offset_.x, y + offset_.y, b + offset_.x, y + offset_.y + 1 });
    };
    // A rectangular clip was already applied by cutting to its box.
    if (simpleClip_)
        paint(x0, x1);
    else
        clip_.ForEachSpan(y, x0, x1, paint);
}

void Raster::Touch(const RECT& r)
{
    if (!any_) {
        touched_ = r;
        any_ = true;
        return;
    }
    touched_.left = std::min(touched_.left, r.left);
    touched_.top = std::min(touched_.top, r.top);
    touched_.right = std::max(touched_.right, r.right);
    touched_.bottom = std::max(touched_.bottom, r.bottom);
}

std::optional<POINT> FigurePoint(const DeviceContext& dc, int x, int y)
{
    auto inRange = [](long v) { return std::labs(v) <= kMaxFigureCoordinate; };
    if (!inRange(x) || !inRange(y) || !inRange(dc.windowOrg.x) || !inRange(dc.windowOrg.y) || !inRange(dc.viewportOrg.x)
        || !inRange(dc.viewportOrg.y))
        return std::nullopt;
    return dc.ToDevice(x, y);
}

RECT FillRectToDevice(const DeviceContext& dc, long long left, long long top, long long right, long long bottom)
{
    // The mapping is a pure offset; take it from the origin's image.
    const POINT origin = dc.ToDevice(0, 0);
    static constexpr long long kLimit = 1 << 30;
    auto map = [](long long v, long long offset) { return static_cast<LONG>(std::clamp(v + offset, -kLimit, kLimit)); };
    return RECT { map(left, origin.x), map(top, origin.y), map(right, origin.x), map(bottom, origin.y) };
}

namespace {

std::uint32_t TargetPixel(const DeviceContext& dc, COLORREF color)
{
    std::uint32_t pixel = PixelFromColorRef(color);
    return dc.target ? dc.target->Representable(pixel) : pixel;
}

} // namespace

Rop2Op PenOp(const DeviceContext& dc) { return Rop2Op::For(dc.rop2, TargetPixel(dc, dc.pen->color)); }

Rop2Op BrushOp(const DeviceContext& dc, const Brush& brush)
{
    return Rop2Op::For(dc.rop2, TargetPixel(dc, brush.color));
}

Rop2Op BrushCopyOp(const DeviceContext& dc, const Brush& brush)
{
    return Rop2Op::For(R2_COPYPEN, TargetPixel(dc, brush.color));
}

} // namespace gdi
