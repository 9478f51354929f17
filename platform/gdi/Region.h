#pragma once

// A set of pixels kept as horizontal bands, the way GDI keeps regions: each
// band covers the rows top..bottom-1 and holds sorted, disjoint,
// non-touching spans left..right-1. Bands are sorted, do not overlap, hold at
// least one span each, and two bands that touch vertically never hold the
// same spans (they are merged). A point (x, y) is inside when
// left <= x < right and top <= y < bottom of some span of some band.
//
// Adding one-pixel rows in order (the way a skin's outline is built) appends
// to the last band or merges with it, so it costs no more than the row.

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
    // The ellipse inscribed in (l, t, r - 1, b - 1), as CreateEllipticRgn.
    static Region Ellipse(const RECT& box);

    bool IsEmpty() const { return bands_.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    RECT Bounds() const;
    bool Contains(int x, int y) const;
    bool Intersects(const RECT& r) const;

    void Offset(int dx, int dy);
    void Clear();

    Region Union(const Region& other) const;
    Region Intersect(const Region& other) const;
    Region Subtract(const Region& other) const;
    Region Xor(const Region& other) const;

    // Adds a rectangle by union; rectangles that arrive row by row, top to
    // bottom and left to right within a row, take the fast path.
    void AddRect(const RECT& r);

    bool operator==(const Region& other) const;

    const std::vector<Band>& Bands() const { return bands_; }
    const Span* SpansOf(const Band& b) const { return spans_.data() + b.firstSpan; }

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

private:
    std::vector<Band> bands_;
    std::vector<Span> spans_;
};

} // namespace gdi
