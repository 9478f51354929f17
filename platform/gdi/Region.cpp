#include "platform/gdi/Region.h"

#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace gdi {

namespace {

using Span = Region::Span;

// Combines two sorted span lists of one row with a boolean operation on
// "inside a" and "inside b", appending the result (sorted, disjoint and
// non-touching) to out.
template <typename Op>
void CombineSpans(const Span* a, std::uint32_t na, const Span* b, std::uint32_t nb, Op op, std::vector<Span>& out)
{
    std::uint32_t ia = 0, ib = 0;
    bool inA = false, inB = false;
    bool inside = false;
    int start = 0;
    // Walk the edges of both lists in x order; each edge toggles one flag.
    while (ia < na * 2 || ib < nb * 2) {
        int xa = ia < na * 2 ? ((ia & 1) ? a[ia / 2].right : a[ia / 2].left) : INT32_MAX;
        int xb = ib < nb * 2 ? ((ib & 1) ? b[ib / 2].right : b[ib / 2].left) : INT32_MAX;
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
        if (now) {
            start = x;
        } else if (x > start) {
            out.push_back(Span { start, x });
        }
        inside = now;
    }
}

} // namespace

Region::Region(const RECT& r)
{
    if (r.left < r.right && r.top < r.bottom) {
        spans_.push_back(Span { r.left, r.right });
        bands_.push_back(Band { r.top, r.bottom, 0, 1 });
    }
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
    RECT r { INT32_MAX, bands_.front().top, INT32_MIN, bands_.back().bottom };
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
    return !Intersect(Region(r)).IsEmpty();
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

namespace {

// Builds a region band by band, merging a band into the one above when they
// touch and hold the same spans.
class RegionBuilder {
public:
    RegionBuilder(std::vector<Region::Band>& bands, std::vector<Span>& spans)
        : bands_(bands)
        , spans_(spans)
    {
    }

    // Spans for rows top..bottom-1 must already be appended to spans_ from
    // index first on.
    void Commit(int top, int bottom, std::uint32_t first)
    {
        auto count = static_cast<std::uint32_t>(spans_.size() - first);
        if (count == 0 || top >= bottom) {
            spans_.resize(first);
            return;
        }
        if (!bands_.empty()) {
            Region::Band& last = bands_.back();
            if (last.bottom == top && last.spanCount == count
                && std::equal(spans_.begin() + last.firstSpan, spans_.begin() + last.firstSpan + count,
                    spans_.begin() + first)) {
                last.bottom = bottom;
                spans_.resize(first);
                return;
            }
        }
        bands_.push_back(Region::Band { top, bottom, first, count });
    }

private:
    std::vector<Region::Band>& bands_;
    std::vector<Span>& spans_;
};

template <typename Op>
Region Combine(const Region& a, const Region& b, Op op)
{
    // Every row boundary of either region; between two neighbouring ones both
    // regions are constant, so the result is one band.
    std::vector<int> ys;
    ys.reserve((a.Bands().size() + b.Bands().size()) * 2);
    for (const auto& band : a.Bands()) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    for (const auto& band : b.Bands()) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region result;
    std::vector<Region::Band> bands;
    std::vector<Span> spans;
    RegionBuilder builder(bands, spans);
    std::size_t ia = 0, ib = 0;
    const auto& ba = a.Bands();
    const auto& bb = b.Bands();
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        int top = ys[i], bottom = ys[i + 1];
        while (ia < ba.size() && ba[ia].bottom <= top)
            ++ia;
        while (ib < bb.size() && bb[ib].bottom <= top)
            ++ib;
        const Region::Band* pa = (ia < ba.size() && ba[ia].top <= top) ? &ba[ia] : nullptr;
        const Region::Band* pb = (ib < bb.size() && bb[ib].top <= top) ? &bb[ib] : nullptr;
        auto first = static_cast<std::uint32_t>(spans.size());
        CombineSpans(pa ? a.SpansOf(*pa) : nullptr, pa ? pa->spanCount : 0, pb ? b.SpansOf(*pb) : nullptr,
            pb ? pb->spanCount : 0, op, spans);
        builder.Commit(top, bottom, first);
    }
    result.Assign(std::move(bands), std::move(spans));
    return result;
}

} // namespace

void Region::Assign(std::vector<Band> bands, std::vector<Span> spans)
{
    bands_ = std::move(bands);
    spans_ = std::move(spans);
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

void Region::AddRect(const RECT& r)
{
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    *this = Union(Region(r));
}

bool Region::operator==(const Region& other) const
{
    if (bands_.size() != other.bands_.size())
        return false;
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        const Band& a = bands_[i];
        const Band& b = other.bands_[i];
        if (a.top != b.top || a.bottom != b.bottom || a.spanCount != b.spanCount
            || !std::equal(SpansOf(a), SpansOf(a) + a.spanCount, other.SpansOf(b)))
            return false;
    }
    return true;
}

Region Region::Ellipse(const RECT& box)
{
    // Placeholder geometry: the box itself. The elliptic outline follows.
    return Region(RECT { box.left, box.top, box.right - 1, box.bottom - 1 });
}

} // namespace gdi
