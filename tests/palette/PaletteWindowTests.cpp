// The palette window with the program's windows around it: where it sits,
// what it offers at start, auto-hide at the right screen edge, the system
// menu, its buttons' looks, and closing the program from it.

#include "app/EraserDlg.h"
#include "camera/VideoConfigDlg.h"
#include "tests/palette/PaletteTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test::PaletteTest;

// The program on screens of several sizes.
struct Screen {
    int width, height;
    CRect palette;
};

class PalettePlace : public PaletteTest, public ::testing::WithParamInterface<Screen> {
protected:
    PalettePlace()
        : PaletteTest(GetParam().width, GetParam().height)
    {
    }
};

// 48 pixels from the right edge; 630 above the bottom, measured from where
// the dialog first stood: the main window's client origin, below its
// 23-pixel caption. The window is the template's 52 x 380 dialog units in
// 9-point Song, reaching past the screen's edge; the skin's shape cuts it
// down to the visible strip.
TEST_P(PalettePlace, SitsTopMostNearTheRightEdgeWithoutATaskBarEntry)
{
    Open();
    ASSERT_NE(Palette(), nullptr);
    CRect r;
    Palette()->GetWindowRect(&r);
    EXPECT_EQ(r, GetParam().palette);
    EXPECT_EQ(Palette()->HomeRect(), GetParam().palette);
    EXPECT_TRUE(Palette()->IsWindowVisible());
    const DWORD ex = Palette()->GetExStyle();
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no task bar entry";
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_EQ(Palette()->GetIcon(TRUE), Palette()->m_hIcon);
    // The palette made the camera toolbar, which it owns.
    ASSERT_NE(Palette()->m_pVideoConfigDlg, nullptr);
    EXPECT_TRUE(Palette()->m_pVideoConfigDlg->IsWindowVisible());
    EXPECT_EQ(::GetWindow(Palette()->m_pVideoConfigDlg->m_hWnd, GW_OWNER), Palette()->m_hWnd);
    // The eraser window is made and hidden.
    ASSERT_NE(app.m_pEraserDlg, nullptr);
    EXPECT_FALSE(app.m_pEraserDlg->IsWindowVisible());
    // The palette stands above the main window: its PEN button is what the
    // hand finds there.
    const POINT pen = ControlCentre(CInkveilDlg::IDC_PEN);
    EXPECT_EQ(::WindowFromPoint(pen), Palette()->GetDlgItem(CInkveilDlg::IDC_PEN)->m_hWnd);
}

INSTANTIATE_TEST_SUITE_P(Screens, PalettePlace,
    ::testing::Values(Screen { 1366, 768, CRect(1318, 115, 1396, 685) },
        Screen { 1920, 1080, CRect(1872, 427, 1950, 997) }));

TEST_F(PaletteTest, TheWidthListOffersEightWidthsWithThreeChosenAndApplied)
{
    Open();
    CComboBox& list = Palette()->m_cbWidth;
    std::vector<std::string> items;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetLBText(i, text);
        items.emplace_back(static_cast<const char*>(text));
    }
    EXPECT_EQ(items, (std::vector<std::string> { "1", "3", "5", "7", "10", "15", "20", "30" }));
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(app.m_nPenWidth, 3) << "before the teacher touches the list";
}

// The palette's own tooltip control names the twelve tool buttons; a
// tooltip shows once the pointer rests on one.
TEST_F(PaletteTest, TheToolTipsNameTheToolButtons)
{
    Open();
    CToolTipCtrl& tip = Palette()->m_ToolTip;
    EXPECT_EQ(tip.GetToolCount(), 12);
    auto text = [&](int id) {
        char out[64] = {};
        TOOLINFO ti { sizeof(TOOLINFO), 0, Palette()->m_hWnd, reinterpret_cast<UINT_PTR>(::GetDlgItem(Palette()->m_hWnd, id)),
            {}, nullptr, out, 0 };
        ti.uFlags = TTF_IDISHWND;
        tip.SendMessage(TTM_GETTEXT, sizeof out, reinterpret_cast<LPARAM>(&ti));
        return std::string(out);
    };
    EXPECT_EQ(text(CInkveilDlg::IDC_PEN), "画笔");
    EXPECT_EQ(text(CInkveilDlg::IDC_CIRCLEFILL), "实心圆形");
    EXPECT_EQ(text(CInkveilDlg::IDC_SAVE), "保存绘图");
    EXPECT_EQ(text(CInkveilDlg::IDC_CLOSE), "关闭");
    EXPECT_FALSE(tip.IsWindowVisible());
    driver.MoveTo(ControlCentre(CInkveilDlg::IDC_ERASE));
    Wait(1000);
    EXPECT_TRUE(tip.IsWindowVisible());
}

// Auto-hide, step by step: where the hand is and the palette's rectangle
// after the next 50 ms check.
TEST_F(PaletteTest, AutoHideFoldsThePaletteIntoAStripAndHoverBringsItBack)
{
    Open();
    const CRect home = Palette()->HomeRect();
    const CRect strip(1366 - 4, home.top, 1366, home.bottom);
    const CRect full(1366 - home.Width(), home.top, 1366, home.bottom);
    auto after = [&](POINT hand) {
        driver.MoveTo(hand);
        Wait(50);
        CRect r;
        Palette()->GetWindowRect(&r);
        return r;
    };
    const POINT away { 300, 300 };
    EXPECT_EQ(after(away), home) << "auto-hide is off at start";

    Press(CInkveilDlg::IDC_MIN);
    EXPECT_EQ(Palette()->AutoHide(), 1);
    EXPECT_EQ(after(ControlCentre(CInkveilDlg::IDC_PEN)), home) << "the hand is still on it";
    // A palette away from the edge: its rectangle's last column is in, the
    // right edge itself out.
    const CRect inside(1000, home.top, 1000 + home.Width(), home.bottom);
    Palette()->MoveWindow(&inside);
    EXPECT_EQ(after(POINT { inside.right - 1, inside.top + 10 }), inside);
    EXPECT_EQ(after(POINT { inside.right, inside.top + 10 }), strip);
    EXPECT_EQ(after(away), strip) << "and stays folded";
    // Likewise the strip's bottom edge and the row above its top.
    EXPECT_EQ(after(POINT { 1363, strip.bottom }), strip);
    EXPECT_EQ(after(POINT { 1363, strip.top - 1 }), strip);
    // Onto the strip: the whole palette, its right edge at the screen's
    // and its top where it was.
    EXPECT_EQ(after(POINT { 1364, strip.bottom - 1 }), full);
    EXPECT_EQ(after(away), strip);

    // MIN pressed while the palette is folded (by its command, as no hand
    // can reach the button there): nothing folds from now on, but hovering
    // still brings the full palette back.
    Palette()->SendMessage(WM_COMMAND, MAKEWPARAM(CInkveilDlg::IDC_MIN, BN_CLICKED),
        reinterpret_cast<LPARAM>(Palette()->m_btnMin.m_hWnd));
    EXPECT_EQ(Palette()->AutoHide(), 0);
    EXPECT_EQ(after(away), strip) << "off does not unfold by itself";
    EXPECT_EQ(after(POINT { 1362, strip.top + 40 }), full);
    EXPECT_EQ(after(away), full) << "auto-hide off: nothing folds";
}

TEST_F(PaletteTest, APaletteNearTheEdgeTakesItsHomeSizeWhenHoveredOnlyWithinTwoPixels)
{
    Open();
    const CRect home = Palette()->HomeRect();
    // The palette dragged by its skin so that its right edge lands at
    // rightEdge, then made shorter than at home, as a folded palette is,
    // and hovered.
    auto hoverAt = [&](int rightEdge) {
        Palette()->MoveWindow(300, 100, home.Width(), home.Height());
        const POINT grip = SkinPoint();
        CRect before;
        Palette()->GetWindowRect(&before);
        driver.Drag(grip, POINT { grip.x + rightEdge - before.right, grip.y + 100 });
        CRect dragged;
        Palette()->GetWindowRect(&dragged);
        EXPECT_EQ(dragged.right, rightEdge) << "the drag moved the palette";
        Palette()->MoveWindow(dragged.left, dragged.top, home.Width(), 300);
        driver.MoveTo(dragged.left + 20, dragged.top + 100);
        Wait(50);
        CRect r;
        Palette()->GetWindowRect(&r);
        return r;
    };
    EXPECT_EQ(hoverAt(1366 - 3).Height(), 300) << "three pixels off the edge: left alone";
    const CRect snapped = hoverAt(1366 - 2);
    EXPECT_EQ(snapped.Size(), home.Size()) << "within two pixels: home size";
    EXPECT_EQ(snapped.right, 1366 - 2);
    EXPECT_EQ(snapped.bottom, 200 + 300) << "bottom edge kept";
}

TEST_F(PaletteTest, TheAboutCommandOfTheSystemMenuDoesNothing)
{
    Open();
    auto shown = [] {
        int n = 0;
        for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT))
            n += ::IsWindowVisible(w) ? 1 : 0;
        return n;
    };
    const int before = shown();
    CRect r0;
    Palette()->GetWindowRect(&r0);
    Palette()->SendMessage(WM_SYSCOMMAND, CInkveilDlg::IDM_ABOUTBOX, 0);
    Palette()->SendMessage(WM_SYSCOMMAND, CInkveilDlg::IDM_ABOUTBOX | 0x5, 0);
    driver.Pump();
    CRect r1;
    Palette()->GetWindowRect(&r1);
    EXPECT_EQ(shown(), before) << "no box, no dialog";
    EXPECT_EQ(r1, r0);
    EXPECT_TRUE(Palette()->IsWindowVisible());
}

// Every tool button shows its pressed picture while the hand holds it and
// its "up" picture again once the hand lets go: the palette never marks
// the active tool.
TEST_F(PaletteTest, NoToolButtonStaysPressed)
{
    Open();
    for (UINT id : { CInkveilDlg::IDC_PEN, CInkveilDlg::IDC_LINE, CInkveilDlg::IDC_CIRCLEFILL, CInkveilDlg::IDC_ERASE }) {
        const CRect face = ControlRect(static_cast<int>(id));
        auto picture = [&] {
            std::vector<COLORREF> out;
            for (int y = face.top; y < face.bottom; ++y)
                for (int x = face.left; x < face.right; ++x)
                    out.push_back(driver.PixelAt(x, y));
            return out;
        };
        const std::vector<COLORREF> up = picture();
        driver.MoveTo(face.CenterPoint());
        driver.Press();
        EXPECT_NE(picture(), up) << id << ": held, it shows its pressed picture";
        driver.Release();
        EXPECT_EQ(picture(), up) << id;
    }
}

TEST_F(PaletteTest, CloseWithABoardOpenEndsTheProgramAndShutsGdiplusDownOnce)
{
    Step([&] { Press(CInkveilDlg::IDC_MODE); });
    Step([&] {
        ASSERT_NE(Board(), nullptr);
        app.m_pEraserDlg->ShowWindow(SW_SHOW);
        Press(CInkveilDlg::IDC_CLOSE);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(app.m_pMainDlg, nullptr);
    EXPECT_EQ(app.m_pEraserDlg, nullptr) << "the eraser window went with the palette";
    EXPECT_EQ(::GetTopWindow(nullptr), nullptr) << "the board, the palette and the eraser window are gone";
    EXPECT_TRUE(test::GdiplusRunning()) << "the test's own start-up still stands";
    gdiplus.Shutdown();
    EXPECT_FALSE(test::GdiplusRunning());
}

} // namespace
