// Clipping a device context with regions: device units for regions, logical
// units for IntersectClipRect and GetClipBox, and the clip kept as a copy.

#include "platform/gdi/DeviceContext.h"
#include "tests/platform/region/RegionTestKit.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

using namespace regiontest;

namespace {

RECT ClipBoxOf(HDC dc, int wantCode)
{
    RECT box { -9, -9, -9, -9 };
    EXPECT_EQ(GetClipBox(dc, &box), wantCode);
    return box;
}

} // namespace

TEST(ClipRgn, RegionsAreDeviceUnitsRectanglesAndBoxesLogicalUnits)
{
    test::TestDc t(16, 12);
    SetWindowOrgEx(t.dc(), 10, 20, nullptr);
    SetViewportOrgEx(t.dc(), 1, 0, nullptr);
    HRGN rgn = CreateRectRgn(2, 3, 6, 7), dead = CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(SelectClipRgn(t.dc(), rgn), SIMPLEREGION);
    EXPECT_EQ(ClipBoxOf(t.dc(), SIMPLEREGION), (RECT { 11, 23, 15, 27 }));
    // The clip is a copy: changing the region leaves it alone.
    OffsetRgn(rgn, 5, 5);
    EXPECT_EQ(ClipBoxOf(t.dc(), SIMPLEREGION), (RECT { 11, 23, 15, 27 }));
    // Logical (12, 24)-(30, 22) is device (3, 4)-(21, 2); corners in any order.
    EXPECT_EQ(IntersectClipRect(t.dc(), 12, 24, 30, 22), SIMPLEREGION);
    EXPECT_EQ(gdi::DcFromHandle(t.dc())->EffectiveClip().Bounds(), (RECT { 3, 3, 6, 4 }));
    EXPECT_EQ(ClipBoxOf(t.dc(), SIMPLEREGION), (RECT { 12, 23, 15, 24 }));
    // Bad arguments answer ERROR and keep the clip.
    DeleteObject(dead);
    for (int code : { SelectClipRgn(t.dc(), dead), ExtSelectClipRgn(t.dc(), nullptr, RGN_AND),
             ExtSelectClipRgn(t.dc(), rgn, 0), ExtSelectClipRgn(t.dc(), rgn, 6), SelectClipRgn(nullptr, rgn),
             IntersectClipRect(nullptr, 0, 0, 1, 1), GetClipBox(t.dc(), nullptr) })
        EXPECT_EQ(code, ERROR);
    EXPECT_EQ(ClipBoxOf(t.dc(), SIMPLEREGION), (RECT { 12, 23, 15, 24 }));
    EXPECT_EQ(IntersectClipRect(t.dc(), 0, 0, 3, 3), NULLREGION);
    EXPECT_EQ(ClipBoxOf(t.dc(), NULLREGION), (RECT { 0, 0, 0, 0 }));
    // No region removes the clip: the whole device area is left.
    EXPECT_EQ(SelectClipRgn(t.dc(), nullptr), SIMPLEREGION);
    EXPECT_EQ(ClipBoxOf(t.dc(), SIMPLEREGION), (RECT { 9, 20, 25, 32 }));
    DeleteObject(rgn);
}

TEST(ClipRgn, ExtSelectClipRgnCombinesWithTheClipOrTheDeviceArea)
{
    const struct {
        bool withClip; // start from a clip of (0, 0)-(8, 6)
        int mode, code, pixels;
        RECT box;
    } cases[] = {
        { false, RGN_AND, SIMPLEREGION, 48, { 4, 4, 12, 10 } },
        { false, RGN_DIFF, COMPLEXREGION, 144, { 0, 0, 16, 12 } },
        { true, RGN_OR, COMPLEXREGION, 88, { 0, 0, 12, 10 } },
        { true, RGN_XOR, COMPLEXREGION, 80, { 0, 0, 12, 10 } },
        { true, RGN_COPY, SIMPLEREGION, 48, { 4, 4, 12, 10 } },
    };
    for (const auto& c : cases) {
        test::TestDc t(16, 12);
        if (c.withClip)
            IntersectClipRect(t.dc(), 0, 0, 8, 6);
        HRGN rgn = CreateRectRgn(4, 4, 12, 10);
        EXPECT_EQ(ExtSelectClipRgn(t.dc(), rgn, c.mode), c.code) << "mode " << c.mode;
        EXPECT_EQ(ClipBoxOf(t.dc(), c.code), c.box) << "mode " << c.mode;
        int pixels = 0;
        gdi::DcFromHandle(t.dc())->EffectiveClip().ForEachRect(
            [&](const RECT& r) { pixels += (r.right - r.left) * (r.bottom - r.top); });
        EXPECT_EQ(pixels, c.pixels) << "mode " << c.mode;
        DeleteObject(rgn);
    }
}
