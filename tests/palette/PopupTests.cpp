// The palette's two popups as a teacher's hand uses them: where they open,
// how the pointer's leaving closes them, the line type they set on either
// surface, the opacity preview and what OK and Cancel keep, and the
// palette's handling of close requests, stale ones included.

#include "app/LineTypeConfigDialog.h"
#include "app/TransparentCfgDlg.h"
#include "draw/DrawSettings.h"
#include "platform/window/ColorDialog.h"
#include "tests/palette/PaletteTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using test::PaletteTest;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Whether c is colour over white at alpha, within one step a channel.
bool Blend(COLORREF c, COLORREF colour, int alpha)
{
    for (int s : { 0, 8, 16 }) {
        auto ch = [s](COLORREF v) { return static_cast<int>((v >> s) & 0xFF); };
        if (std::abs(ch(c) - (ch(colour) * alpha + 255 * (255 - alpha) + 127) / 255) > 1)
            return false;
    }
    return true;
}

class Popups : public PaletteTest {
protected:
    void SetUp() override
    {
        Open();
        PublishWhite();
        Wait(20);
    }
    CLineTypeConfigDialog* LineTypes() const { return Palette()->m_pLineTypeDlg.get(); }
    CTransparentCfgDlg* Opacity() const { return Palette()->m_pTransparentDlg.get(); }
    static CRect WindowRect(const CWnd* w)
    {
        CRect r;
        w->GetWindowRect(&r);
        return r;
    }
    static POINT Centre(const CWnd* w) { return WindowRect(w).CenterPoint(); }
    // A pixel of the opacity popup's client area on the screen.
    COLORREF PopupPixel(int x, int y) const
    {
        POINT p { x, y };
        ::ClientToScreen(Opacity()->m_hWnd, &p);
        return driver.PixelAt(p.x, p.y);
    }
    // The hand walks from one point to another a pixel at a time.
    void Walk(POINT from, POINT to)
    {
        const int n = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
        for (int i = 0; i <= n; ++i)
            driver.MoveTo(from.x + (to.x - from.x) * i / std::max(n, 1), from.y + (to.y - from.y) * i / std::max(n, 1));
    }
    // Close requests still queued for the palette that name popup.
    int QueuedRequests(const CWnd* popup) const
    {
        int n = 0;
        MSG msg;
        std::vector<MSG> all;
        while (::PeekMessage(&msg, Palette()->m_hWnd, WM_CLOSE_POPUP, WM_CLOSE_POPUP, PM_REMOVE))
            all.push_back(msg);
        for (const MSG& m : all) {
            n += m.wParam == reinterpret_cast<WPARAM>(popup);
            ::PostMessage(m.hwnd, m.message, m.wParam, m.lParam);
        }
        return n;
    }
    const POINT from { 480, 400 }, to { 760, 400 };
};

TEST_F(Popups, TheLineTypePopupOpensBesideItsButtonAndStaysUntilEnteredAndLeft)
{
    Press(CInkveilDlg::IDC_LINE_TYPE);
    ASSERT_NE(LineTypes(), nullptr);
    const CRect b = ControlRect(CInkveilDlg::IDC_LINE_TYPE);
    EXPECT_EQ(WindowRect(LineTypes()), CRect(b.left - 125, b.top - 50, b.left - 5, b.top + 130));
    EXPECT_TRUE(LineTypes()->IsWindowVisible());
    EXPECT_TRUE(LineTypes()->GetExStyle() & WS_EX_TOOLWINDOW);
    for (const CHoverButton& button : LineTypes()->m_btnTypes)
        EXPECT_FALSE(button.IsChecked());

    // Away, around, never in: it stays, however long.
    const CRect r = WindowRect(LineTypes());
    Walk(POINT { r.left - 40, r.top - 10 }, POINT { r.left - 40, r.bottom + 10 });
    Wait(2000);
    ASSERT_NE(LineTypes(), nullptr);

    // In through the left edge across a button's row, out through the
    // right edge: closed.
    const int row = WindowRect(&LineTypes()->m_btnTypes[1]).CenterPoint().y;
    Walk(POINT { r.left - 10, row }, POINT { r.right + 10, row });
    driver.Pump();
    EXPECT_EQ(LineTypes(), nullptr);
}

TEST_F(Popups, FromTheCentreIntoACornerClosesTheLineTypePopup)
{
    Press(CInkveilDlg::IDC_LINE_TYPE);
    const CRect r = WindowRect(LineTypes());
    Walk(r.CenterPoint(), POINT { r.left + r.Width() / 4, r.top + r.Height() / 4 });
    ASSERT_NE(LineTypes(), nullptr) << "still inside the ellipse";
    Walk(POINT { r.left + r.Width() / 4, r.top + r.Height() / 4 }, POINT { r.left + 3, r.top + 3 });
    driver.Pump();
    EXPECT_EQ(LineTypes(), nullptr) << "a corner lies outside the ellipse";
}

// The stroke's width at column x around row y over white: the sum over
// the rows of how much of the colour at its middle each shows.
double WidthAt(const headless::Driver& driver, int x, int y, int reach = 30)
{
    const int full = GetGValue(driver.PixelAt(x, y));
    double sum = 0;
    for (int r = y - reach; r <= y + reach; ++r)
        sum += static_cast<double>(255 - GetGValue(driver.PixelAt(x, r))) / std::max(255 - full, 1);
    return sum;
}

// Whether a horizontal stroke of that width ends at end in an arrow head:
// wider than the line just before the end, narrowing to a tip, where a
// plain line keeps its width to the last pixel.
bool ArrowHeadAt(const headless::Driver& driver, POINT end, double line)
{
    double widest = 0;
    for (int x = end.x - 8; x < end.x; ++x)
        widest = std::max(widest, WidthAt(driver, x, end.y));
    return widest > 1.4 * line && WidthAt(driver, end.x - 1, end.y) < 0.6 * line;
}

// The arrow button: line type 3 on the palette and on whichever surface is
// active, the popup closed, and the next straight line ends in an arrow head
// much wider than the line. (Freehand strokes laid into the live picture
// always have round ends.)
TEST_F(Popups, TheArrowButtonSetsLineTypeThreeAndTheNextStrokeEndsInAnArrowHead)
{
    Press(CInkveilDlg::IDC_LINE);
    Press(CInkveilDlg::IDC_LINE_TYPE);
    driver.Click(Centre(&LineTypes()->m_btnTypes[LINE_ARROW]).x, Centre(&LineTypes()->m_btnTypes[LINE_ARROW]).y);
    driver.Pump();
    EXPECT_EQ(Palette()->LineType(), LINE_ARROW);
    EXPECT_EQ(View().m_nLineType, LINE_ARROW);
    EXPECT_EQ(LineTypes(), nullptr) << "the choice closes the popup";

    Stroke(from, to);
    Wait(20);
    const double line = WidthAt(driver, (from.x + to.x) / 2, from.y);
    EXPECT_NEAR(line, 3, 0.5);
    EXPECT_TRUE(ArrowHeadAt(driver, to, line)) << "the head";

    // On the board: the popup hands the type to the board.
    Press(CInkveilDlg::IDC_MODE);
    Press(CInkveilDlg::IDC_LINE);
    Press(CInkveilDlg::IDC_LINE_TYPE);
    for (const CHoverButton& button : LineTypes()->m_btnTypes)
        EXPECT_FALSE(button.IsChecked()) << "reopened: none checked";
    driver.Click(Centre(&LineTypes()->m_btnTypes[LINE_DASHED]).x, Centre(&LineTypes()->m_btnTypes[LINE_DASHED]).y);
    driver.Pump();
    EXPECT_EQ(Board()->m_nLineType, LINE_DASHED);
    EXPECT_EQ(View().m_nLineType, LINE_ARROW) << "still mode leaves the view alone";
    Press(CInkveilDlg::IDC_LINE_TYPE);
    driver.Click(Centre(&LineTypes()->m_btnTypes[LINE_ARROW]).x, Centre(&LineTypes()->m_btnTypes[LINE_ARROW]).y);
    driver.Pump();
    EXPECT_EQ(Board()->m_nLineType, LINE_ARROW);
    const POINT high { from.x, 250 }, highEnd { to.x, 250 };
    Stroke(high, highEnd);
    EXPECT_TRUE(ArrowHeadAt(driver, highEnd, WidthAt(driver, (high.x + highEnd.x) / 2, high.y)))
        << "the head on the board";
}

TEST_F(Popups, BothPopupsOpenTogetherAndClosingOneLeavesTheOther)
{
    Press(CInkveilDlg::IDC_TRANSPARENCY);
    ASSERT_NE(Opacity(), nullptr);
    const CRect b = ControlRect(CInkveilDlg::IDC_TRANSPARENCY);
    EXPECT_EQ(WindowRect(Opacity()), CRect(b.left - 230, b.top - 50, b.left, b.top + 100));
    Press(CInkveilDlg::IDC_LINE_TYPE);
    ASSERT_NE(LineTypes(), nullptr);
    EXPECT_TRUE(Opacity()->IsWindowVisible());
    EXPECT_TRUE(LineTypes()->IsWindowVisible());

    // The line type popup asks to be closed twice, and a request names no
    // popup: one close, nothing else.
    CLineTypeConfigDialog* lineTypes = LineTypes();
    Palette()->PostMessage(WM_CLOSE_POPUP, reinterpret_cast<WPARAM>(lineTypes), 0);
    Palette()->PostMessage(WM_CLOSE_POPUP, reinterpret_cast<WPARAM>(lineTypes), 0);
    Palette()->PostMessage(WM_CLOSE_POPUP, 0, 0);
    driver.Pump();
    EXPECT_EQ(LineTypes(), nullptr);
    ASSERT_NE(Opacity(), nullptr) << "the palette still has the other";
    EXPECT_TRUE(Opacity()->IsWindowVisible());

    // A press of the button replaces the open popup of its kind; requests
    // the old one had queued are dropped with it, so that they can never
    // close a new popup that happens to live at the old one's address.
    CTransparentCfgDlg* old = Opacity();
    Palette()->PostMessage(WM_CLOSE_POPUP, reinterpret_cast<WPARAM>(old), 0);
    Palette()->SendMessage(WM_COMMAND, MAKEWPARAM(CInkveilDlg::IDC_TRANSPARENCY, BN_CLICKED),
        reinterpret_cast<LPARAM>(Palette()->m_btnTransparency.m_hWnd));
    EXPECT_EQ(QueuedRequests(old), 0);
    driver.Pump();
    ASSERT_NE(Opacity(), nullptr) << "the new popup stays";
    EXPECT_TRUE(Opacity()->IsWindowVisible());
}

TEST_F(Popups, TheOpacityPreviewShowsTheColourAtTheChosenOpacityWithThePercentageOnIt)
{
    Press(CInkveilDlg::IDC_TRANSPARENCY);
    EXPECT_EQ(Opacity()->m_slider.GetPos(), 50);
    // Away from the label, the bar is red at alpha 127 over white; outside
    // it, the box is white.
    EXPECT_TRUE(Blend(PopupPixel(143, 80), RGB(255, 0, 0), 127)) << std::hex << PopupPixel(143, 80);
    EXPECT_TRUE(Blend(PopupPixel(208, 92), RGB(255, 0, 0), 127));
    EXPECT_EQ(PopupPixel(175, 70), kWhite);
    EXPECT_EQ(PopupPixel(135, 85), kWhite);
    // The label's ink: dark pixels, their box centred on the bar.
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = 66; y < 104; ++y)
        for (int x = 130; x < 218; ++x) {
            const COLORREF c = PopupPixel(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    ASSERT_GE(right, left) << "no label";
    EXPECT_NEAR((left + right) / 2.0, 175, 3);
    EXPECT_NEAR((top + bottom) / 2.0, 85, 3);
    EXPECT_GE(top, 75);
    EXPECT_LE(bottom, 95);
}

TEST_F(Popups, TheThumbsDragShowsOnReleaseAndAKeyShowsAtOnce)
{
    Press(CInkveilDlg::IDC_TRANSPARENCY);
    CBitmapSlider& slider = Opacity()->m_slider;
    const CRect track = WindowRect(&slider);
    const COLORREF at50 = PopupPixel(143, 80);
    // Hold the thumb and drag it to the right end.
    driver.MoveTo(track.CenterPoint());
    driver.Press();
    Walk(track.CenterPoint(), POINT { track.right + 20, track.CenterPoint().y });
    EXPECT_EQ(slider.GetPos(), 100);
    EXPECT_EQ(PopupPixel(143, 80), at50) << "the preview waits for the release";
    driver.Release();
    EXPECT_TRUE(Blend(PopupPixel(143, 80), RGB(255, 0, 0), 254)) << std::hex << PopupPixel(143, 80);
    // The slider has the focus now: a key moves it and the preview at once.
    driver.Key(VK_HOME);
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_EQ(PopupPixel(143, 80), kWhite) << "alpha 0: no bar";
    driver.Key(VK_RIGHT);
    EXPECT_EQ(slider.GetPos(), 1);
    EXPECT_TRUE(Blend(PopupPixel(143, 80), RGB(255, 0, 0), 2));
}

// OK keeps the slider's percentage for strokes begun afterwards: 100 gives
// alpha 254, 0 an invisible stroke. Cancel and leaving keep the old one.
TEST_F(Popups, OkStoresThePercentageCancelAndLeavingKeepTheOldOne)
{
    Press(CInkveilDlg::IDC_PEN);
    auto choose = [&](UINT key, int okOrCancel) {
        Press(CInkveilDlg::IDC_TRANSPARENCY);
        driver.Click(Centre(&Opacity()->m_slider).x, Centre(&Opacity()->m_slider).y);
        driver.Key(key);
        CWnd* button = Opacity()->GetDlgItem(okOrCancel);
        driver.Click(Centre(button).x, Centre(button).y);
        driver.Pump();
    };
    choose(VK_END, CTransparentCfgDlg::IDC_OK);
    EXPECT_EQ(app.m_nAlphaPercent, 100);
    EXPECT_FALSE(Opacity() && Opacity()->IsWindowVisible()) << "OK hides the popup";
    Stroke(from, to);
    Wait(20);
    EXPECT_TRUE(Blend(driver.PixelAt(600, 400), RGB(255, 0, 0), 254)) << std::hex << driver.PixelAt(600, 400);

    choose(VK_HOME, CTransparentCfgDlg::IDC_OK);
    EXPECT_EQ(app.m_nAlphaPercent, 0);
    const POINT low { from.x, 500 }, lowEnd { to.x, 500 };
    Stroke(low, lowEnd);
    Wait(20);
    EXPECT_EQ(driver.PixelAt(600, 500), kWhite) << "an invisible stroke";
    EXPECT_EQ(View().m_pOverlay != nullptr, true);

    choose(VK_END, CTransparentCfgDlg::IDC_CANCEL);
    EXPECT_EQ(app.m_nAlphaPercent, 0) << "Cancel keeps it";

    // Moved, then the hand leaves through a corner: closed, nothing kept.
    Press(CInkveilDlg::IDC_TRANSPARENCY);
    driver.Click(Centre(&Opacity()->m_slider).x, Centre(&Opacity()->m_slider).y);
    driver.Key(VK_END);
    const CRect r = WindowRect(Opacity());
    Walk(r.CenterPoint(), POINT { r.left + 2, r.top + 2 });
    driver.Pump();
    EXPECT_EQ(Opacity(), nullptr);
    EXPECT_EQ(app.m_nAlphaPercent, 0);
}

TEST_F(Popups, AfterAColourChangeTheReopenedPreviewIsInTheNewColour)
{
    COLORREF picked = 0;
    driver.WhenWaiting([&] {
        HWND box = ::GetDlgItem(::GetActiveWindow(), ws::dlg::kFirstBasicId + 13);
        CRect r;
        ::GetWindowRect(box, &r);
        picked = driver.PixelAt(r.CenterPoint().x, r.CenterPoint().y);
        driver.Click(r.CenterPoint().x, r.CenterPoint().y);
    });
    driver.WhenWaiting([&] { driver.Key(VK_RETURN); });
    Press(CInkveilDlg::IDC_COLOR);
    ASSERT_EQ(app.m_crColor, picked);
    Press(CInkveilDlg::IDC_TRANSPARENCY);
    EXPECT_TRUE(Blend(PopupPixel(143, 80), picked, 127)) << std::hex << PopupPixel(143, 80) << " " << picked;
}

} // namespace
