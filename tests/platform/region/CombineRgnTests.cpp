// CombineRgn in every mode over pairs of rectangles that overlap, touch,
// nest and are disjoint; a destination that is one of the sources; and what
// the region functions answer for bad handles.

#include "tests/platform/region/RegionTestKit.h"

#include <gtest/gtest.h>

using namespace regiontest;

namespace {

struct Outcome {
    int code;
    RECT box;
};

constexpr RECT kNone { 0, 0, 0, 0 };

// The outcomes are for RGN_AND, RGN_OR, RGN_XOR and RGN_DIFF in that order.
const struct {
    const char* name;
    RECT a, b;
    Outcome out[4];
} kPairs[] = {
    { "overlapping", { 0, 0, 6, 6 }, { 3, 3, 9, 9 },
        { { SIMPLEREGION, { 3, 3, 6, 6 } }, { COMPLEXREGION, { 0, 0, 9, 9 } }, { COMPLEXREGION, { 0, 0, 9, 9 } },
            { COMPLEXREGION, { 0, 0, 6, 6 } } } },
    { "overlapping on the same rows", { 0, 0, 6, 4 }, { 3, 0, 9, 4 },
        { { SIMPLEREGION, { 3, 0, 6, 4 } }, { SIMPLEREGION, { 0, 0, 9, 4 } }, { COMPLEXREGION, { 0, 0, 9, 4 } },
            { SIMPLEREGION, { 0, 0, 3, 4 } } } },
    { "touching side by side", { 0, 0, 4, 4 }, { 4, 0, 8, 4 },
        { { NULLREGION, kNone }, { SIMPLEREGION, { 0, 0, 8, 4 } }, { SIMPLEREGION, { 0, 0, 8, 4 } },
            { SIMPLEREGION, { 0, 0, 4, 4 } } } },
    { "touching with a step", { 0, 0, 4, 4 }, { 4, 2, 8, 6 },
        { { NULLREGION, kNone }, { COMPLEXREGION, { 0, 0, 8, 6 } }, { COMPLEXREGION, { 0, 0, 8, 6 } },
            { SIMPLEREGION, { 0, 0, 4, 4 } } } },
    { "second nested in first", { 0, 0, 8, 8 }, { 0, 2, 5, 5 },
        { { SIMPLEREGION, { 0, 2, 5, 5 } }, { SIMPLEREGION, { 0, 0, 8, 8 } }, { COMPLEXREGION, { 0, 0, 8, 8 } },
            { COMPLEXREGION, { 0, 0, 8, 8 } } } },
    { "first nested in second", { 2, 2, 5, 5 }, { 0, 0, 8, 8 },
        { { SIMPLEREGION, { 2, 2, 5, 5 } }, { SIMPLEREGION, { 0, 0, 8, 8 } }, { COMPLEXREGION, { 0, 0, 8, 8 } },
            { NULLREGION, kNone } } },
    { "disjoint", { 0, 0, 3, 3 }, { 5, 5, 8, 8 },
        { { NULLREGION, kNone }, { COMPLEXREGION, { 0, 0, 8, 8 } }, { COMPLEXREGION, { 0, 0, 8, 8 } },
            { SIMPLEREGION, { 0, 0, 3, 3 } } } },
    { "identical", { 1, 1, 5, 4 }, { 1, 1, 5, 4 },
        { { SIMPLEREGION, { 1, 1, 5, 4 } }, { SIMPLEREGION, { 1, 1, 5, 4 } }, { NULLREGION, kNone },
            { NULLREGION, kNone } } },
};

bool TruthTable(int mode, bool a, bool b)
{
    return mode == RGN_AND ? a && b
        : mode == RGN_OR   ? a || b
        : mode == RGN_XOR  ? a != b
        : mode == RGN_DIFF ? a && !b
                           : a;
}

} // namespace

TEST(CombineRgn, EveryModeOverRectanglePairs)
{
    const RECT area { -1, -1, 10, 10 };
    for (const auto& c : kPairs) {
        for (int mode = RGN_AND; mode <= RGN_COPY; ++mode) {
            SCOPED_TRACE(testing::Message() << c.name << ", mode " << mode);
            Outcome want = mode == RGN_COPY ? Outcome { SIMPLEREGION, c.a } : c.out[mode - RGN_AND];
            HRGN a = CreateRectRgnIndirect(&c.a), b = CreateRectRgnIndirect(&c.b);
            HRGN out = CreateRectRgn(20, 20, 30, 30); // whatever it held is replaced
            EXPECT_EQ(CombineRgn(out, a, b, mode), want.code);
            EXPECT_EQ(BoxOf(out), want.box);
            EXPECT_EQ(Mask(out, area),
                Mask(area, [&](int x, int y) { return TruthTable(mode, In(c.a, x, y), In(c.b, x, y)); }));
            EXPECT_TRUE(RegionOf(out).WellFormed());
            EXPECT_EQ(BoxOf(a), c.a) << "a source is left alone";
            for (HRGN h : { a, b, out })
                DeleteObject(h);
        }
    }
}

TEST(CombineRgn, DestinationMayBeEitherSourceOrBoth)
{
    // Complex sources, so that no shortcut for rectangles hides a fault.
    HRGN a = CreateEllipticRgn(0, 0, 12, 9), hole = CreateRectRgn(4, 3, 7, 5);
    HRGN b = CreateRectRgn(6, 1, 14, 4), b2 = CreateRectRgn(2, 7, 9, 12);
    CombineRgn(a, a, hole, RGN_DIFF);
    CombineRgn(b, b, b2, RGN_OR);
    const RECT area { 0, 0, 15, 13 };
    for (int mode = RGN_AND; mode <= RGN_COPY; ++mode) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        HRGN want = CreateRectRgn(0, 0, 0, 0);
        int code = CombineRgn(want, a, b, mode);
        for (int into = 0; into < 3; ++into) {
            HRGN x = CreateRectRgn(0, 0, 0, 0), y = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(x, a, nullptr, RGN_COPY);
            CombineRgn(y, into == 2 ? a : b, nullptr, RGN_COPY);
            HRGN dest = into == 1 ? y : x;
            if (into < 2) {
                EXPECT_EQ(CombineRgn(dest, x, y, mode), code);
                EXPECT_EQ(Mask(dest, area), Mask(want, area)) << "into source " << into + 1;
            } else {
                // A region with itself: XOR and DIFF leave nothing, the others leave it as it was.
                bool empty = mode == RGN_XOR || mode == RGN_DIFF;
                EXPECT_EQ(CombineRgn(x, x, x, mode), empty ? NULLREGION : COMPLEXREGION);
                EXPECT_EQ(BoxOf(x), empty ? kNone : BoxOf(a));
                EXPECT_EQ(Mask(x, area), empty ? Mask(area, [](int, int) { return false; }) : Mask(a, area));
            }
            EXPECT_TRUE(RegionOf(dest).WellFormed());
            DeleteObject(x);
            DeleteObject(y);
        }
        DeleteObject(want);
    }
    for (HRGN h : { a, hole, b, b2 })
        DeleteObject(h);
}

TEST(RegionApi, BadHandlesAndArgumentsAnswerErrorAndChangeNothing)
{
    HRGN a = CreateRectRgn(0, 0, 4, 4), out = CreateRectRgn(10, 10, 12, 12);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HRGN notRegion = reinterpret_cast<HRGN>(static_cast<HGDIOBJ>(brush));
    HRGN dead = CreateRectRgn(0, 0, 1, 1);
    EXPECT_TRUE(DeleteObject(dead)); // last, so that no new object takes its address
    EXPECT_FALSE(DeleteObject(dead));
    const struct {
        HRGN dest, src1, src2;
        int mode;
    } combines[] = { { out, a, a, 0 }, { out, a, a, 6 }, { nullptr, a, a, RGN_OR }, { dead, a, a, RGN_OR },
        { notRegion, a, a, RGN_OR }, { out, dead, a, RGN_XOR }, { out, a, nullptr, RGN_OR }, { out, a, dead, RGN_DIFF },
        { out, nullptr, nullptr, RGN_COPY } };
    for (const auto& c : combines)
        EXPECT_EQ(CombineRgn(c.dest, c.src1, c.src2, c.mode), ERROR)
            << c.dest << " " << c.src1 << " " << c.src2 << " " << c.mode;
    EXPECT_EQ(BoxOf(out), (RECT { 10, 10, 12, 12 }));
    EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_COPY), SIMPLEREGION) << "RGN_COPY needs no second source";

    RECT r { 0, 0, 2, 2 }, box { 9, 9, 9, 9 };
    for (HRGN bad : { static_cast<HRGN>(nullptr), dead, notRegion }) {
        EXPECT_FALSE(SetRectRgn(bad, 0, 0, 1, 1));
        EXPECT_FALSE(PtInRegion(bad, 1, 1));
        EXPECT_FALSE(RectInRegion(bad, &r));
        EXPECT_EQ(EqualRgn(bad, a), ERROR);
        EXPECT_EQ(EqualRgn(a, bad), ERROR);
        EXPECT_EQ(GetRgnBox(bad, &box), ERROR);
        EXPECT_EQ(OffsetRgn(bad, 1, 1), ERROR);
    }
    EXPECT_EQ(box, (RECT { 9, 9, 9, 9 }));
    EXPECT_FALSE(RectInRegion(a, nullptr));
    EXPECT_EQ(GetRgnBox(a, nullptr), ERROR);
    EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
    // Corners in any order are normalised; no area means an empty region.
    EXPECT_TRUE(SetRectRgn(out, 5, 7, 1, 2));
    EXPECT_EQ(BoxOf(out), (RECT { 1, 2, 5, 7 }));
    EXPECT_TRUE(SetRectRgn(out, 3, 2, 3, 9));
    EXPECT_EQ(GetRgnBox(out, &box), NULLREGION);
    for (HGDIOBJ h : { static_cast<HGDIOBJ>(a), static_cast<HGDIOBJ>(out), static_cast<HGDIOBJ>(brush) })
        DeleteObject(h);
}
