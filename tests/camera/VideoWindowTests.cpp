// The program's start and end: the application runs the maximised video
// window modally, the view sits in its 4:3 area on dark grey, and closing
// the window releases the camera and shuts GDI+ down once.

#include "app/InkveilDlg.h"
#include "camera/VideoConfigDlg.h"
#include "camera/VideoDlg.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/camera/VideoTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class VideoWindowTest : public test::VideoTest {
protected:
    CVideoDlg* Main() const { return app.m_pMainDlg; }

    CRect ViewInWindow() const
    {
        CRect r;
        Main()->m_video.GetWindowRect(&r);
        Main()->ScreenToClient(&r);
        return r;
    }

    COLORREF WindowPixel(int x, int y) const
    {
        POINT p { x, y };
        ::ClientToScreen(Main()->m_hWnd, &p);
        return driver.PixelAt(p.x, p.y);
    }
};

TEST_F(VideoWindowTest, TheMaximisedMainWindowPlacesTheViewIn4To3OnDarkGreyAndTellsTheToolbarOfWheelZooms)
{
    std::vector<int> shown;
    driver.WhenWaiting([&] {
        ASSERT_NE(Main(), nullptr);
        EXPECT_EQ(app.m_pMainWnd, Main());
        CRect window;
        Main()->GetWindowRect(&window);
        Main()->ScreenToClient(&window);
        EXPECT_EQ(window, CRect(-8, -31, 1928, 1025)) << "1936 x 1056 at -31";
        EXPECT_EQ(ViewInWindow(), CRect(331, 19, 1605, 975));
        EXPECT_EQ(Main()->GetIcon(TRUE), Main()->m_hIcon);
        EXPECT_EQ(WindowPixel(100, 500), RGB(100, 100, 100));
        // The palette opened the toolbar, which hears of wheel turns; then
        // whoever sets the window's hook hears of them instead.
        ASSERT_TRUE(Main()->m_pPalette && Main()->m_pPalette->m_pVideoConfigDlg);
        EXPECT_TRUE(Main()->m_pPalette->m_pVideoConfigDlg->IsWindowVisible());
        Main()->m_video.SetFocus();
        driver.MoveTo(960, 520);
        driver.Wheel(120);
    });
    driver.WhenWaiting([&] {
        EXPECT_EQ(Main()->m_pPalette->m_pVideoConfigDlg->m_sliderZoom.GetPos(), 110);
        Main()->m_showZoom = [&](int percent) { shown.push_back(percent); };
        driver.Wheel(-120);
    });
    driver.WhenWaiting([&] {
        Main()->m_video.FitToWindow();
        Main()->m_video.SetZoomPercent(50); // the grey shows where the view was
    });
    driver.WhenWaiting([&] {
        EXPECT_EQ(ViewInWindow(), CRect(649, 258, 1286, 736));
        EXPECT_EQ(WindowPixel(340, 30), RGB(100, 100, 100));
        EXPECT_EQ(WindowPixel(1600, 880), RGB(100, 100, 100)) << "above the toolbar";
        Main()->PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(AfxRunApplication(), 0);
    EXPECT_FALSE(driver.StepsLeft());
    EXPECT_EQ(shown, std::vector<int> { 99 });
}

TEST_F(VideoWindowTest, ClosingTheMainWindowEndsTheProgramReleasesTheCameraAndShutsGdiplusDownOnce)
{
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 640, 480 } });
    devices.Add("/dev/video0", camera);
    driver.WhenWaiting([&] {
        ASSERT_NE(Main(), nullptr);
        EXPECT_EQ(Main()->m_video.m_nVideoWidth, 640);
        EXPECT_GT(camera->OpenHandles(), 0);
        EXPECT_NE(test::RegisteredGraphName(), "");
        Main()->PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(AfxRunApplication(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr) << "nothing finds the window object after it went";
    EXPECT_EQ(app.m_pMainDlg, nullptr);
    EXPECT_EQ(camera->OpenHandles(), 0);
    EXPECT_EQ(test::RegisteredGraphName(), "");
    // The test's own start-up of GDI+ still stands, so the program shut
    // down only its own; once the test's goes too, GDI+ is down.
    EXPECT_TRUE(test::GdiplusRunning());
    gdiplus.Shutdown();
    EXPECT_FALSE(test::GdiplusRunning());
}

TEST_F(VideoWindowTest, EnterAndEscapeLeaveTheMainWindowUpWhileBoxesOverItKeepThemAndClosingEndsIt)
{
    // Keys with the focus on the view, then with no focus at all (they go to
    // the active main window then).
    auto pressBoth = [&] {
        driver.Key(VK_ESCAPE);
        driver.Key(VK_RETURN);
    };
    int escaped = 0, entered = 0;
    driver.WhenWaiting([&] {
        ASSERT_NE(Main(), nullptr);
        Main()->m_video.SetFocus();
        ASSERT_EQ(::GetFocus(), Main()->m_video.m_hWnd);
        pressBoth();
    });
    driver.WhenWaiting([&] {
        ASSERT_TRUE(::IsWindowVisible(Main()->m_hWnd)) << "the keys on the view ended the program";
        ::SetFocus(nullptr);
        ASSERT_EQ(::GetActiveWindow(), Main()->m_hWnd);
        pressBoth();
    });
    // A message box over the main window still answers Esc and Enter.
    driver.WhenWaiting([&] {
        ASSERT_TRUE(::IsWindowVisible(Main()->m_hWnd)) << "the keys without focus ended the program";
        escaped = ::MessageBox(Main()->m_hWnd, "Esc", "box", MB_OKCANCEL);
        entered = ::MessageBox(Main()->m_hWnd, "Enter", "box", MB_OKCANCEL);
    });
    driver.WhenWaiting([&] { driver.Key(VK_ESCAPE); });
    driver.WhenWaiting([&] { driver.Key(VK_RETURN); });
    driver.WhenWaiting([&] {
        EXPECT_TRUE(::IsWindowVisible(Main()->m_hWnd));
        Main()->PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(AfxRunApplication(), 0);
    EXPECT_FALSE(driver.StepsLeft());
    EXPECT_EQ(escaped, IDCANCEL);
    EXPECT_EQ(entered, IDOK);
    EXPECT_EQ(app.m_pMainDlg, nullptr) << "WM_CLOSE still ends the program";
}

} // namespace
