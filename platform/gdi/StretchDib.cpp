// StretchDIBits: draws a rectangle of a device-independent bitmap into a
// rectangle of a DC, stretching or shrinking by nearest neighbour (rows and
// columns are duplicated or dropped), mirrored when the signs of the source
// and destination extents differ.
//
// This runs for every camera frame, so the work is arranged around rows: a
// table of source columns is made once per call, each source row that is
// used is read through it once, and a destination row that shows the same
// source row as the one above it is copied from that row without reading
// the picture again.

#include "platform/gdi/BlitClip.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/DibLayout.h"
#include "platform/gdi/RopSpan.h"
#include "platform/gdi/StretchRow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

using namespace gdi;

namespace {

// Extents beyond this are refused, which keeps the stepping below inside
// 64-bit arithmetic.
constexpr long long kMaxExtent = 1 << 24;

// Walks t(i) = floor((2i + 1) * from / (2 * to)) for i = first, first + 1,
// ...: the source index whose pixel centre is nearest the centre of
// destination index i, when `from` source pixels are spread over `to`
// destination pixels. Incremental, so no division per pixel.
class NearestStep {
public:
    NearestStep(long long from, long long to, long long first)
        : den_(2 * to)
        , stepQ_((2 * from) / den_)
        , stepR_((2 * from) % den_)
    {
        long long num = (2 * first + 1) * from;
        q_ = num / den_;
        r_ = num % den_;
    }
    long long Value() const { return q_; }
    void Next()
    {
        q_ += stepQ_;
        r_ += stepR_;
        if (r_ >= den_) {
            r_ -= den_;
            ++q_;
        }
    }

private:
    long long den_, stepQ_, stepR_, q_ = 0, r_ = 0;
};

// One axis of the transfer: a normalised source range [origin, origin +
// length) mapped onto a normalised destination range of `to` pixels whose
// first pixel is `destStart`.
struct Axis {
    long long origin;
    long long length;
    long long to;
    long long destStart;
    bool mirrored;

    // The source index for destination pixels walked from `first`.
    NearestStep StepFrom(long long first) const { return NearestStep(length, to, first - destStart); }
    long long SourceOf(long long t) const { return origin + (mirrored ? length - 1 - t : t); }

    // Walks destination pixels [from, until) and calls f(pixel, source) for
    // those whose source lies in [0, limit); answers the first and one past
    // the last such pixel. The mapping is monotonic, so they form one run.
    template <typename F>
    std::pair<int, int> Inside(int from, int until, long long limit, F&& f) const
    {
        int first = until, last = from - 1;
        NearestStep step = StepFrom(from);
        for (int i = from; i < until; ++i, step.Next()) {
            long long source = SourceOf(step.Value());
            if (source < 0 || source >= limit)
                continue;
            f(i, source);
            first = std::min(first, i);
            last = i;
        }
        return { first, last + 1 };
    }
};

Axis MakeAxis(int src, int srcExtent, int destStart, int destExtent)
{
    long long s = src, se = srcExtent, de = destExtent;
    return Axis { std::min(s, s + se), std::llabs(se), std::llabs(de), destStart, (se < 0) != (de < 0) };
}

// Whether the clip leaves row y of the box whole.
bool WholeRow(const BlitClip& clip, int y)
{
    int spans = 0;
    bool whole = false;
    clip.ForEachSpan(y, [&](int x0, int x1) {
        ++spans;
        whole = x0 == clip.Box().left && x1 == clip.Box().right;
    });
    return spans == 1 && whole;
}

// Draws the rows of the box, each from the source row the vertical axis
// gives it.
void DrawRows(DeviceContext& dc, const BlitClip& clip, const Axis& ay, const StretchRow& source, const void* bits,
    const RopSpan& op, bool plainCopy)
{
    const RECT box = clip.Box();
    const int n = box.right - box.left;
    const bool mono = dc.target->IsMonochrome();
    // A plain copy onto a colour surface writes a row that the clip leaves
    // whole straight from the picture, or from the row above when both show
    // the same source row; other rows go through a row buffer, made when
    // first needed.
    const bool direct = plainCopy && !mono;
    std::vector<std::uint32_t> row;
    long long bufferSource = -1, aboveSource = -1;
    const std::uint32_t* above = nullptr;
    NearestStep step = ay.StepFrom(box.top);
    for (int y = box.top; y < box.bottom; ++y, step.Next()) {
        const long long sy = ay.SourceOf(step.Value());
        if (direct && WholeRow(clip, y)) {
            std::uint32_t* out = clip.At(box.left, y);
            if (above && aboveSource == sy)
                std::memcpy(out, above, static_cast<std::size_t>(n) * sizeof *out);
            else
                source.Fill(bits, static_cast<int>(sy), out);
            above = out;
            aboveSource = sy;
            continue;
        }
        above = nullptr;
        if (sy != bufferSource) {
            row.resize(static_cast<std::size_t>(n));
            source.Fill(bits, static_cast<int>(sy), row.data());
            if (mono)
                for (std::uint32_t& p : row)
                    p = dc.target->Representable(p);
            bufferSource = sy;
        }
        clip.ForEachSpan(y, [&](int x0, int x1) { op.Apply(row.data() + (x0 - box.left), clip.At(x0, y), x1 - x0); });
    }
}

const RGBQUAD* ColorsOf(const BITMAPINFO* bmi)
{
    // The colour table follows the header, however long the header is.
    return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(bmi) + bmi->bmiHeader.biSize);
}

} // namespace

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
    int srcHeight, const void* bits, const BITMAPINFO* bmi, UINT usage, DWORD rop)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !dc->target || !bits || !bmi || usage != DIB_RGB_COLORS
        || bmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    std::optional<DibLayout> dib = DibLayout::From(bmi->bmiHeader, ColorsOf(bmi), ColorTable::kMaxEntries);
    if (!dib)
        return 0;
    for (long long e : { srcWidth, srcHeight, destWidth, destHeight })
        if (e == 0 || std::llabs(e) > kMaxExtent)
            return 0;

    // The destination rectangle's top-left corner, whichever way it runs.
    auto low = [](int start, int extent) {
        return static_cast<int>(std::max<long long>(std::min<long long>(start, 0LL + start + extent), INT32_MIN));
    };
    const POINT origin = dc->ToDevice(low(xDest, destWidth), low(yDest, destHeight));
    const Axis ax = MakeAxis(xSrc, srcWidth, origin.x, destWidth);
    Axis ay = MakeAxis(ySrc, srcHeight, origin.y, destHeight);
    // Source rows are counted from the picture's origin: its bottom-left
    // corner for a bottom-up DIB, its top-left corner for a top-down one;
    // in both cases they are memory rows. The answer is how many of the
    // rectangle's rows the picture has.
    const long long copied = std::min<long long>(ay.origin + ay.length, dib->Height())
        - std::max<long long>(ay.origin, 0);
    if (copied <= 0)
        return 0;
    if (!dib->TopDown())
        ay.mirrored = !ay.mirrored; // the rectangle's top is its highest memory row

    RopSpan op(rop, dc->target->Representable(PixelFromColorRef(dc->brush->color)));
    if (op.UsesPattern() && dc->brush->IsNull())
        return static_cast<int>(copied);

    BlitClip clip(*dc, RectAt(origin, ax.to, ay.to));
    if (clip.Empty())
        return static_cast<int>(copied);
    // Destination pixels whose source lies outside the picture are left
    // alone; the source columns of the rest make the row table.
    const RECT box = clip.Box();
    std::vector<int> columns(static_cast<std::size_t>(box.right - box.left));
    auto [left, right] = ax.Inside(box.left, box.right, dib->Width(),
        [&](int x, long long sx) { columns[static_cast<std::size_t>(x - box.left)] = static_cast<int>(sx); });
    auto [top, bottom] = ay.Inside(box.top, box.bottom, dib->Height(), [](int, long long) {});
    clip.Restrict(RECT { left, top, right, bottom });
    if (clip.Empty())
        return static_cast<int>(copied);
    columns.erase(columns.begin() + (right - box.left), columns.end());
    columns.erase(columns.begin(), columns.begin() + (left - box.left));

    DrawRows(*dc, clip, ay, StretchRow(*dib, std::move(columns)), bits, op, rop == SRCCOPY);
    clip.MarkDirty();
    return static_cast<int>(copied);
}
