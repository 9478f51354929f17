// BitBlt: block transfers between device contexts with any ternary raster
// operation, converting between colour and monochrome the way GDI does.

#include "platform/gdi/BlitClip.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/RopSpan.h"

#include <vector>

using namespace gdi;

namespace {

// How source pixels must be changed before the raster operation sees them.
enum class Conversion {
    None,
    // Colour into monochrome: the source DC's background colour becomes
    // white (1), every other colour black (0).
    ToMono,
    // Monochrome into colour: black (0) becomes the destination DC's text
    // colour, white (1) its background colour.
    ToColour,
};

struct SourceReader {
    Conversion conversion;
    std::uint32_t srcBackground; // for ToMono
    std::uint32_t black; // for ToColour: what a 0 bit becomes
    std::uint32_t white; // for ToColour: what a 1 bit becomes

    void Read(const std::uint32_t* src, int n, std::uint32_t* out) const
    {
        switch (conversion) {
        case Conversion::None:
            for (int i = 0; i < n; ++i)
                out[i] = src[i] & kWhitePixel;
            break;
        case Conversion::ToMono:
            for (int i = 0; i < n; ++i)
                out[i] = (src[i] & kWhitePixel) == srcBackground ? kWhitePixel : 0;
            break;
        case Conversion::ToColour:
            for (int i = 0; i < n; ++i)
                out[i] = (src[i] & kWhitePixel) ? white : black;
            break;
        }
    }
};

SourceReader ReaderFor(const DeviceContext& src, const DeviceContext& dst)
{
    bool srcMono = src.target->IsMonochrome();
    bool dstMono = dst.target->IsMonochrome();
    SourceReader r { Conversion::None, 0, 0, 0 };
    if (!srcMono && dstMono) {
        r.conversion = Conversion::ToMono;
        r.srcBackground = PixelFromColorRef(src.bkColor);
    } else if (srcMono && !dstMono) {
        r.conversion = Conversion::ToColour;
        r.black = PixelFromColorRef(dst.textColor);
        r.white = PixelFromColorRef(dst.bkColor);
    }
    return r;
}

// The part of the source DC that holds pixels, in its device coordinates:
// its device area, cut to its surface.
RECT SourceArea(const DeviceContext& src)
{
    RECT device { 0, 0, src.deviceSize.cx, src.deviceSize.cy };
    RECT surface { -src.surfaceOffset.x, -src.surfaceOffset.y, src.target->Width() - src.surfaceOffset.x,
        src.target->Height() - src.surfaceOffset.y };
    return IntersectBox(device, surface);
}

} // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop)
{
    DeviceContext* dst = DcFromHandle(dest);
    if (!dst || !dst->target)
        return FALSE;
    RopSpan op(rop, dst->target->Representable(PixelFromColorRef(dst->brush->color)));
    DeviceContext* sdc = nullptr;
    if (op.UsesSource()) {
        sdc = DcFromHandle(src);
        if (!sdc || !sdc->target)
            return FALSE;
    }
    // A hollow brush paints nothing, so an operation that needs the pattern
    // leaves the destination as it is.
    if (width <= 0 || height <= 0 || (op.UsesPattern() && dst->brush->IsNull()))
        return TRUE;

    POINT d0 = dst->ToDevice(x, y);
    BlitClip clip(*dst, RectAt(d0, width, height));
    // Source point = destination device point + delta, in source device
    // coordinates.
    POINT delta { 0, 0 };
    if (sdc) {
        POINT s0 = sdc->ToDevice(xSrc, ySrc);
        delta = POINT { s0.x - d0.x, s0.y - d0.y };
        // Destination pixels whose source does not exist are left alone.
        RECT area = SourceArea(*sdc);
        clip.Restrict(RECT { area.left - delta.x, area.top - delta.y, area.right - delta.x, area.bottom - delta.y });
    }
    if (clip.Empty())
        return TRUE;

    const RECT box = clip.Box();
    const int n = box.right - box.left;
    SourceReader reader = sdc ? ReaderFor(*sdc, *dst) : SourceReader { Conversion::None, 0, 0, 0 };
    // On one surface the rows are staged through a buffer and walked away
    // from the overlap, so the result is as if copied through a temporary.
    bool sameSurface = sdc && sdc->target == dst->target;
    bool staged = sameSurface || reader.conversion != Conversion::None;
    std::vector<std::uint32_t> row(staged ? static_cast<std::size_t>(n) : 0);
    bool upwards = sameSurface && delta.y + sdc->surfaceOffset.y < dst->surfaceOffset.y;

    for (int i = 0; i < box.bottom - box.top; ++i) {
        int yd = upwards ? box.bottom - 1 - i : box.top + i;
        const std::uint32_t* source = nullptr;
        if (sdc) {
            source = sdc->target->Row(yd + delta.y + sdc->surfaceOffset.y)
                + (box.left + delta.x + sdc->surfaceOffset.x);
            if (staged) {
                reader.Read(source, n, row.data());
                source = row.data();
            }
        }
        clip.ForEachSpan(yd,
            [&](int x0, int x1) { op.Apply(source ? source + (x0 - box.left) : nullptr, clip.At(x0, yd), x1 - x0); });
    }
    clip.MarkDirty();
    return TRUE;
}
