// The camera toolbar on the real X screen (a private Xvfb): the parts of its
// picture painted in the yellow key are cut out of the window, so the
// desktop and other programs' windows show through them and take the
// clicks there, while the dark strip is the toolbar's own.

#include "tests/platform/x11/X11Fixture.h"

#include "camera/VideoConfigDlg.h"
#include "platform/window/ControlClasses.h"

#include <X11/Xlib.h>

namespace {

using test::X11Test;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A point of the toolbar's picture (bitmap 162) in the given row whose
// pixel is, or is not, the yellow key; (-1, -1) when there is none.
POINT PicturePoint(int row, bool yellow)
{
    HBITMAP picture = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(CVideoConfigDlg::IDB_BACKGROUND));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    POINT found { -1, -1 };
    for (int x = 0; x < 1366 && found.x < 0; ++x)
        if ((GetPixel(dc, x, row) == CBitmapDialog::kKeyYellow) == yellow)
            found = POINT { x, row };
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
    return found;
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

    // Row 20 is yellow from end to end; the strip's left end, clear of the
    // controls, is dark.
    const POINT cut = PicturePoint(20, true);
    const POINT strip = PicturePoint(80, false);
    ASSERT_GE(cut.x, 0);
    ASSERT_GE(strip.x, 0);
    ASSERT_LT(strip.x, 200) << "the strip's left end lies clear of the controls";
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
