// Building a region one rectangle at a time with CombineRgn(RGN_OR), the way
// a skinned window's outline is built, and long random sequences of region
// operations checked against a plain set of pixels.

#include "tests/platform/region/RegionTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <vector>

using namespace regiontest;

namespace {

// Bands as text: "top-bottom:left-right,left-right;" for each band.
std::string BandsOf(HRGN rgn)
{
    const gdi::Region& r = RegionOf(rgn);
    std::ostringstream s;
    for (const auto& b : r.Bands()) {
        s << b.top << '-' << b.bottom << ':';
        for (std::uint32_t i = 0; i < b.spanCount; ++i)
            s << (i ? "," : "") << r.SpansOf(b)[i].left << '-' << r.SpansOf(b)[i].right;
        s << ';';
    }
    return s.str();
}

void Add(HRGN rgn, const RECT& r, int mode = RGN_OR)
{
    HRGN piece = CreateRectRgnIndirect(&r);
    CombineRgn(rgn, rgn, piece, mode);
    DeleteObject(piece);
}

} // namespace

TEST(RegionBuild, RectangleByRectangleKeepsBandsMinimal)
{
    const struct {
        const char* name;
        std::vector<RECT> rects;
        const char* bands;
    } cases[] = {
        { "rows with the same runs merge", { { 0, 0, 2, 1 }, { 4, 0, 6, 1 }, { 0, 1, 2, 2 }, { 4, 1, 6, 2 } },
            "0-2:0-2,4-6;" },
        { "a merged row splits off when it gets another run",
            { { 0, 0, 2, 1 }, { 4, 0, 6, 1 }, { 0, 1, 2, 2 }, { 4, 1, 6, 2 }, { 8, 1, 9, 2 } },
            "0-1:0-2,4-6;1-2:0-2,4-6,8-9;" },
        { "a merged row splits off when its last run grows", { { 0, 0, 2, 1 }, { 0, 1, 2, 2 }, { 2, 1, 3, 2 } },
            "0-1:0-2;1-2:0-3;" },
        { "a run inside the last span changes nothing", { { 0, 0, 5, 1 }, { 0, 1, 5, 2 }, { 1, 1, 3, 2 } },
            "0-2:0-5;" },
        { "touching runs join", { { 0, 0, 2, 1 }, { 2, 0, 4, 1 }, { 3, 0, 7, 1 } }, "0-1:0-7;" },
        { "a run starting left of the last span", { { 0, 0, 2, 1 }, { 4, 0, 6, 1 }, { 3, 0, 8, 1 } }, "0-1:0-2,3-8;" },
        { "a row below a gap", { { 0, 0, 2, 1 }, { 0, 3, 2, 4 } }, "0-1:0-2;3-4:0-2;" },
        { "rows that differ, then merge back",
            { { 0, 0, 2, 1 }, { 4, 0, 6, 1 }, { 0, 1, 2, 2 }, { 4, 1, 6, 2 }, { 0, 2, 2, 3 }, { 4, 2, 6, 3 } },
            "0-3:0-2,4-6;" },
        { "the bottom rows of a tall band", { { 0, 0, 4, 4 }, { 6, 2, 8, 4 } }, "0-2:0-4;2-4:0-4,6-8;" },
        { "a row above", { { 0, 2, 2, 3 }, { 0, 0, 2, 1 } }, "0-1:0-2;2-3:0-2;" },
        { "a rectangle reaching below the last band", { { 0, 0, 2, 2 }, { 4, 1, 6, 3 } },
            "0-1:0-2;1-2:0-2,4-6;2-3:4-6;" },
        { "the top rows of the last band", { { 0, 0, 2, 3 }, { 4, 0, 6, 1 } }, "0-1:0-2,4-6;1-3:0-2;" },
    };
    for (const auto& c : cases) {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        for (const RECT& r : c.rects)
            Add(rgn, r);
        EXPECT_EQ(BandsOf(rgn), c.bands) << c.name;
        DeleteObject(rgn);
    }
}

TEST(RegionBuild, RunByRunFromATwoColourBitmapEqualsItsPixels)
{
    const int width = 41, height = 29, ox = -7, oy = 3; // window coordinates need not start at 0
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        // Rows often repeat the row above, sometimes with one more run at
        // the right, so that bands merge and split again.
        std::mt19937 rng(seed);
        std::vector<std::vector<bool>> rows(height, std::vector<bool>(width));
        for (int y = 0; y < height; ++y) {
            unsigned kind = rng() % 10;
            if (y > 0 && kind < 6)
                rows[y] = rows[y - 1];
            if (kind >= 4 && kind < 6)
                for (int x = width - 1 - static_cast<int>(rng() % 6); x < width; ++x)
                    rows[y][x] = true;
            if (kind >= 6)
                for (int x = 0; x < width; ++x)
                    rows[y][x] = rng() % 3 == 0;
        }
        HRGN forward = CreateRectRgn(0, 0, 0, 0), backward = CreateRectRgn(0, 0, 0, 0);
        std::vector<RECT> runs;
        for (int y = 0; y < height; ++y)
            for (int x = 0, end; x < width; x = end) {
                for (end = x; end < width && rows[y][end] == rows[y][x];)
                    ++end;
                if (rows[y][x])
                    runs.push_back(RECT { ox + x, oy + y, ox + end, oy + y + 1 });
            }
        for (const RECT& r : runs) {
            Add(forward, r);
            ASSERT_TRUE(RegionOf(forward).WellFormed()) << "seed " << seed << ": " << BandsOf(forward);
        }
        for (auto it = runs.rbegin(); it != runs.rend(); ++it)
            Add(backward, *it); // the other way round takes the general union
        const RECT area { ox - 1, oy - 1, ox + width + 1, oy + height + 1 };
        EXPECT_EQ(Mask(forward, area),
            Mask(area,
                [&](int x, int y) {
                    return x >= ox && y >= oy && x < ox + width && y < oy + height && rows[y - oy][x - ox];
                }))
            << "seed " << seed;
        EXPECT_TRUE(EqualRgn(forward, backward)) << "seed " << seed;
        DeleteObject(forward);
        DeleteObject(backward);
    }
}

TEST(RegionModel, RandomOperationsMatchASetOfPixels)
{
    using Pixels = std::set<std::pair<int, int>>;
    auto pixelsOf = [](const gdi::Region& reg, int dx, int dy) {
        Pixels p;
        reg.ForEachRect([&](const RECT& r) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    p.insert({ x + dx, y + dy });
        });
        return p;
    };
    for (std::uint32_t seed : { 7u, 1234u, 99991u }) {
        std::mt19937 rng(seed);
        auto between = [&](int lo, int hi) {
            return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
        };
        auto randomRect = [&] { return RECT { between(0, 15), between(0, 15), between(0, 15), between(0, 15) }; };
        HRGN pool[4];
        Pixels model[4];
        for (int i = 0; i < 4; ++i)
            pool[i] = CreateRectRgn(0, 0, 0, 0);
        for (int step = 0; step < 600; ++step) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step);
            int d = between(0, 3), kind = between(0, 9), mode = between(RGN_AND, RGN_COPY);
            Pixels a, b;
            if (kind < 4) { // any two of the pool, aliasing included
                int s1 = between(0, 3), s2 = between(0, 3);
                a = model[s1], b = model[s2];
                CombineRgn(pool[d], pool[s1], pool[s2], mode);
            } else if (kind < 9) {
                // Mostly what row-by-row building adds: rectangles below the
                // last band, or on its bottom rows near its last span.
                RECT r = randomRect();
                const gdi::Region& reg = RegionOf(pool[d]);
                if (!reg.IsEmpty() && kind < 8) {
                    const auto& last = reg.Bands().back();
                    const auto& tail = reg.SpansOf(last)[last.spanCount - 1];
                    int top = kind < 7 ? between(last.top, last.bottom - 1) : last.bottom + between(0, 1);
                    int left = kind < 6 ? tail.right + between(-1, 2) : tail.left + between(-2, 1);
                    r = RECT { left, top, left + between(1, 4), kind < 7 ? last.bottom : top + between(1, 2) };
                }
                mode = kind % 2 || mode == RGN_COPY ? RGN_OR : mode;
                a = model[d];
                HRGN piece = CreateRectRgnIndirect(&r); // corners in any order
                b = pixelsOf(gdi::Region::FromCorners(r.left, r.top, r.right, r.bottom), 0, 0);
                CombineRgn(pool[d], pool[d], piece, mode);
                DeleteObject(piece);
            } else {
                int dx = between(-2, 2), dy = between(-2, 2);
                a = pixelsOf(RegionOf(pool[d]), dx, dy);
                mode = RGN_COPY;
                OffsetRgn(pool[d], dx, dy);
            }
            model[d].clear();
            for (const auto& p : a)
                if (mode == RGN_COPY || mode == RGN_OR || (mode == RGN_AND) == (b.count(p) != 0))
                    model[d].insert(p);
            for (const auto& p : b)
                if ((mode == RGN_OR || mode == RGN_XOR) && !a.count(p))
                    model[d].insert(p);
            ASSERT_TRUE(RegionOf(pool[d]).WellFormed());
            ASSERT_EQ(pixelsOf(RegionOf(pool[d]), 0, 0), model[d]);
            RECT probe = randomRect(),
                 ordered = gdi::Region::FromCorners(probe.left, probe.top, probe.right, probe.bottom).Bounds();
            bool hit = std::any_of(model[d].begin(), model[d].end(),
                [&](const auto& p) { return In(ordered, p.first, p.second); });
            ASSERT_EQ(RectInRegion(pool[d], &probe) != FALSE, hit);
        }
        for (HRGN h : pool)
            DeleteObject(h);
    }
}
