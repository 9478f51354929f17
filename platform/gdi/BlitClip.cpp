#include "platform/gdi/BlitClip.h"

#include <algorithm>
#include <cassert>

namespace gdi {

RECT IntersectBox(const RECT& a, const RECT& b)
{
    return RECT { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
}

RECT RectAt(POINT origin, long long w, long long h)
{
    auto clamp = [](long long v) { return static_cast<LONG>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); };
    return RECT { origin.x, origin.y, clamp(origin.x + w), clamp(origin.y + h) };
}

BlitClip::BlitClip(DeviceContext& dc, const RECT& deviceRect)
    : surface_(*dc.target)
    , clip_(dc.EffectiveClip())
    , offset_(dc.surfaceOffset)
{
    // The surface in device coordinates: a DC placed inside a larger surface
    // must not reach past the surface's edges even if its clip says so.
    RECT surface { -offset_.x, -offset_.y, surface_.Width() - offset_.x, surface_.Height() - offset_.y };
    box_ = IntersectBox(IntersectBox(deviceRect, clip_.Bounds()), surface);
}

void BlitClip::Restrict(const RECT& r) { box_ = IntersectBox(box_, r); }

std::uint32_t* BlitClip::At(int x, int y) const
{
    assert(x >= box_.left && x <= box_.right && y >= box_.top && y < box_.bottom);
    return surface_.Row(y + offset_.y) + (x + offset_.x);
}

void BlitClip::MarkDirty() const
{
    if (Empty())
        return;
    surface_.MarkDirty(
        RECT { box_.left + offset_.x, box_.top + offset_.y, box_.right + offset_.x, box_.bottom + offset_.y });
}

} // namespace gdi
