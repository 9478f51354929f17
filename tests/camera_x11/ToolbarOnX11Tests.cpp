// The camera toolbar on the real X screen (a private Xvfb): the parts of its
// picture painted in the yellow key are cut out of the window, so the
// desktop and other programs' windows show through them and take the
// clicks there, while the dark strip is the toolbar's own.

#include "tests/platform/x11/X11Fixture.h"

#include "camera/VideoConfigDlg.h"
#include "platform/window/ControlClasses.h"

#include <X11/Xlib.h>

#include <vector>

namespace {

using test::X11Test;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The points of one row of the toolbar's picture (bitmap 162) whose pixel
// is, or is not, the yellow key.
std::vector<POINT> PicturePoints(int row, bool yellow)
{
    HBITMAP picture = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(CVideoConfigDlg::IDB_BACKGROUND));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    std::vector<POINT> found;
    for (int x = 0; x < 1366; ++x)
        if ((GetPixel(dc, x, row) == CBitmapDialog::kKeyYellow) == yellow)
            found.push_back(POINT { x, row });
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
    return found;
}

// Whether a point of the window lies on none of its child controls.
bool ClearOfControls(HWND window, POINT client)
{
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        if (PtInRect(&r, client))
            return false;
    }
    return true;
}

TEST_F(X11Test, TheToolbarsYellowIsCutOutAndClicksThereReachTheWindowBelow)
{
    ws::ctl::EnsureControlClasses();
    // Another program's window where the toolbar will stand.
    ::Window below = OtherWindow(RECT { 0, height_ - 200, width_, height_ }, kWhite, ButtonPressMask);
    std::unique_ptr<CVideoConfigDlg> toolbar = CVideoConfigDlg::Open(nullptr);
    ASSERT_TRUE(toolbar);
    CRect bar;
    toolbar->GetWindowRect(&bar);
    ASSERT_EQ(bar.TopLeft(), CPoint(width_ - 1366, height_ - 120));

    // Row 20 is yellow from end to end; the dark strip below holds the
    // controls, and surface between them.
    const std::vector<POINT> yellow = PicturePoints(20, true);
    ASSERT_FALSE(yellow.empty());
    const POINT cut = yellow[yellow.size() / 2];
    POINT strip { -1, -1 };
    for (POINT p : PicturePoints(80, false))
        if (strip.x < 0 && ClearOfControls(toolbar->m_hWnd, p))
            strip = p;
    ASSERT_GE(strip.x, 0);
    const POINT cutOnScreen { bar.left + cut.x, bar.top + cut.y };
    const POINT stripOnScreen { bar.left + strip.x, bar.top + strip.y };
    ASSERT_TRUE(RunUntil([&] { return RootPixel(stripOnScreen.x, stripOnScreen.y) != kWhite; }))
        << "the toolbar never showed";
    EXPECT_EQ(RootPixel(cutOnScreen.x, cutOnScreen.y), kWhite) << "the window below shows through the yellow";

    MoveTo(cutOnScreen.x, cutOnScreen.y);
    Button(true);
    Button(false);
    XEvent ev;
    EXPECT_TRUE(RunUntil([&] { return OtherGot(below, ButtonPress, &ev); }));
    EXPECT_EQ(ev.xbutton.x_root, cutOnScreen.x);
    EXPECT_EQ(ev.xbutton.y_root, cutOnScreen.y);

    MoveTo(stripOnScreen.x, stripOnScreen.y);
    Button(true);
    Button(false);
    RunUntil([] { return false; }, 20);
    EXPECT_FALSE(OtherGot(below, ButtonPress)) << "the strip takes its own clicks";
    toolbar.reset();
}

} // namespace
