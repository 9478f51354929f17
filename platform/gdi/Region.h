#pragma once

// A set of pixels kept as horizontal bands, the way GDI keeps regions: each
// band covers the rows top..bottom-1 and holds sorted, disjoint,
// non-touching spans left..right-1. Bands are sorted, do not overlap, hold at
// least one span each, and two bands that touch vertically never hold the
// same spans (they are merged). A point (x, y) is inside when
// left <= x < right and top <= y < bottom of some span of some band.
//
// The spans of all bands sit in one array in band order, with nothing
// between them, so the spans of the last band are always the tail of it.
// That is what makes the common way of building a region cheap: adding
// rectangles row by row, top to bottom and left to right within a row (the
// way a skin's outline is built), only ever touches the end of both arrays.

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <vector>

namespace gdi {

class Region {
public:
    struct Span {
        int left;
        int right;
        bool operator==(const Span&) const = default;
    };
    struct Band {
        int top;
        int bottom;
        std::uint32_t firstSpan; // index into spans_
        std::uint32_t spanCount;
    };

    Region() = default;
    explicit Region(const RECT& r);
    // The rectangle between two corners given in any order.
    static Region FromCorners(int x1, int y1, int x2, int y2);
    // The ellipse inscribed in (l, t, r - 1, b - 1), as CreateEllipticRgn;
    // the corners may come in any order. See Region.cpp for which pixels
    // count as inside.
    static Region Ellipse(const RECT& box);

    bool IsEmpty() const { return bands_.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    RECT Bounds() const;
    bool Contains(int x, int y) const;
    // Whether any pixel of r (right and bottom edges excluded) is inside.
    bool Intersects(const RECT& r) const;

    void Offset(int dx, int dy);
    void Clear();

    Region Union(const Region& other) const;
    Region Intersect(const Region& other) const;
    Region Subtract(const Region& other) const;
    Region Xor(const Region& other) const;

    // out = a <mode> b for RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF and RGN_COPY
    // (which takes a). out may be a or b. A union into a that adds a single
    // rectangle goes through AddRect, so building a region rectangle by
    // rectangle stays cheap. Answers false, leaving out alone, for any other
    // mode.
    static bool Apply(int mode, const Region& a, const Region& b, Region& out);

    // Adds a rectangle by union. A rectangle below the last band, or on the
    // last band's bottom rows and not left of its last span, is appended in
    // amortised constant time; anything else takes the general union.
    void AddRect(const RECT& r);

    bool operator==(const Region& other) const;

    const std::vector<Band>& Bands() const { return bands_; }
    const Span* SpansOf(const Band& b) const { return spans_.data() + b.firstSpan; }
    std::size_t SpanTotal() const { return spans_.size(); }

    // Calls f(left, right) for every piece of [x0, x1) on row y that lies
    // inside the region, left to right.
    template <typename F>
    void ForEachSpan(int y, int x0, int x1, F&& f) const
    {
        const Band* band = FindBand(y);
        if (!band)
            return;
        const Span* s = SpansOf(*band);
        for (std::uint32_t i = 0; i < band->spanCount; ++i) {
            if (s[i].right <= x0)
                continue;
            if (s[i].left >= x1)
                break;
            f(s[i].left < x0 ? x0 : s[i].left, s[i].right > x1 ? x1 : s[i].right);
        }
    }

    // Calls f(rect) for every rectangle of the region, band by band.
    template <typename F>
    void ForEachRect(F&& f) const
    {
        for (const Band& b : bands_) {
            const Span* s = SpansOf(b);
            for (std::uint32_t i = 0; i < b.spanCount; ++i)
                f(RECT { s[i].left, b.top, s[i].right, b.bottom });
        }
    }

    // The band holding row y, or null.
    const Band* FindBand(int y) const;

    // Takes bands and spans that already keep the invariants above.
    void Assign(std::vector<Band> bands, std::vector<Span> spans);

    // Whether the bands and spans keep every invariant above; for asserts.
    bool WellFormed() const;

private:
    void AppendBand(const RECT& r);
    void ExtendLastBand(const RECT& r);
    void MergeLastBand();

    std::vector<Band> bands_;
    std::vector<Span> spans_;
};

} // namespace gdi
