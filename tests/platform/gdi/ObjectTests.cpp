// Object lifetimes and device context state.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Rop.h"
#include "tests/support/TestDc.h"

#include <gtest/gtest.h>

TEST(GdiObjects, DeletingASelectedBitmapFailsUntilItIsDeselected)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(DeleteObject(bmp));
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_FALSE(DeleteObject(bmp)) << "a deleted handle is no longer live";
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}

TEST(GdiObjects, ASelectedPenIsDeletedWhenLetGo)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), OBJ_PEN) << "still selected, so still alive";
    SelectObject(dc, old);
    EXPECT_EQ(GetObjectType(pen), 0u);
    DeleteDC(dc);
}

TEST(GdiObjects, StockObjectsSurviveDeletion)
{
    HGDIOBJ brush = GetStockObject(NULL_BRUSH);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
}

TEST(GdiObjects, CompatibleBitmapOfAMonochromeDcIsMonochrome)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(dc, 8, 8);
    BITMAP info {};
    ASSERT_EQ(GetObject(mono, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    test::TestDc colour(4, 4);
    HBITMAP col = CreateCompatibleBitmap(colour.dc(), 8, 8);
    GetObject(col, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidth, 8);
    DeleteObject(mono);
    DeleteObject(col);
    DeleteDC(dc);
}

TEST(GdiObjects, BadHandlesAnswerFailure)
{
    int notAHandle = 0;
    auto* fake = reinterpret_cast<HDC>(&notAHandle);
    EXPECT_EQ(SetROP2(fake, R2_NOTXORPEN), 0);
    EXPECT_EQ(SelectObject(fake, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_EQ(GetBkColor(nullptr), CLR_INVALID);
    EXPECT_EQ(CreatePen(99, 1, 0), nullptr);
    EXPECT_EQ(CreatePen(1, 1, 0), nullptr) << "dash styles are refused, not drawn solid";
}

TEST(DeviceContextState, SettersAnswerThePreviousValue)
{
    test::TestDc t(2, 2);
    EXPECT_EQ(SetROP2(t.dc(), R2_NOTXORPEN), R2_COPYPEN);
    EXPECT_EQ(GetROP2(t.dc()), R2_NOTXORPEN);
    EXPECT_EQ(SetROP2(t.dc(), 17), 0) << "out of range";
    EXPECT_EQ(SetBkColor(t.dc(), RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(SetTextColor(t.dc(), RGB(4, 5, 6)), RGB(0, 0, 0));
    EXPECT_EQ(SetStretchBltMode(t.dc(), COLORONCOLOR), BLACKONWHITE);
}

TEST(DeviceContextState, SaveAndRestoreBringBackModesAndObjects)
{
    test::TestDc t(2, 2);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
    int level = SaveDC(t.dc());
    EXPECT_EQ(level, 1);
    HGDIOBJ before = SelectObject(t.dc(), pen);
    SetROP2(t.dc(), R2_XORPEN);
    SetWindowOrgEx(t.dc(), 5, 6, nullptr);
    EXPECT_TRUE(RestoreDC(t.dc(), -1));
    EXPECT_EQ(GetROP2(t.dc()), R2_COPYPEN);
    EXPECT_EQ(GetCurrentObject(t.dc(), OBJ_PEN), before);
    POINT org {};
    GetWindowOrgEx(t.dc(), &org);
    EXPECT_EQ(org, (POINT { 0, 0 }));
    EXPECT_FALSE(RestoreDC(t.dc(), -1)) << "nothing left to restore";
    DeleteObject(pen);
}

TEST(DeviceContextState, WindowOriginMapsLogicalToDevice)
{
    test::TestDc t(2, 2);
    SetWindowOrgEx(t.dc(), 100, 50, nullptr);
    POINT p[] = { { 100, 50 }, { 103, 52 } };
    LPtoDP(t.dc(), p, 2);
    EXPECT_EQ(p[0], (POINT { 0, 0 }));
    EXPECT_EQ(p[1], (POINT { 3, 2 }));
    DPtoLP(t.dc(), p, 2);
    EXPECT_EQ(p[1], (POINT { 103, 52 }));
}

TEST(Rop2, EveryModeMatchesItsTruthTable)
{
    // Each mode's table is indexed by pen bit * 2 + destination bit.
    const std::uint32_t pens[] = { 0x000000, 0xFFFFFF, 0x12AB5C, 0xF0F00F };
    const std::uint32_t dsts[] = { 0x000000, 0xFFFFFF, 0x3C5A96, 0x0F1E2D };
    for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
        for (std::uint32_t p : pens) {
            for (std::uint32_t d : dsts) {
                std::uint32_t expect = 0;
                for (int bit = 0; bit < 24; ++bit) {
                    unsigned pb = (p >> bit) & 1, db = (d >> bit) & 1;
                    expect |= static_cast<std::uint32_t>(((rop - 1) >> (pb * 2 + db)) & 1) << bit;
                }
                EXPECT_EQ(gdi::Rop2Op::For(rop, p).Apply(d), expect) << "rop " << rop;
            }
        }
    }
}
