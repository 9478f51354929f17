// Line types on the drawing board: a type chosen mid-stroke reaches the
// figure under way, dashes leave gaps and the arrow a head at the final
// rendering, circles and ellipses are open rims from the 3 o'clock point,
// a type chosen afterwards changes nothing on screen, and a finished figure
// keeps only a shell. Also the eraser without its mask picture.

#include "draw/DrawSettings.h"
#include "tests/board/BoardTestSupport.h"

#include <cmath>
#include <numbers>

namespace {

using test::kH;
using test::kW;
using Board = test::BoardTest;

constexpr COLORREF kInk = RGB(0, 0, 200);

class BoardLineTypes : public Board {
protected:
    BoardLineTypes()
    {
        app.m_crColor = kInk;
        app.m_nPenWidth = 5;
    }
    // Whether the board shows ink (anything but the frozen screen) at a
    // screen point.
    bool Inked(int x, int y) const { return driver.PixelAt(x, y) != Frozen(x, y); }
    void Stroke(POINT from, POINT to)
    {
        driver.MoveTo(from);
        driver.Press();
        driver.MoveTo((from.x + to.x) / 2, (from.y + to.y) / 2);
        driver.MoveTo(to);
        driver.Release();
    }
};

TEST_F(BoardLineTypes, ATypeChosenMidStrokeReachesTheFigureAndItsDashesLeaveGaps)
{
    board->SelectLine();
    driver.MoveTo(40, 100);
    driver.Press();
    driver.MoveTo(280, 100);
    board->SetLineType(LINE_DASHED);
    ASSERT_NE(board->m_pCurrent, nullptr);
    INT dashes = 0;
    GdipGetPenDashCount(board->m_pCurrent->m_pGdipPen, &dashes);
    EXPECT_EQ(dashes, 4);
    driver.Release();
    // Width 5: dashes of 25, gaps of 10, from the line's start.
    for (int period = 0; period < 6; ++period) {
        const int start = 40 + period * 35;
        EXPECT_TRUE(Inked(start + 12, 100)) << "the middle of dash " << period;
        EXPECT_FALSE(Inked(start + 30, 100)) << "the middle of gap " << period;
    }
}

TEST_F(BoardLineTypes, AnArrowLineEndsInAHeadAndAChangeAfterwardsLeavesTheScreenAsItWas)
{
    board->SetLineType(LINE_ARROW);
    board->SelectLine();
    Stroke(POINT { 40, 150 }, POINT { 280, 150 });
    // The body is 5 wide (rows 148 to 152); the head, 10 wide, ends at the
    // last point; the round dot of radius 5 sits on the first.
    EXPECT_TRUE(Inked(272, 153)) << "the head is wider than the body";
    EXPECT_FALSE(Inked(200, 153)) << "beside the body";
    EXPECT_FALSE(Inked(283, 150)) << "nothing beyond the tip";
    EXPECT_TRUE(Inked(40, 154)) << "the start dot";
    const std::vector<COLORREF> drawn = Screen();

    board->SetLineType(LINE_DASHED);
    board->SetLineType(LINE_FREE);
    driver.Pump();
    EXPECT_EQ(Screen(), drawn) << "a finished figure is not drawn again";
}

TEST_F(BoardLineTypes, ACircleAndAnEllipseWithArrowsAreRimsFromThe3OClockPointNotClosedFigures)
{
    const struct {
        const char* what;
        void (CMyWnd::*select)();
        POINT from, to;
    } shapes[] = {
        { "circle", &CMyWnd::SelectCircle, { 160, 130 }, { 220, 130 } },
        { "ellipse", &CMyWnd::SelectEllipse, { 100, 90 }, { 220, 170 } },
    };
    for (const auto& s : shapes) {
        Open(); // a fresh board
        board->SetLineType(LINE_ARROW);
        (board.get()->*s.select)();
        Stroke(s.from, s.to);
        // Both rims run through (220, 130) on the right and (100, 130) on
        // the left, 5 wide. Only the right one carries the start dot and
        // the head (which points down the rim, so reaches above it).
        EXPECT_TRUE(Inked(220, 130)) << s.what;
        EXPECT_TRUE(Inked(100, 130)) << s.what;
        EXPECT_TRUE(Inked(224, 130)) << s.what << ": the dot and head at 3 o'clock";
        EXPECT_TRUE(Inked(223, 123)) << s.what << ": the head";
        EXPECT_FALSE(Inked(96, 130)) << s.what << ": nothing but the rim at 9 o'clock";
    }
}

TEST_F(BoardLineTypes, ADashedCircleIsDashedAllRound)
{
    board->SetLineType(LINE_DASHED);
    board->SelectCircle();
    Stroke(POINT { 160, 130 }, POINT { 220, 130 });
    int inked = 0, gaps = 0;
    for (int i = 0; i < 360; ++i) {
        const double a = i * std::numbers::pi / 180.0;
        const int x = static_cast<int>(std::lround(160 + 60 * std::cos(a)));
        const int y = static_cast<int>(std::lround(130 + 60 * std::sin(a)));
        (Inked(x, y) ? inked : gaps) += 1;
    }
    // Dashes of 25 and gaps of 10 along the rim.
    EXPECT_NEAR(inked / 360.0, 25.0 / 35.0, 0.1);
    EXPECT_NEAR(gaps / 360.0, 10.0 / 35.0, 0.1);
}

TEST_F(BoardLineTypes, AFinishedFigureKeepsOnlyAShellAndTheScreenKeepsItsPixels)
{
    board->SelectRectFill();
    Stroke(POINT { 40, 60 }, POINT { 200, 160 });
    ASSERT_EQ(board->m_objects.size(), 1u);
    const CDrawObj& shell = *board->m_objects[0];
    EXPECT_TRUE(shell.m_points.empty());
    EXPECT_EQ(shell.m_pGdipPen, nullptr);
    EXPECT_EQ(shell.m_pGdipBrush, nullptr);
    EXPECT_EQ(shell.m_pen.GetSafeHandle(), nullptr);
    EXPECT_EQ(shell.m_brush.GetSafeHandle(), nullptr);
    EXPECT_TRUE(Inked(120, 110));
}

// Resources are loaded from nowhere while it lives.
struct NoResources {
    NoResources() { AfxSetResourceHandle(nullptr); }
    ~NoResources() { AfxSetResourceHandle(AfxGetInstanceHandle()); }
};

TEST_F(Board, WithoutItsMaskPictureTheEraserSaysSoOnceAPressAndErasesNothing)
{
    board->SelectRectFill();
    driver.Drag(POINT { 20, 30 }, POINT { 300, 230 });
    const std::vector<COLORREF> figure = Screen();
    board->SelectEraser();
    std::vector<std::string> shown;
    CRect box;
    driver.WhenWaiting([&] {
        char caption[64] = {}, text[256] = {};
        GetWindowText(GetActiveWindow(), caption, sizeof caption);
        GetWindowText(GetDlgItem(GetActiveWindow(), 0xFFFF), text, sizeof text);
        GetWindowRect(GetActiveWindow(), &box);
        shown.push_back(std::string(caption) + ": " + text);
        driver.Key(VK_RETURN);
    });
    const POINT press { 240, 170 };
    {
        NoResources none;
        driver.MoveTo(press);
        driver.Press();
        driver.Release();
    }
    EXPECT_EQ(shown, std::vector<std::string> { "提示: 导入背景图失败!" });
    EXPECT_FALSE(driver.StepsLeft());
    // Where the box lay the board shows its snapshot again (it keeps no
    // strokes); everywhere else, the mask's footprint included, the figure
    // is as it was.
    int footprintSeen = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (box.PtInRect(CPoint(x, y)))
                continue;
            ASSERT_EQ(driver.PixelAt(x, y), At(figure, x, y)) << x << "," << y;
            footprintSeen += x >= press.x && y >= press.y;
        }
    EXPECT_GT(footprintSeen, 500) << "the box hid the place the eraser would have cleared";
}

} // namespace
