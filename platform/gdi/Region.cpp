#include "platform/gdi/Region.h"

#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace gdi {

namespace {

using Span = Region::Span;
using Band = Region::Band;

// Whether two span lists of equal length hold the same spans. Compares from
// the end: while a row is built left to right its last span is the one that
// keeps changing, so a difference usually shows there first.
bool SameSpans(const Span* a, const Span* b, std::uint32_t n)
{
    for (std::uint32_t i = n; i-- > 0;) {
        if (!(a[i] == b[i]))
            return false;
    }
    return true;
}

// Combines two sorted span lists of one row with a boolean operation on
// "inside a" and "inside b", appending the result (sorted, disjoint and
// non-touching) to out.
template <typename Op>
void CombineSpans(const Span* a, std::uint32_t na, const Span* b, std::uint32_t nb, Op op, std::vector<Span>& out)
{
    // Where only one list has spans the answer is that list or nothing.
    if (nb == 0 || na == 0) {
        bool keep = nb == 0 ? op(true, false) : op(false, true);
        if (keep)
            out.insert(out.end(), nb == 0 ? a : b, nb == 0 ? a + na : b + nb);
        return;
    }
    std::uint32_t ia = 0, ib = 0;
    bool inA = false, inB = false;
    bool inside = false;
    int start = 0;
    // Walk the edges of both lists in x order; each edge toggles one flag.
    // Edges at the same x are taken together, so spans that touch across
    // the two lists come out as one span.
    while (ia < na * 2 || ib < nb * 2) {
        int xa = ia < na * 2 ? ((ia & 1) ? a[ia / 2].right : a[ia / 2].left) : INT_MAX;
        int xb = ib < nb * 2 ? ((ib & 1) ? b[ib / 2].right : b[ib / 2].left) : INT_MAX;
        int x = std::min(xa, xb);
        if (xa == x) {
            inA = !(ia & 1);
            ++ia;
        }
        if (xb == x) {
            inB = !(ib & 1);
            ++ib;
        }
        bool now = op(inA, inB);
        if (now == inside)
            continue;
        if (now)
            start = x;
        else
            out.push_back(Span { start, x });
        inside = now;
    }
}

// Builds a region band by band, merging a band into the one above when they
// touch and hold the same spans.
class RegionBuilder {
public:
    RegionBuilder(std::vector<Band>& bands, std::vector<Span>& spans)
        : bands_(bands)
        , spans_(spans)
    {
    }

    // Spans for rows top..bottom-1 must already be appended to spans_ from
    // index first on; bands must come top to bottom.
    void Commit(int top, int bottom, std::uint32_t first)
    {
        auto count = static_cast<std::uint32_t>(spans_.size() - first);
        if (count == 0 || top >= bottom) {
            spans_.resize(first);
            return;
        }
        if (!bands_.empty()) {
            Band& last = bands_.back();
            assert(last.bottom <= top);
            if (last.bottom == top && last.spanCount == count
                && SameSpans(spans_.data() + last.firstSpan, spans_.data() + first, count)) {
                last.bottom = bottom;
                spans_.resize(first);
                return;
            }
        }
        bands_.push_back(Band { top, bottom, first, count });
    }

private:
    std::vector<Band>& bands_;
    std::vector<Span>& spans_;
};

// The general boolean combination. One sweep from top to bottom over the
// band boundaries of both regions: between two neighbouring boundaries
// both regions are constant, so the result there is one band. The sweep
// meets every band of either input once per boundary it spans, so the
// work grows with the sizes of the inputs and of the result, never with a
// sort.
template <typename Op>
Region Combine(const Region& a, const Region& b, Op op)
{
    const std::vector<Band>& ba = a.Bands();
    const std::vector<Band>& bb = b.Bands();
    std::vector<Band> bands;
    std::vector<Span> spans;
    bands.reserve(ba.size() + bb.size());
    spans.reserve(a.SpanTotal() + b.SpanTotal());
    RegionBuilder builder(bands, spans);

    std::size_t ia = 0, ib = 0;
    int y = INT_MIN;
    while (ia < ba.size() || ib < bb.size()) {
        // A band is current when it covers y; otherwise its top is the next
        // place where something changes.
        int next = INT_MAX;
        const Band* pa = nullptr;
        const Band* pb = nullptr;
        if (ia < ba.size()) {
            pa = ba[ia].top <= y ? &ba[ia] : nullptr;
            next = std::min(next, pa ? pa->bottom : ba[ia].top);
        }
        if (ib < bb.size()) {
            pb = bb[ib].top <= y ? &bb[ib] : nullptr;
            next = std::min(next, pb ? pb->bottom : bb[ib].top);
        }
        assert(next > y);
        if (pa || pb) {
            auto first = static_cast<std::uint32_t>(spans.size());
            CombineSpans(pa ? a.SpansOf(*pa) : nullptr, pa ? pa->spanCount : 0, pb ? b.SpansOf(*pb) : nullptr,
                pb ? pb->spanCount : 0, op, spans);
            builder.Commit(y, next, first);
        }
        y = next;
        if (ia < ba.size() && ba[ia].bottom <= y)
            ++ia;
        if (ib < bb.size() && bb[ib].bottom <= y)
            ++ib;
    }
    Region result;
    result.Assign(std::move(bands), std::move(spans));
    return result;
}

} // namespace

Region::Region(const RECT& r)
{
    if (r.left < r.right && r.top < r.bottom) {
        spans_.push_back(Span { r.left, r.right });
        bands_.push_back(Band { r.top, r.bottom, 0, 1 });
    }
}

Region Region::FromCorners(int x1, int y1, int x2, int y2)
{
    return Region(RECT { std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2) });
}

int Region::Complexity() const
{
    if (bands_.empty())
        return NULLREGION;
    return (bands_.size() == 1 && bands_[0].spanCount == 1) ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::Bounds() const
{
    if (bands_.empty())
        return RECT { 0, 0, 0, 0 };
    RECT r { INT_MAX, bands_.front().top, INT_MIN, bands_.back().bottom };
    for (const Band& b : bands_) {
        const Span* s = SpansOf(b);
        r.left = std::min(r.left, s[0].left);
        r.right = std::max(r.right, s[b.spanCount - 1].right);
    }
    return r;
}

const Region::Band* Region::FindBand(int y) const
{
    auto it = std::upper_bound(bands_.begin(), bands_.end(), y, [](int v, const Band& b) { return v < b.bottom; });
    if (it == bands_.end() || y < it->top)
        return nullptr;
    return &*it;
}

bool Region::Contains(int x, int y) const
{
    bool inside = false;
    ForEachSpan(y, x, x + 1, [&](int, int) { inside = true; });
    return inside;
}

bool Region::Intersects(const RECT& r) const
{
    if (r.left >= r.right || r.top >= r.bottom)
        return false;
    // Only the bands that reach below r.top and start above r.bottom matter.
    auto it = std::upper_bound(bands_.begin(), bands_.end(), r.top, [](int v, const Band& b) { return v < b.bottom; });
    for (; it != bands_.end() && it->top < r.bottom; ++it) {
        const Span* s = SpansOf(*it);
        for (std::uint32_t i = 0; i < it->spanCount && s[i].left < r.right; ++i) {
            if (s[i].right > r.left)
                return true;
        }
    }
    return false;
}

void Region::Offset(int dx, int dy)
{
    for (Band& b : bands_) {
        b.top += dy;
        b.bottom += dy;
    }
    for (Span& s : spans_) {
        s.left += dx;
        s.right += dx;
    }
}

void Region::Clear()
{
    bands_.clear();
    spans_.clear();
}

void Region::Assign(std::vector<Band> bands, std::vector<Span> spans)
{
    bands_ = std::move(bands);
    spans_ = std::move(spans);
    assert(WellFormed());
}

bool Region::WellFormed() const
{
    std::uint32_t next = 0;
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        const Band& b = bands_[i];
        if (b.top >= b.bottom || b.spanCount == 0 || b.firstSpan != next)
            return false;
        next += b.spanCount;
        if (next > spans_.size())
            return false;
        const Span* s = SpansOf(b);
        for (std::uint32_t k = 0; k < b.spanCount; ++k) {
            if (s[k].left >= s[k].right || (k > 0 && s[k - 1].right >= s[k].left))
                return false;
        }
        if (i > 0) {
            const Band& above = bands_[i - 1];
            if (above.bottom > b.top)
                return false;
            if (above.bottom == b.top && above.spanCount == b.spanCount && SameSpans(SpansOf(above), s, b.spanCount))
                return false;
        }
    }
    return next == spans_.size();
}

Region Region::Union(const Region& other) const
{
    return Combine(*this, other, [](bool a, bool b) { return a || b; });
}

Region Region::Intersect(const Region& other) const
{
    return Combine(*this, other, [](bool a, bool b) { return a && b; });
}

Region Region::Subtract(const Region& other) const
{
    return Combine(*this, other, [](bool a, bool b) { return a && !b; });
}

Region Region::Xor(const Region& other) const
{
    return Combine(*this, other, [](bool a, bool b) { return a != b; });
}

bool Region::Apply(int mode, const Region& a, const Region& b, Region& out)
{
    switch (mode) {
    case RGN_COPY:
        if (&out != &a)
            out = a;
        return true;
    case RGN_OR:
        // Adding one rectangle to the region being built is the common case
        // and has a cheap path; union is symmetric, so either side may be it.
        if (&out == &a && b.Complexity() == SIMPLEREGION) {
            out.AddRect(b.Bounds());
            return true;
        }
        if (&out == &b && a.Complexity() == SIMPLEREGION) {
            out.AddRect(a.Bounds());
            return true;
        }
        out = a.Union(b);
        return true;
    case RGN_AND:
        out = a.Intersect(b);
        return true;
    case RGN_XOR:
        out = a.Xor(b);
        return true;
    case RGN_DIFF:
        out = a.Subtract(b);
        return true;
    default:
        return false;
    }
}

void Region::AddRect(const RECT& r)
{
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    if (bands_.empty()) {
        *this = Region(r);
        return;
    }
    const Band& last = bands_.back();
    if (r.top >= last.bottom)
        AppendBand(r);
    else if (r.top >= last.top && r.bottom == last.bottom && r.left >= spans_.back().left)
        ExtendLastBand(r);
    else
        *this = Union(Region(r));
}

// r lies wholly below the last band.
void Region::AppendBand(const RECT& r)
{
    auto first = static_cast<std::uint32_t>(spans_.size());
    spans_.push_back(Span { r.left, r.right });
    bands_.push_back(Band { r.top, r.bottom, first, 1 });
    MergeLastBand();
}

// r covers the bottom rows of the last band (perhaps all of them) and
// starts no further left than the band's last span.
void Region::ExtendLastBand(const RECT& r)
{
    if (r.right <= spans_.back().right)
        return; // already inside the last span
    Band& last = bands_.back();
    if (r.top > last.top) {
        // Only the rows from r.top down change: they become a band of their
        // own, starting as a copy of the spans above. This is also how a row
        // that was merged into the band above splits off again when it gets
        // another span.
        int bottom = last.bottom;
        auto first = static_cast<std::uint32_t>(spans_.size());
        std::uint32_t count = last.spanCount;
        last.bottom = r.top;
        // Grow geometrically before copying from the array into itself.
        if (spans_.capacity() < spans_.size() + count)
            spans_.reserve(std::max(spans_.capacity() * 2, spans_.size() + count));
        for (std::uint32_t i = 0; i < count; ++i)
            spans_.push_back(spans_[last.firstSpan + i]);
        bands_.push_back(Band { r.top, bottom, first, count });
    }
    Span& tail = spans_.back();
    if (r.left <= tail.right) {
        tail.right = r.right;
    } else {
        spans_.push_back(Span { r.left, r.right });
        ++bands_.back().spanCount;
    }
    MergeLastBand();
}

// Merges the last band into the one above if they touch and now hold the
// same spans.
void Region::MergeLastBand()
{
    std::size_t n = bands_.size();
    if (n < 2)
        return;
    Band& above = bands_[n - 2];
    const Band& last = bands_[n - 1];
    if (above.bottom != last.top || above.spanCount != last.spanCount
        || !SameSpans(SpansOf(above), SpansOf(last), last.spanCount))
        return;
    above.bottom = last.bottom;
    spans_.resize(last.firstSpan);
    bands_.pop_back();
}

bool Region::operator==(const Region& other) const
{
    if (bands_.size() != other.bands_.size() || spans_.size() != other.spans_.size())
        return false;
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        const Band& a = bands_[i];
        const Band& b = other.bands_[i];
        if (a.top != b.top || a.bottom != b.bottom || a.spanCount != b.spanCount)
            return false;
    }
    // The spans of both sit in band order with nothing between them.
    return SameSpans(spans_.data(), other.spans_.data(), static_cast<std::uint32_t>(spans_.size()));
}

namespace {

// How many pixels row j of an elliptic region leaves out at each end, for a
// region box of w x h pixels. The rule, in the box's own pixel grid with
// pixel centres at half-integers:
//
//   a pixel is inside when its centre lies inside or on the ellipse that
//   touches the middle of all four sides of the box, that is when
//   (2x + 1 - w)^2 * h^2 + (2y + 1 - h)^2 * w^2 <= w^2 * h^2;
//
// and, so that the region reaches every side of its box however thin it is,
// the middle row (both middle rows when h is even) covers the whole width,
// and every row covers at least the middle pixel (both middle pixels when w
// is even). The rule depends only on the distances from the centre, so the
// region is symmetric left to right and top to bottom. All of it is exact
// integer arithmetic.
std::int64_t EllipseInset(std::int64_t w, std::int64_t h, std::int64_t j)
{
    using Wide = unsigned __int128;
    std::int64_t dy = std::llabs(2 * j + 1 - h);
    if (dy <= 1)
        return 0;
    // t is the largest whole number with t^2 h^2 <= m. The outermost pixel
    // inside is the one whose dx = |2x + 1 - w| (which has the parity of
    // w - 1) is the largest not above t.
    Wide m = Wide(w) * Wide(w) * (Wide(h) * Wide(h) - Wide(dy) * Wide(dy));
    auto fits = [&](std::int64_t t) { return Wide(t) * Wide(t) * Wide(h) * Wide(h) <= m; };
    auto t = static_cast<std::int64_t>(std::sqrt(static_cast<double>(m)) / static_cast<double>(h));
    t = std::clamp<std::int64_t>(t, 0, w - 1);
    while (t > 0 && !fits(t))
        --t;
    while (t < w - 1 && fits(t + 1))
        ++t;
    std::int64_t inset = (w - 1 - t + 1) / 2; // ceil((w - 1 - t) / 2)
    return std::min(inset, (w - 1) / 2);
}

} // namespace

Region Region::Ellipse(const RECT& box)
{
    std::int64_t left = std::min(box.left, box.right);
    std::int64_t top = std::min(box.top, box.bottom);
    std::int64_t w = std::int64_t(std::max(box.left, box.right)) - 1 - left;
    std::int64_t h = std::int64_t(std::max(box.top, box.bottom)) - 1 - top;
    if (w <= 0 || h <= 0)
        return Region();
    std::vector<Band> bands;
    std::vector<Span> spans;
    RegionBuilder builder(bands, spans);
    for (std::int64_t j = 0; j < h; ++j) {
        std::int64_t inset = EllipseInset(w, h, j);
        auto first = static_cast<std::uint32_t>(spans.size());
        spans.push_back(Span { static_cast<int>(left + inset), static_cast<int>(left + w - inset) });
        builder.Commit(static_cast<int>(top + j), static_cast<int>(top + j + 1), first);
    }
    Region result;
    result.Assign(std::move(bands), std::move(spans));
    return result;
}

} // namespace gdi
