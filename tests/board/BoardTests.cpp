// The drawing board over a frozen screen, driven by the mouse: it shows the
// snapshot exactly, strokes show a XOR rubber band and then their final
// rendering, the eraser brings the snapshot back under the mask's shape
// beneath the eraser window, and nothing but a press on the board feeds a
// figure.

#include "draw/DrawSettings.h"
#include "platform/afx/ClientDc.h"
#include "platform/afx/WndClass.h"
#include "tests/board/BoardTestSupport.h"
#include "tests/support/GdiplusSession.h"

namespace {

const auto* const g_session = ::testing::AddGlobalTestEnvironment(new test::GdiplusSession);

using test::IsBlend;
using test::kH;
using test::kW;
using test::NotXor;
using Board = test::BoardTest;

TEST_F(Board, ShowsTheSnapshotPixelForPixelEighteenRowsDown)
{
    CRect r;
    board->GetWindowRect(&r);
    EXPECT_EQ(r, CRect(0, 18, kW, kH));
    // A changed desktop shows above the board only: the board keeps the
    // frozen picture.
    driver.screen().SetDesktop([](int x, int y) { return RGB(x % 7, y % 5, 99); });
    board->Invalidate();
    driver.Pump();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(driver.PixelAt(x, y), y < 18 ? RGB(x % 7, y % 5, 99) : Frozen(x, y)) << x << "," << y;
}

TEST_F(Board, APenStrokeShowsItsRubberBandThenItsFinalRendering)
{
    const COLORREF green = RGB(0, 160, 40);
    app.m_crColor = green;
    app.m_nPenWidth = 9;
    app.m_nAlphaPercent = 50;
    board->SelectPen();
    driver.MoveTo(50, 100);
    driver.Press();
    for (int x = 75; x <= 150; x += 25)
        driver.MoveTo(x, 100);
    EXPECT_EQ(driver.PixelAt(62, 100), NotXor(green, Frozen(62, 100)));
    EXPECT_EQ(driver.PixelAt(112, 102), NotXor(green, Frozen(112, 102)));
    EXPECT_EQ(driver.PixelAt(112, 110), Frozen(112, 110));
    driver.Release();
    // The anti-aliased stroke at alpha 127, and no trace of the band.
    for (int x : { 62, 100, 137 }) {
        EXPECT_TRUE(IsBlend(driver.PixelAt(x, 100), green, Frozen(x, 100), 127)) << x;
        EXPECT_EQ(driver.PixelAt(x, 110), Frozen(x, 110)) << x;
        EXPECT_EQ(driver.PixelAt(x, 90), Frozen(x, 90)) << x;
    }
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(Board, AFilledRectangleDrawnInBlueEndsRedWithTheOpacity)
{
    const COLORREF blue = RGB(0, 0, 255);
    app.m_crColor = blue;
    app.m_nAlphaPercent = 80;
    board->SelectRectFill();
    driver.MoveTo(160, 140);
    driver.Press();
    driver.MoveTo(120, 100);
    driver.MoveTo(60, 60);
    // The band is the outline in the pen's blue; the inside is untouched.
    EXPECT_EQ(driver.PixelAt(110, 60), NotXor(blue, Frozen(110, 60)));
    EXPECT_EQ(driver.PixelAt(60, 100), NotXor(blue, Frozen(60, 100)));
    EXPECT_EQ(driver.PixelAt(110, 100), Frozen(110, 100));
    driver.Release();
    // The board's red at 80 % (alpha 204) inside the box, nothing beyond.
    for (POINT p : { POINT { 61, 61 }, POINT { 110, 100 }, POINT { 159, 139 } })
        EXPECT_TRUE(IsBlend(driver.PixelAt(p.x, p.y), RGB(255, 0, 0), Frozen(p.x, p.y), 204)) << p.x << "," << p.y;
    for (POINT p : { POINT { 59, 100 }, POINT { 161, 100 }, POINT { 110, 59 }, POINT { 110, 141 } })
        EXPECT_EQ(driver.PixelAt(p.x, p.y), Frozen(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(Board, TheEraserRestoresTheSnapshotUnderTheMaskBelowTheEraserWindow)
{
    board->SelectRectFill();
    driver.Drag(POINT { 20, 30 }, POINT { 300, 230 });
    const auto figure = Screen();
    driver.Click(150, 150, platform::InputEvent::Right);
    EXPECT_EQ(Screen(), figure) << "a right click changes nothing";

    board->SelectEraser();
    const POINT pointer { 100, 98 };
    driver.MoveTo(pointer);
    EXPECT_EQ(driver.screen().Cursor(), app.LoadCursor(CMyWnd::IDC_BLANK)) << "the system cursor is hidden";
    CRect r;
    eraser.GetWindowRect(&r);
    EXPECT_TRUE(eraser.IsWindowVisible());
    EXPECT_EQ(r.TopLeft(), CPoint(pointer.x, pointer.y - 18));
    driver.Press();
    driver.MoveTo(200, 150);
    driver.Release();
    // WM_CLOSE hides the eraser window and nothing else.
    board->SendMessage(WM_CLOSE);
    driver.Pump();
    EXPECT_FALSE(eraser.IsWindowVisible());
    EXPECT_TRUE(board->IsWindowVisible());
    ExpectErasedAt(POINT { 100, 80 }, figure);
    ExpectErasedAt(POINT { 200, 132 }, figure);
    EXPECT_EQ(board->m_objects.size(), 1u);
}

TEST_F(Board, WithoutAToolAPressDoesNothingAndADragErases)
{
    {
        CClientDC dc(board.get());
        dc.FillSolidRect(0, 0, kW, kH - 18, RGB(250, 0, 250));
    }
    driver.Pump();
    const auto painted = Screen();
    driver.MoveTo(120, 120);
    driver.Press();
    EXPECT_EQ(Screen(), painted);
    driver.MoveTo(130, 125);
    driver.Release();
    EXPECT_FALSE(eraser.IsWindowVisible());
    ExpectErasedAt(POINT { 130, 107 }, painted);
    EXPECT_TRUE(board->m_objects.empty());
}

TEST_F(Board, ARepaintShowsTheSnapshotWithoutTheStrokes)
{
    board->SelectRectFill();
    driver.Drag(POINT { 20, 30 }, POINT { 300, 230 });
    const auto figure = Screen();
    // What the window system asks for where another window lay.
    const CRect covered(50, 60, 150, 130);
    CRect inClient(covered);
    inClient.OffsetRect(0, -18);
    board->InvalidateRect(&inClient, TRUE);
    driver.Pump();
    for (int y = 30; y < 230; ++y)
        for (int x = 20; x < 300; ++x)
            ASSERT_EQ(driver.PixelAt(x, y), covered.PtInRect(CPoint(x, y)) ? Frozen(x, y) : At(figure, x, y));
}

TEST_F(Board, ADragThatBeganElsewhereLeavesAFinishedStrokeAlone)
{
    board->SelectPen();
    driver.Drag(POINT { 40, 100 }, POINT { 200, 100 });
    const auto stroke = Screen();
    CWnd strip;
    strip.CreateEx(0, AfxRegisterWndClass(0), "strip", WS_POPUP | WS_VISIBLE, 0, 0, kW, 18, nullptr, nullptr);
    driver.Drag(POINT { 100, 5 }, POINT { 150, 150 });
    strip.DestroyWindow();
    driver.Pump();
    EXPECT_EQ(Screen(), stroke);
    EXPECT_TRUE(board->m_objects.at(0)->m_points.empty()) << "its points went at its release and none came since";
}

TEST_F(Board, StaysInFrontOfTheMainWindowWhenItTakesTheFocus)
{
    board.reset();
    CWnd main;
    main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP | WS_VISIBLE, 0, 0, kW, kH, nullptr, nullptr);
    app.m_pMainWnd = &main;
    Open();
    driver.Click(100, 100);
    EXPECT_EQ(::GetFocus(), board->m_hWnd);
    EXPECT_EQ(::GetWindow(board->m_hWnd, GW_OWNER), main.m_hWnd);
    EXPECT_EQ(::GetWindow(board->m_hWnd, GW_HWNDNEXT), main.m_hWnd) << "directly in front of it";
    EXPECT_EQ(driver.PixelAt(100, 100), Frozen(100, 100));
    board.reset();
    app.m_pMainWnd = nullptr;
}

} // namespace
