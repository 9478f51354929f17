// The folded palette as it shows on the screen: a strip four pixels wide at
// the screen's right edge, showing the first four columns of the palette's
// skin where the skin's shape keeps them and what lies beneath elsewhere.

#include "tests/palette/PaletteTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using test::PaletteTest;

constexpr int kStrip = 4;

TEST_F(PaletteTest, TheFoldedPaletteShowsTheFirstColumnsOfItsSkin)
{
    Open();
    const CRect home = Palette()->HomeRect();
    const int height = home.Height();
    const int left = 1366 - kStrip;

    // The skin's first columns, read before anything folds: the palette
    // selects the same bitmap when it paints.
    BITMAP bm {};
    ASSERT_TRUE(Palette()->m_pBackground && Palette()->m_pBackground->GetBitmap(&bm));
    const COLORREF key = Palette()->m_clrTransparent;
    std::vector<COLORREF> skin(static_cast<std::size_t>(kStrip * height), key);
    {
        HDC mem = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(mem, Palette()->m_pBackground->m_hObject);
        for (int y = 0; y < std::min<int>(height, bm.bmHeight); ++y)
            for (int x = 0; x < kStrip; ++x)
                skin[y * kStrip + x] = ::GetPixel(mem, x, y);
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
    }
    // What lies beneath the strip: the screen there with the palette out of
    // sight.
    Palette()->ShowWindow(SW_HIDE);
    driver.Pump();
    std::vector<COLORREF> beneath, besideBeneath;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < kStrip; ++x)
            beneath.push_back(driver.PixelAt(left + x, home.top + y));
        besideBeneath.push_back(driver.PixelAt(left - 1, home.top + y));
    }
    Palette()->ShowWindow(SW_SHOWNOACTIVATE);
    driver.Pump();

    Press(CInkveilDlg::IDC_MIN);
    driver.MoveTo(POINT { 300, 300 });
    Wait(50);
    CRect folded;
    Palette()->GetWindowRect(&folded);
    ASSERT_EQ(folded, CRect(left, home.top, 1366, home.bottom));

    int skinShown = 0, wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < kStrip; ++x) {
            const COLORREF own = skin[y * kStrip + x];
            const COLORREF expected = own == key ? beneath[y * kStrip + x] : own;
            const COLORREF shown = driver.PixelAt(left + x, home.top + y);
            skinShown += own != key;
            if (shown != expected && ++wrong <= 5)
                ADD_FAILURE() << "strip pixel (" << x << ", " << y << "): " << std::hex << shown << " instead of "
                              << expected << (own == key ? " (beneath)" : " (skin)");
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(skinShown, kStrip * height / 2) << "most of the strip is the palette's own";
    // Where the full palette stood, next to the strip, nothing of it stays.
    std::vector<COLORREF> beside;
    for (int y = 0; y < height; ++y)
        beside.push_back(driver.PixelAt(left - 1, home.top + y));
    EXPECT_EQ(beside, besideBeneath);
}

} // namespace
