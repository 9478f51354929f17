// Filled figures and block fills: Ellipse, Rectangle, FillRect, PatBlt and
// DrawFocusRect.
//
// Ellipse and Rectangle outline with the pen and fill with the brush, both
// in the DC's ROP2 mode. The outline is collected first; the interior is
// what lies inside the figure but not under the outline, so no pixel gets
// both and an inverting mode drawn twice restores everything.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/EllipseGeometry.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/SpanSet.h"
#include "platform/gdi/Stroke.h"

#include <algorithm>
#include <functional>

using namespace gdi;

namespace {

// The inside of a filled figure on one row, as [x0, x1); false for rows
// it does not reach.
using InsideRowFn = std::function<bool(int y, int& x0, int& x1)>;

void DrawFilledFigure(DeviceContext& dc, const RECT& box,
    const std::function<void(const RECT& clip, SpanSink& out)>& outline, const InsideRowFn& inside)
{
    const Pen& pen = *dc.pen;
    Raster penRaster(dc, PenOp(dc));
    const RECT& clip = penRaster.ClipBox();
    int reach = Stroke::Reach(pen);
    SpanSet& set = SpanSet::Scratch();
    set.Reset(std::max<int>(clip.top, box.top - reach), std::min<int>(clip.bottom, box.bottom + reach));
    if (!pen.IsNull()) {
        outline(clip, set);
        set.PaintTo(penRaster);
    }
    if (dc.brush->IsNull())
        return;
    Raster brushRaster(dc, BrushOp(dc, *dc.brush));
    int top = std::max<int>(clip.top, box.top);
    int bottom = std::min<int>(clip.bottom, box.bottom);
    for (int y = top; y < bottom; ++y) {
        int x0 = 0, x1 = 0;
        if (!inside(y, x0, x1))
            continue;
        x0 = std::max<int>(x0, clip.left);
        x1 = std::min<int>(x1, clip.right);
        if (x0 < x1)
            set.PaintGaps(y, x0, x1, brushRaster);
    }
}

// The device box of a figure, or nothing for coordinates out of range.
std::optional<RECT> FigureBoxOf(DeviceContext& dc, int left, int top, int right, int bottom)
{
    std::optional<POINT> a = FigurePoint(dc, left, top);
    std::optional<POINT> b = FigurePoint(dc, right, bottom);
    if (!a || !b)
        return std::nullopt;
    return Stroke::FigureBox(*dc.pen, *a, *b);
}

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

void FillDeviceRect(DeviceContext& dc, RECT r, Rop2Op op)
{
    Raster raster(dc, op);
    const RECT& clip = raster.ClipBox();
    int top = std::max<int>(r.top, clip.top);
    int bottom = std::min<int>(r.bottom, clip.bottom);
    for (int y = top; y < bottom; ++y)
        raster.AddSpan(y, r.left, r.right);
}

// Keeps every other pixel of the spans it is given, in a checkerboard fixed
// to the device, so that a dotted frame drawn twice with an inverting
// operation removes itself.
class DottedSink final : public SpanSink {
public:
    explicit DottedSink(SpanSink& out)
        : out_(out)
    {
    }
    void AddSpan(int y, int x0, int x1) override
    {
        for (int x = x0 + ((x0 + y) & 1); x < x1; x += 2)
            out_.AddSpan(y, x, x + 1);
    }

private:
    SpanSink& out_;
};

// The pattern-and-destination raster operation of a block fill as a ROP2
// pair with the brush as the pen. Operations that read a source have no
// such pair.
std::optional<Rop2Op> PatternOp(DWORD rop, std::uint32_t pattern)
{
    if (RopUsesSource(rop))
        return std::nullopt;
    // With the source bit 0 the truth table index is P * 4 + D; the ROP2
    // table is indexed by P * 2 + D.
    unsigned table = (rop >> 16) & 0xFF;
    unsigned rop2Table = (table & 0x3) | ((table >> 2) & 0xC);
    return Rop2Op::For(static_cast<int>(rop2Table) + 1, pattern);
}

} // namespace

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    std::optional<RECT> box = FigureBoxOf(*dc, left, top, right, bottom);
    if (!box)
        return FALSE;
    if (!dc->target || IsEmpty(*box))
        return TRUE;
    EllipseGeometry ellipse(*box);
    const Pen& pen = *dc->pen;
    DrawFilledFigure(
        *dc, *box, [&](const RECT& clip, SpanSink& out) { Stroke::Ellipse(pen, ellipse, ArcSweep(), clip, out); },
        [&](int y, int& x0, int& x1) { return ellipse.InsideRow(y, x0, x1); });
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    std::optional<RECT> box = FigureBoxOf(*dc, left, top, right, bottom);
    if (!box)
        return FALSE;
    if (!dc->target || IsEmpty(*box))
        return TRUE;
    const Pen& pen = *dc->pen;
    // Without an outline the fill is one pixel narrower and shorter, as if
    // the missing outline's right and bottom edges were still excluded.
    RECT fill = *box;
    if (pen.IsNull()) {
        fill.right -= 1;
        fill.bottom -= 1;
    }
    const RECT outlineBox = *box;
    DrawFilledFigure(
        *dc, *box, [&](const RECT& clip, SpanSink& out) { Stroke::Frame(pen, outlineBox, clip, out); },
        [&](int y, int& x0, int& x1) {
            x0 = fill.left;
            x1 = fill.right;
            return y >= fill.top && y < fill.bottom;
        });
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    DeviceContext* dc = DcFromHandle(hdc);
    Brush* b = ObjectAs<Brush>(brush);
    if (!dc || !rect || !b)
        return 0;
    if (!dc->target || b->IsNull())
        return 1;
    FillDeviceRect(*dc, FillRectToDevice(*dc, rect->left, rect->top, rect->right, rect->bottom), BrushCopyOp(*dc, *b));
    return 1;
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return FALSE;
    const Brush& brush = *dc->brush;
    std::optional<Rop2Op> op = PatternOp(rop,
        dc->target ? dc->target->Representable(PixelFromColorRef(brush.color)) : 0);
    if (!op)
        return FALSE;
    // A hollow brush has no pattern to lay down.
    if (!dc->target || (RopUsesPattern(rop) && brush.IsNull()))
        return TRUE;
    // A negative extent reaches left of (or above) the given corner.
    long long x0 = x, y0 = y, x1 = static_cast<long long>(x) + width, y1 = static_cast<long long>(y) + height;
    FillDeviceRect(*dc, FillRectToDevice(*dc, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)),
        *op);
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !rect)
        return FALSE;
    RECT box = FillRectToDevice(*dc, rect->left, rect->top, rect->right, rect->bottom);
    if (!dc->target || IsEmpty(box))
        return TRUE;
    // Inverting, whatever the ROP2 mode and the pen.
    Raster raster(*dc, Rop2Op { kWhitePixel, kWhitePixel });
    DottedSink dots(raster);
    Stroke::ThinFrame(box, raster.ClipBox(), dots);
    return TRUE;
}
