// The palette's commands as a teacher's hand gives them: tools on the live
// picture or on the board, the mode switch and its board over a fresh
// snapshot, blinking, the colour dialog, the width list, and saving.

#include "app/EraserDlg.h"
#include "app/SavePicture.h"
#include "draw/DrawSettings.h"
#include "platform/window/ColorDialog.h"
#include "platform/window/ComboBoxControl.h"
#include "platform/window/FileDialog.h"
#include "tests/palette/PaletteTestSupport.h"
#include "tests/support/FileTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using test::PaletteTest;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The text of the tooltip that belongs to a hover button (tool id 1 of its
// own tooltip window).
std::string HoverTip(HWND button)
{
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        char cls[64] = {};
        ::GetClassName(w, cls, sizeof cls);
        if (std::string(cls) != TOOLTIPS_CLASS)
            continue;
        char text[128] = {};
        TOOLINFO ti { sizeof(TOOLINFO), 0, button, 1, {}, nullptr, text, 0 };
        if (::SendMessage(w, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti))) {
            ::SendMessage(w, TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
            return text;
        }
    }
    return "";
}

// The stroke's width at column x around row y: the sum over the rows of how
// much of the stroke's full colour each shows over white (a row fully
// covered counts 1, a half-covered edge about 0.5).
double StrokeWidth(const headless::Driver& driver, int x, int y, int reach = 20)
{
    const int full = GetGValue(driver.PixelAt(x, y));
    double sum = 0;
    for (int r = y - reach; r <= y + reach; ++r)
        sum += static_cast<double>(255 - GetGValue(driver.PixelAt(x, r))) / (255 - full);
    return sum;
}

class PaletteCommands : public PaletteTest {
protected:
    void SetUp() override
    {
        Open();
        PublishWhite();
        Wait(20);
    }
    int ModeFace() const { return ControlRect(CInkveilDlg::IDC_MODE).Width(); }
    // The mode switch's face: a sample of its pixels.
    std::vector<COLORREF> Face(int id) const
    {
        const CRect r = ControlRect(id);
        std::vector<COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(driver.PixelAt(x, y));
        return out;
    }
    // The hand opens the width list and picks the item with that text.
    void PickWidth(const char* text)
    {
        Press(CInkveilDlg::IDC_WIDTH);
        HWND list = nullptr;
        for (HWND w = ::GetTopWindow(nullptr); w && !list; w = ::GetWindow(w, GW_HWNDNEXT)) {
            char cls[64] = {};
            ::GetClassName(w, cls, sizeof cls);
            if (std::string(cls) == ws::ctl::ComboBoxControl::kListClass && ::IsWindowVisible(w))
                list = w;
        }
        ASSERT_NE(list, nullptr) << "the list did not open";
        const int index = Palette()->m_cbWidth.FindStringExact(-1, text);
        const int top = static_cast<int>(::SendMessage(list, ws::ctl::LB_GETTOPINDEX, 0, 0));
        const int height = static_cast<int>(::SendMessage(list, ws::ctl::LB_GETITEMHEIGHT, 0, 0));
        POINT p { 5, (index - top) * height + height / 2 };
        ::ClientToScreen(list, &p);
        driver.Click(p.x, p.y);
    }
    const POINT from { 480, 400 }, to { 760, 400 };
};

TEST_F(PaletteCommands, ChoosingTenInTheWidthListMakesTheNextStrokeTenPixelsWideOnEitherSurface)
{
    EXPECT_EQ(driver.PixelAt(600, 400), kWhite) << "before the stroke";
    PickWidth("10");
    EXPECT_EQ(Palette()->m_cbWidth.GetCurSel(), 4);
    EXPECT_EQ(app.m_nPenWidth, 10);
    Press(CInkveilDlg::IDC_PEN);
    Stroke(from, to);
    Wait(20);
    EXPECT_NEAR(StrokeWidth(driver, 600, 400), 10, 0.5) << "on the live picture";

    // The board over the frozen screen: a stroke elsewhere on white.
    Press(CInkveilDlg::IDC_MODE);
    ASSERT_NE(Board(), nullptr);
    Press(CInkveilDlg::IDC_PEN);
    Stroke(POINT { 480, 300 }, POINT { 760, 300 });
    EXPECT_NEAR(StrokeWidth(driver, 600, 300), 10, 0.5) << "on the board";
    EXPECT_NEAR(StrokeWidth(driver, 600, 400), 10, 0.5) << "the frozen live stroke";
}

TEST_F(PaletteCommands, TheModeSwitchShowsTheStateItIsInAndNamesTheOther)
{
    const HWND mode = Palette()->m_btnMode.m_hWnd;
    const std::vector<COLORREF> live = Face(CInkveilDlg::IDC_MODE);
    EXPECT_EQ(HoverTip(mode), "切换到：在静态图片上绘画");
    Press(CInkveilDlg::IDC_MODE);
    driver.MoveTo(300, 300); // off the button: no highlight
    EXPECT_EQ(Palette()->DrawingMode(), CInkveilDlg::MODE_STILL);
    EXPECT_NE(Face(CInkveilDlg::IDC_MODE), live);
    EXPECT_EQ(HoverTip(mode), "切换到：在动态视频上绘画");
    Press(CInkveilDlg::IDC_MODE);
    driver.MoveTo(300, 300);
    EXPECT_EQ(Palette()->DrawingMode(), CInkveilDlg::MODE_LIVE);
    EXPECT_EQ(Face(CInkveilDlg::IDC_MODE), live);
    EXPECT_EQ(HoverTip(mode), "切换到：在静态图片上绘画");
}

TEST_F(PaletteCommands, PenMakesABoardOnlyInStillModeAndOnlyOnce)
{
    Press(CInkveilDlg::IDC_PEN);
    EXPECT_EQ(Board(), nullptr) << "live: the view's tool";
    EXPECT_EQ(View().m_nTool, TOOL_PEN);
    Press(CInkveilDlg::IDC_ERASE);
    EXPECT_EQ(View().m_nTool, TOOL_ERASE);

    // Into still mode and out again without drawing, then in: the press
    // on PEN finds the board the switch made.
    Press(CInkveilDlg::IDC_MODE);
    CMyWnd* board = Board();
    ASSERT_NE(board, nullptr);
    const CBitmap* snapshot = Palette()->m_pSnapshot.get();
    Press(CInkveilDlg::IDC_PEN);
    Press(CInkveilDlg::IDC_LINE);
    EXPECT_EQ(Board(), board);
    EXPECT_EQ(Palette()->m_pSnapshot.get(), snapshot) << "no second snapshot";
    EXPECT_EQ(Board()->m_nTool, TOOL_LINE);
    EXPECT_EQ(View().m_nTool, TOOL_ERASE) << "the view keeps its tool";

    // The board's window: "PaintBoard" from row 18 down, the palette still
    // above it.
    CRect r;
    Board()->GetWindowRect(&r);
    EXPECT_EQ(r, CRect(0, 18, 1366, 768));
    char name[32] = {};
    Board()->GetWindowText(name, sizeof name);
    EXPECT_STREQ(name, "PaintBoard");
    EXPECT_EQ(::WindowFromPoint(ControlCentre(CInkveilDlg::IDC_PEN)),
        Palette()->GetDlgItem(CInkveilDlg::IDC_PEN)->m_hWnd);
}

TEST_F(PaletteCommands, EraseBeforeABoardExistsDoesNothingInStillMode)
{
    // Still mode with no board: only the mode switch makes one, so leave
    // by the back door: switch, then discard the board as a leave would,
    // staying in still mode.
    Press(CInkveilDlg::IDC_MODE);
    Palette()->m_pBoard.reset();
    Press(CInkveilDlg::IDC_ERASE);
    EXPECT_EQ(Board(), nullptr);
    Press(CInkveilDlg::IDC_RECTFILL);
    ASSERT_NE(Board(), nullptr) << "a shape makes the board";
    EXPECT_EQ(Board()->m_bFill, 1);
    Press(CInkveilDlg::IDC_ERASE);
    EXPECT_EQ(Board()->m_nTool, TOOL_ERASE);
}

TEST_F(PaletteCommands, SolidCircleThenPenOnTheBoardLeavesFillOn)
{
    Press(CInkveilDlg::IDC_MODE);
    Press(CInkveilDlg::IDC_CIRCLEFILL);
    EXPECT_EQ(Board()->m_nTool, TOOL_CIRCLE);
    EXPECT_EQ(Board()->m_bFill, 1);
    Press(CInkveilDlg::IDC_PEN);
    EXPECT_EQ(Board()->m_nTool, TOOL_PEN);
    EXPECT_EQ(Board()->m_bFill, 1);
    Press(CInkveilDlg::IDC_ELLIPSE);
    EXPECT_EQ(Board()->m_bFill, 0);
    Press(CInkveilDlg::IDC_ELLIPSEFILL);
    EXPECT_EQ(Board()->m_nTool, TOOL_ELLIPSE);
    EXPECT_EQ(Board()->m_bFill, 1);
}

TEST_F(PaletteCommands, StillLiveStillDiscardsTheFirstBoardWithItsStrokesAndFreezesTheScreenAnew)
{
    Press(CInkveilDlg::IDC_MODE);
    Press(CInkveilDlg::IDC_PEN);
    Stroke(from, to);
    EXPECT_GT(StrokeWidth(driver, 600, 400), 2);
    Press(CInkveilDlg::IDC_MODE);
    EXPECT_EQ(Board(), nullptr);
    // The camera's picture turns grey meanwhile.
    test::PublishFrame(640, 480, [](int, int) { return RGB(90, 90, 90); });
    Wait(20);
    Press(CInkveilDlg::IDC_MODE);
    ASSERT_NE(Board(), nullptr);
    EXPECT_EQ(Board()->m_objects.size(), 0u);
    for (int y = 380; y <= 420; ++y)
        ASSERT_EQ(driver.PixelAt(600, y), RGB(90, 90, 90)) << y << ": the new snapshot, without the stroke";
}

TEST_F(PaletteCommands, BlinkInStillModeChangesTheButtonButNotTheView)
{
    const HWND blink = Palette()->m_btnBlink.m_hWnd;
    const std::vector<COLORREF> off = Face(CInkveilDlg::IDC_BLINK);
    EXPECT_EQ(HoverTip(blink), "闪烁显示");
    Press(CInkveilDlg::IDC_BLINK);
    driver.MoveTo(300, 300);
    EXPECT_EQ(View().m_bBlink, 1) << "live: the view blinks";
    EXPECT_EQ(HoverTip(blink), "正常显示");
    Press(CInkveilDlg::IDC_BLINK);
    driver.MoveTo(300, 300);
    EXPECT_EQ(View().m_bBlink, 0);

    Press(CInkveilDlg::IDC_MODE);
    Press(CInkveilDlg::IDC_BLINK);
    driver.MoveTo(300, 300);
    EXPECT_EQ(Palette()->BlinkFlag(), 1);
    EXPECT_NE(Face(CInkveilDlg::IDC_BLINK), off);
    EXPECT_EQ(HoverTip(blink), "正常显示");
    EXPECT_EQ(View().m_bBlink, 0) << "still: the view is not told";
    Press(CInkveilDlg::IDC_MODE);
    EXPECT_EQ(View().m_bBlink, 0) << "nor on the way back";
}

// The colour dialog comes up owned by the palette, in front of it and of the
// board.
// Cancel keeps the colour; a colour picked with OK is stored; the eraser
// window is hidden either way.
TEST_F(PaletteCommands, TheColourDialogKeepsTheColourOnCancelAndHidesTheEraserWindowAlways)
{
    Press(CInkveilDlg::IDC_MODE);
    HWND dialog = nullptr, owner = nullptr;
    bool inFront = false;
    driver.WhenWaiting([&] {
        dialog = ::GetActiveWindow();
        owner = ::GetWindow(dialog, GW_OWNER);
        // In front of the top-most palette, and so of the board.
        for (HWND w = ::GetTopWindow(nullptr); w && w != Palette()->m_hWnd; w = ::GetWindow(w, GW_HWNDNEXT))
            inFront = inFront || w == dialog;
        driver.Key(VK_ESCAPE);
    });
    app.m_pEraserDlg->ShowWindow(SW_SHOW);
    Press(CInkveilDlg::IDC_COLOR);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(owner, Palette()->m_hWnd);
    EXPECT_TRUE(inFront);
    EXPECT_EQ(app.m_crColor, RGB(255, 0, 0));
    EXPECT_FALSE(app.m_pEraserDlg->IsWindowVisible());

    COLORREF picked = 0;
    driver.WhenWaiting([&] {
        HWND box = ::GetDlgItem(::GetActiveWindow(), ws::dlg::kFirstBasicId + 10);
        CRect r;
        ::GetWindowRect(box, &r);
        picked = driver.PixelAt(r.CenterPoint().x, r.CenterPoint().y);
        driver.Click(r.CenterPoint().x, r.CenterPoint().y);
    });
    driver.WhenWaiting([&] { driver.Key(VK_RETURN); });
    app.m_pEraserDlg->ShowWindow(SW_SHOW);
    Press(CInkveilDlg::IDC_COLOR);
    EXPECT_NE(picked, RGB(255, 0, 0));
    EXPECT_EQ(app.m_crColor, picked);
    EXPECT_FALSE(app.m_pEraserDlg->IsWindowVisible());
}

TEST_F(PaletteCommands, TheLineTypeGoesToWhicheverSurfaceIsActive)
{
    Palette()->SetLineType(LINE_DASHED);
    EXPECT_EQ(View().m_nLineType, LINE_DASHED);
    Press(CInkveilDlg::IDC_MODE);
    EXPECT_EQ(Board()->m_nLineType, LINE_DASHED) << "a new board takes the palette's";
    Palette()->SetLineType(LINE_ARROW);
    EXPECT_EQ(Board()->m_nLineType, LINE_ARROW);
    EXPECT_EQ(View().m_nLineType, LINE_DASHED) << "still mode leaves the view alone";
}

TEST_F(PaletteCommands, SaveWritesTheBoardAndSaysSoWhenTheFileCannotBeWritten)
{
    Press(CInkveilDlg::IDC_MODE);
    Press(CInkveilDlg::IDC_PEN);
    Stroke(from, to);
    test::TempFolder folder;
    const std::string path = folder.File("board.bmp");
    auto typePath = [&] {
        HWND name = ::GetDlgItem(::GetActiveWindow(), ws::dlg::kFileNameId);
        ::SendMessage(name, EM_SETSEL, 0, -1);
        ::SetFocus(name);
        driver.Type(path);
        driver.Key(VK_RETURN);
    };
    driver.WhenWaiting(typePath);
    Press(CInkveilDlg::IDC_SAVE);
    std::ifstream written(path, std::ios::binary | std::ios::ate);
    EXPECT_EQ(static_cast<long>(written.tellg()), 54L + 4L * 1366 * 750);

    // The disk fills up: a box owned by the palette names the path, and the
    // old file stays whole.
    std::string said, caption;
    HWND owner = nullptr;
    driver.WhenWaiting(typePath);
    driver.WhenWaiting([&] { driver.Key(VK_RETURN); }); // yes, replace it
    driver.WhenWaiting([&] {
        HWND box = ::GetActiveWindow();
        char text[512] = {};
        ::GetWindowText(::GetDlgItem(box, 0xFFFF), text, sizeof text);
        said = text;
        ::GetWindowText(box, text, sizeof text);
        caption = text;
        owner = ::GetWindow(box, GW_OWNER);
        driver.Key(VK_RETURN);
    });
    {
        test::DiskFull full(4096);
        Press(CInkveilDlg::IDC_SAVE);
    }
    EXPECT_EQ(said, SaveFailedMessage(path));
    EXPECT_NE(said.find(path), std::string::npos);
    EXPECT_EQ(caption, "提示");
    EXPECT_EQ(owner, Palette()->m_hWnd);
    EXPECT_EQ(folder.Names(), std::vector<std::string> { "board.bmp" });
    std::ifstream kept(path, std::ios::binary | std::ios::ate);
    EXPECT_EQ(static_cast<long>(kept.tellg()), 54L + 4L * 1366 * 750);

    // Cancelled: no box. Back in live mode there is no board: no dialog.
    bool waited = false;
    driver.WhenWaiting([&] { driver.Key(VK_ESCAPE); });
    driver.WhenWaiting([&] { waited = true; });
    Press(CInkveilDlg::IDC_SAVE);
    EXPECT_FALSE(waited) << "a cancelled dialog says nothing";
    Press(CInkveilDlg::IDC_MODE);
    Press(CInkveilDlg::IDC_SAVE);
    EXPECT_FALSE(waited) << "live mode: no board, no dialog";
    EXPECT_TRUE(driver.StepsLeft());
}

} // namespace
