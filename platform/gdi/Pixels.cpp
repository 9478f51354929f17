// GetPixel and SetPixel: one pixel at a logical point, inside the clip.

#include "platform/gdi/BlitClip.h"
#include "platform/gdi/DeviceContext.h"

using namespace gdi;

namespace {

// The one pixel at a logical point: device is where it lies in device
// coordinates; the clip comes out empty when the point is outside the clip
// region or the surface.
BlitClip PixelClip(DeviceContext& dc, int x, int y, POINT& device)
{
    device = dc.ToDevice(x, y);
    BlitClip clip(dc, RECT { device.x, device.y, device.x + 1, device.y + 1 });
    bool inside = false;
    if (!clip.Empty())
        clip.ForEachSpan(device.y, [&](int, int) { inside = true; });
    if (!inside)
        clip.Restrict(RECT { 0, 0, 0, 0 });
    return clip;
}

} // namespace

COLORREF GetPixel(HDC hdc, int x, int y)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !dc->target)
        return CLR_INVALID;
    POINT p;
    BlitClip clip = PixelClip(*dc, x, y, p);
    return clip.Empty() ? CLR_INVALID : ColorRefFromPixel(*clip.At(p.x, p.y) & kWhitePixel);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    constexpr COLORREF kFailed = static_cast<COLORREF>(-1);
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !dc->target)
        return kFailed;
    POINT p;
    BlitClip clip = PixelClip(*dc, x, y, p);
    if (clip.Empty())
        return kFailed;
    // The answer is the colour actually set, which on a monochrome surface
    // is the nearer of black and white.
    std::uint32_t pixel = dc->target->Representable(PixelFromColorRef(color));
    *clip.At(p.x, p.y) = pixel;
    clip.MarkDirty();
    return ColorRefFromPixel(pixel);
}
