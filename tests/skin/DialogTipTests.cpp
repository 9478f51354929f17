// The tip popup on the in-memory screen, sized the way the toolbar shows
// it: the red picture, and one line of white text centred at the top, cut at
// both sides when it is too wide.

#include "skin/DialogTip.h"
#include "tests/skin/SkinTestSupport.h"

#include <algorithm>

namespace {

constexpr COLORREF kRed = RGB(255, 4, 2);

class Tips : public skintest::SkinTest {
protected:
    void SetUp() override
    {
        skintest::AddBitmap(CDialogTip::IDB_BACKGROUND, 90, 30, [](int, int) { return kRed; });
    }

    // Shows a 90 by 20 tip with the text and answers the box, in its client
    // coordinates, of every pixel that is not the red picture; the smoothed
    // text runs from the red towards white, and lightest is its lightest
    // level of green and blue.
    CRect ShowWith(const char* text)
    {
        CDialogTip tip;
        tip.Create(CDialogTip::IDD, nullptr);
        tip.SetText(text);
        tip.SetWindowPos(&CWnd::wndTopMost, 300, 200, 90, 20, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        driver.Pump();
        CRect box(90, 20, 0, 0);
        lightest = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 90; ++x) {
                COLORREF c = driver.PixelAt(300 + x, 200 + y);
                if (c == kRed)
                    continue;
                lightest = std::max<int>(lightest, std::min(GetGValue(c), GetBValue(c)));
                box.UnionRect(box.IsRectEmpty() ? CRect(x, y, x + 1, y + 1) : box, CRect(x, y, x + 1, y + 1));
            }
        return box;
    }
    int lightest = 0;
};

TEST_F(Tips, AnEmptyTextPaintsTheRedPictureAlone)
{
    EXPECT_TRUE(ShowWith("").IsRectEmpty()) << "every pixel of the tip is the picture's red";
}

TEST_F(Tips, OneWhiteLineCentredAtTheTopCutAtBothSidesWhenTooWide)
{
    CRect line = ShowWith("150%");
    ASSERT_FALSE(line.IsRectEmpty());
    EXPECT_GE(lightest, 0xC0) << "white text";
    EXPECT_LE(std::abs(line.left - (90 - line.right)), 1) << "centred across";
    EXPECT_LT(line.top, 5) << "at the top, not centred down";

    CRect wide = ShowWith("1280x720 1280x720 1280x720 1280x720");
    // Glyphs cross both edges (a column may fall between two of them).
    EXPECT_LE(wide.left, 1);
    EXPECT_GE(wide.right, 89);
    EXPECT_EQ(wide.top, line.top);
    EXPECT_EQ(wide.bottom, line.bottom) << "one line, not wrapped";
}

} // namespace
