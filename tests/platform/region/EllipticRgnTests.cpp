// Elliptic regions: the pixels inside, against the rule documented with
// Region::Ellipse, and the shape's symmetries, for boxes from one pixel up.

#include "tests/platform/region/RegionTestKit.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace regiontest;

TEST(EllipticRgn, MatchesThePixelRuleAndTouchesAllFourSides)
{
    const int sizes[][2] = { { 1, 1 }, { 2, 2 }, { 1, 2 }, { 1, 7 }, { 7, 1 }, { 3, 3 }, { 4, 4 }, { 5, 3 }, { 10, 2 },
        { 100, 2 }, { 2, 100 }, { 7, 12 }, { 16, 16 }, { 31, 17 }, { 64, 40 } };
    const int l = 3, t = -2; // off the origin, so that offsets show
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        HRGN rgn = CreateEllipticRgn(l, t, l + w + 1, t + h + 1);
        EXPECT_TRUE(RegionOf(rgn).WellFormed());
        // One pixel smaller at the right and bottom than the box, and
        // reaching every side of what is left.
        EXPECT_EQ(BoxOf(rgn), (RECT { l, t, l + w, t + h }));
        // Inside: the pixel's centre lies in the ellipse touching the middle
        // of the box's sides, or the pixel is on a middle row or column.
        const RECT area { l - 1, t - 1, l + w + 1, t + h + 1 };
        EXPECT_EQ(Mask(rgn, area), Mask(area, [&](int x, int y) {
            long long dx = 2 * (x - l) + 1 - w, dy = 2 * (y - t) + 1 - h, ww = 1LL * w * w, hh = 1LL * h * h;
            bool inBox = x >= l && y >= t && x < l + w && y < t + h;
            return inBox && (std::llabs(dx) <= 1 || std::llabs(dy) <= 1 || dx * dx * hh + dy * dy * ww <= ww * hh);
        }));
        HRGN turned = CreateEllipticRgn(0, 0, h + 1, w + 1);
        for (int y = t; y < t + h; ++y) {
            int runs = 0;
            for (int x = l; x < l + w; ++x) {
                bool in = PtInRegion(rgn, x, y);
                EXPECT_EQ(in, PtInRegion(rgn, 2 * l + w - 1 - x, y) != FALSE)
                    << "mirrored left to right " << x << "," << y;
                EXPECT_EQ(in, PtInRegion(rgn, x, 2 * t + h - 1 - y) != FALSE)
                    << "mirrored top to bottom " << x << "," << y;
                EXPECT_EQ(in, PtInRegion(turned, y - t, x - l) != FALSE) << "the box on its side " << x << "," << y;
                runs += in && !PtInRegion(rgn, x - 1, y);
            }
            EXPECT_EQ(runs, 1) << "row " << y;
        }
        DeleteObject(turned);
        DeleteObject(rgn);
    }
}

TEST(EllipticRgn, ExactPixelsCornersInAnyOrderAndEmptyBoxes)
{
    const struct {
        RECT box;
        int code;
        const char* mask;
    } cases[] = {
        { { 0, 0, 5, 5 }, COMPLEXREGION, "\n.##.\n####\n####\n.##.\n" },
        { { 13, 7, 0, 0 }, COMPLEXREGION,
            "\n...######...\n.##########.\n############\n############\n.##########.\n...######...\n" },
        { { 0, 4, 31, 0 }, COMPLEXREGION,
            "\n....######################....\n##############################\n....######################....\n" },
        { { 0, 0, 4, 4 }, SIMPLEREGION, "\n###\n###\n###\n" },
        // Boxes one pixel wide or high have nothing left once the right and
        // bottom edges are taken off.
        { { 0, 0, 1, 1 }, NULLREGION, "\n" },
        { { 0, 0, 1, 9 }, NULLREGION, "\n" },
        { { 5, 0, 4, 9 }, NULLREGION, "\n" },
    };
    for (const auto& c : cases) {
        HRGN rgn = CreateEllipticRgn(c.box.left, c.box.top, c.box.right, c.box.bottom);
        RECT box {};
        EXPECT_EQ(GetRgnBox(rgn, &box), c.code);
        EXPECT_EQ(Mask(rgn, box), c.mask);
        DeleteObject(rgn);
    }
}
