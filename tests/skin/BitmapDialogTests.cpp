// The bitmap-skinned dialog: the runs a picture's rows give, the outline
// built from them (shown and clickable exactly there, painted from the
// bitmap) and dragging by the surface.

#include "platform/afx/WndClass.h"
#include "platform/headless/Driver.h"
#include "platform/window/Resources.h"
#include "skin/BitmapDialog.h"
#include "skin/SkinRuns.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT IDD_SKIN = 9301;
constexpr UINT IDB_WORKED = 9302;
constexpr UINT IDB_ALL_KEY = 9303;
constexpr UINT IDB_BLOCK = 9304;
constexpr UINT IDB_MISSING = 9399; // never registered

constexpr COLORREF kKey = RGB(255, 255, 0);
constexpr COLORREF kA = RGB(200, 30, 30);
constexpr COLORREF kB = RGB(30, 200, 30);
constexpr COLORREF kBelow = RGB(10, 120, 200);
constexpr POINT kAt { 100, 80 };

// A picture from rows of letters: K is the key colour, A and B others.
std::vector<COLORREF> Colors(const std::vector<std::string>& rows)
{
    std::vector<COLORREF> out;
    for (const std::string& row : rows)
        for (char c : row)
            out.push_back(c == 'K' ? kKey : c == 'A' ? kA : kB);
    return out;
}

void AddPicture(UINT id, const std::vector<std::string>& rows)
{
    res::Bitmap bitmap;
    bitmap.width = static_cast<int>(rows[0].size());
    bitmap.height = static_cast<int>(rows.size());
    for (COLORREF c : Colors(rows))
        bitmap.pixels.push_back(gdi::PixelFromColorRef(c));
    res::AddBitmap(res::Name { id, "" }, bitmap);
}

const std::vector<std::string> kWorkedRows = { "KAAKKBK", "AAKAAAA", "KKKKKKK" };

void RegisterResources()
{
    res::DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | DS_SETFONT;
    t.cx = 20;
    t.cy = 20;
    t.fontFace = "MS Shell Dlg";
    t.pointSize = 8;
    res::AddDialog(res::Name { IDD_SKIN, "" }, t);
    AddPicture(IDB_WORKED, kWorkedRows);
    AddPicture(IDB_ALL_KEY, { "KKKK", "KKKK", "KKKK" });
    AddPicture(IDB_BLOCK, { "KAAAKK", "KAAAKK", "KAAAKK", "KAAAKK" });
}

// A skinned popup of a given size at kAt, set up the way the program's
// popups are, counting the presses its surface receives.
class SkinDialog : public CBitmapDialog {
public:
    SkinDialog(UINT bitmap, SIZE size, BOOL drag)
        : CBitmapDialog(IDD_SKIN, nullptr)
        , drag_(drag)
        , bitmap_(bitmap)
        , size_(size)
    {
    }
    BOOL OnInitDialog() override
    {
        CBitmapDialog::OnInitDialog();
        MoveWindow(kAt.x, kAt.y, size_.cx, size_.cy, FALSE);
        LoadBackground(bitmap_);
        m_bDragAnywhere = drag_;
        SetTransparentColor(kKey);
        SetShaped(TRUE);
        return TRUE;
    }
    int presses = 0;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point)
    {
        ++presses;
        CBitmapDialog::OnLButtonDown(flags, point);
    }
    DECLARE_MESSAGE_MAP()

private:
    BOOL drag_;
    UINT bitmap_;
    SIZE size_;
};

BEGIN_MESSAGE_MAP(SkinDialog, CBitmapDialog)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// A plain window under the dialogs, filled with kBelow, counting presses.
class BelowWnd : public CWnd {
public:
    int presses = 0;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { ++presses; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BelowWnd, CWnd)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST(SkinRuns, WorkedRowsGiveTheirRuns)
{
    struct Case {
        const char* row;
        int scanWidth;
        std::vector<skin::Run> runs;
    };
    const Case cases[] = {
        { "KAAKKBK", 7, { { 0, 1, 3 }, { 0, 5, 6 } } },
        { "AAKAAAA", 7, { { 0, 0, 2 }, { 0, 3, 7 } } },
        { "KKKKKKK", 7, {} },
        { "AAAAAAA", 7, { { 0, 0, 7 } } }, // no key pixel: the full scan width
        { "KKAABAA", 7, { { 0, 2, 7 } } }, // a leading key run adds nothing
        { "AAAKAAB", 4, { { 0, 0, 3 } } }, // nothing beyond the scan width
        { "AAAAKAB", 3, { { 0, 0, 3 } } },
    };
    for (const Case& c : cases) {
        std::vector<COLORREF> row = Colors({ c.row });
        EXPECT_EQ(skin::FindRuns(row.data(), 7, c.scanWidth, 1, kKey), c.runs) << c.row << " / " << c.scanWidth;
    }
    // Rows come in order, each numbered, and no row beyond the scan height.
    std::vector<COLORREF> picture = Colors(kWorkedRows);
    const std::vector<skin::Run> all = { { 0, 1, 3 }, { 0, 5, 6 }, { 1, 0, 2 }, { 1, 3, 7 } };
    EXPECT_EQ(skin::FindRuns(picture.data(), 7, 7, 3, kKey), all);
    EXPECT_EQ(skin::FindRuns(picture.data(), 7, 7, 1, kKey), std::vector<skin::Run>(all.begin(), all.begin() + 2));
}

class BitmapDialogTest : public ::testing::Test {
protected:
    BitmapDialogTest()
    {
        RegisterResources();
        static HBRUSH fill = ::CreateSolidBrush(kBelow);
        below.CreateEx(0, AfxRegisterWndClass(0, nullptr, fill), "below", WS_POPUP | WS_VISIBLE, 50, 50, 300, 200,
            nullptr, nullptr);
        driver.Pump();
    }

    std::unique_ptr<SkinDialog> Open(UINT bitmap, SIZE size, BOOL drag = FALSE)
    {
        auto dlg = std::make_unique<SkinDialog>(bitmap, size, drag);
        EXPECT_TRUE(dlg->Create(IDD_SKIN, nullptr));
        driver.Pump();
        return dlg;
    }

    // Whether each window pixel lies in the window's outline.
    static std::vector<std::string> Outline(HWND hwnd, int width, int height)
    {
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        ::GetWindowRgn(hwnd, rgn);
        std::vector<std::string> rows;
        for (int y = 0; y < height; ++y) {
            rows.emplace_back();
            for (int x = 0; x < width; ++x)
                rows.back() += ::PtInRegion(rgn, x, y) ? '#' : '.';
        }
        ::DeleteObject(rgn);
        return rows;
    }

    headless::Driver driver { 400, 300 };
    BelowWnd below;
};

TEST_F(BitmapDialogTest, TheOutlineIsTheNonKeyPixelsOfTheBitmapWithinTheClientArea)
{
    // The client area is larger than the bitmap: what lies beyond is cut.
    auto dlg = Open(IDB_WORKED, SIZE { 10, 5 });
    ASSERT_TRUE(dlg->m_bHasBitmap);
    const std::vector<std::string> want = { ".##..#....", "##.####...", "..........", "..........", ".........." };
    EXPECT_EQ(Outline(dlg->m_hWnd, 10, 5), want);
    // On screen: the bitmap where the outline is, the window below elsewhere.
    std::vector<COLORREF> colors = Colors(kWorkedRows);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x) {
            COLORREF expected = want[y][x] == '#' ? colors[y * 7 + x] : kBelow;
            ASSERT_EQ(driver.PixelAt(kAt.x + x, kAt.y + y), expected) << x << "," << y;
        }
}

TEST_F(BitmapDialogTest, AnAllKeyBackgroundIsInvisibleAndClickThrough)
{
    auto dlg = Open(IDB_ALL_KEY, SIZE { 4, 3 });
    EXPECT_EQ(Outline(dlg->m_hWnd, 4, 3), std::vector<std::string>(3, "...."));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(driver.PixelAt(kAt.x + x, kAt.y + y), kBelow) << x << "," << y;
    driver.Click(kAt.x + 1, kAt.y + 1);
    EXPECT_EQ(dlg->presses, 0);
    EXPECT_EQ(below.presses, 1);
}

TEST_F(BitmapDialogTest, APressAnywhereMovesTheWindowOnlyWhenAsked)
{
    for (BOOL drag : { TRUE, FALSE }) {
        auto dlg = Open(IDB_BLOCK, SIZE { 6, 4 }, drag);
        driver.Drag(POINT { kAt.x + 2, kAt.y + 1 }, POINT { kAt.x + 32, kAt.y + 21 });
        CRect r;
        dlg->GetWindowRect(&r);
        EXPECT_EQ(dlg->presses, 1);
        EXPECT_EQ(r.TopLeft(), drag ? CPoint(kAt.x + 30, kAt.y + 20) : CPoint(kAt.x, kAt.y)) << "drag " << drag;
    }
}

TEST_F(BitmapDialogTest, AMissingBackgroundLeavesTheWholeDialogToDefaultErasing)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    auto dlg = Open(IDB_MISSING, SIZE { 6, 4 });
    EXPECT_FALSE(dlg->m_bHasBitmap);
    EXPECT_EQ(Outline(dlg->m_hWnd, 6, 4), std::vector<std::string>(4, "######")) << "shaped, but nothing to cut";
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(driver.PixelAt(kAt.x + x, kAt.y + y), face) << x << "," << y;

    // A background that goes missing later: the old one is let go as well.
    auto skinned = Open(IDB_BLOCK, SIZE { 6, 4 });
    ASSERT_TRUE(skinned->m_bHasBitmap);
    EXPECT_FALSE(skinned->LoadBackground(IDB_MISSING));
    EXPECT_FALSE(skinned->m_bHasBitmap);
    EXPECT_FALSE(skinned->m_bOwnsBitmap);
    skinned->Invalidate();
    driver.Pump();
    EXPECT_EQ(driver.PixelAt(kAt.x + 2, kAt.y + 1), face);
}

} // namespace
