// The off-screen device context: drawing with the target's logical
// coordinates lands in the buffer, the target sees nothing until the buffer
// goes, and only the part of the area the target can show is buffered.

#include "skin/MemDC.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kInk = RGB(10, 200, 30);

struct VisibleCase {
    const char* name;
    RECT area;
    RECT clip; // on the target; empty: none
    RECT buffered;
};

// However large the area, the buffer is no larger than what the target can
// show, and drawing with the whole area's coordinates still lands right.
TEST(MemDc, BuffersOnlyTheVisiblePart)
{
    const VisibleCase cases[] = {
        { "inside", { 5, 5, 15, 10 }, {}, { 5, 5, 15, 10 } },
        { "ten times the target", { -12000, -9000, 12740, 9560 }, {}, { 0, 0, 40, 30 } },
        { "hanging off the bottom right", { 30, 20, 400, 300 }, {}, { 30, 20, 40, 30 } },
        { "cut by a clip rectangle", { -500, -500, 500, 500 }, { 10, 4, 20, 9 }, { 10, 4, 20, 9 } },
        { "wholly outside", { 50, 50, 60, 60 }, {}, { 0, 0, 0, 0 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestDc target(40, 30, RGB(0, 0, 0));
        CDC* dc = CDC::FromHandle(target.dc());
        if (!::IsRectEmpty(&c.clip))
            dc->IntersectClipRect(&c.clip);
        {
            CMemDC mem(dc, c.area, FALSE);
            EXPECT_EQ(mem.GetBufferRect(), CRect(c.buffered));
            BITMAP bm {};
            ::GetObject(::GetCurrentObject(mem.GetSafeHdc(), OBJ_BITMAP), sizeof bm, &bm);
            if (!mem.GetBufferRect().IsRectEmpty()) {
                EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight), mem.GetBufferRect().Size());
            }
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    mem.SetPixel(x, y, kInk);
            EXPECT_EQ(target.Count(kInk), 0) << "nothing reaches the target before the end";
        }
        CRect b(c.buffered);
        EXPECT_EQ(target.Count(kInk), b.Width() * b.Height());
        dc->SelectClipRgn(nullptr);
    }
}

// The buffer starts as the target's background colour or its content, and
// the target's own mapping holds in it: with the window origin shifted, the
// same logical point lands on the same pixel.
TEST(MemDc, StartsFromTheTargetInItsLogicalCoordinates)
{
    for (BOOL copy : { FALSE, TRUE }) {
        test::TestDc target(20, 20);
        target.FillNoise(7);
        auto before = target.Pixels();
        CDC* dc = CDC::FromHandle(target.dc());
        dc->SetBkColor(RGB(0, 0, 255));
        dc->SetWindowOrg(100, 50);
        {
            CMemDC mem(dc, CRect(102, 52, 110, 58), copy);
            mem.SetPixel(103, 53, kInk);
            mem.FillSolidRect(108, 56, 5, 5, RGB(255, 255, 255)); // runs past the area
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                COLORREF old = gdi::ColorRefFromPixel(before[y * 20 + x]);
                COLORREF want = x < 2 || x >= 10 || y < 2 || y >= 8 ? old
                    : x == 3 && y == 3                              ? kInk
                    : x >= 8 && y >= 6                              ? RGB(255, 255, 255)
                    : copy                                          ? old
                                                                    : RGB(0, 0, 255);
                ASSERT_EQ(target.At(x, y), want) << x << "," << y << (copy ? " copied" : " filled");
            }
    }
}

} // namespace
