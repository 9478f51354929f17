// The image adjustment panel, opened from the toolbar by the teacher's hand
// on the headless screen over an emulated camera: where it stands, the
// camera's values on its sliders, values sent at a release or key only
// (read back from the emulated device's controls), the half-second
// self-hide and what cancels it, and hidden panels not piling up.

#include "camera/VideoConfigBSC.h"
#include "tests/camera/ToolbarTestSupport.h"

#include <linux/videodev2.h>

#include <gtest/gtest.h>

namespace {

using test::ToolbarTest;

// Brightness 0..200 at 50, saturation 0..100 at 70, contrast 0..255 at 51:
// 25, 70 and 20 percent.
const std::vector<v4l2::EmulatedControl> kControls = {
    { V4L2_CID_BRIGHTNESS, 0, 200, 1, 100, 50 },
    { V4L2_CID_SATURATION, 0, 100, 1, 50, 70 },
    { V4L2_CID_CONTRAST, 0, 255, 1, 128, 51 },
};

class PanelTest : public ToolbarTest {
protected:
    // Presses the toolbar's adjustment button and answers the panel it
    // opened.
    CVideoConfigBSC& PressAdjust()
    {
        ClickControl(CVideoConfigDlg::IDC_ADJUST);
        EXPECT_NE(Toolbar().m_pAdjustPanel, nullptr);
        return *Toolbar().m_pAdjustPanel;
    }
    // A point of the panel's own surface, clear of its sliders.
    static CPoint Surface(const CVideoConfigBSC& panel) { return Offset(ScreenRect(panel.m_hWnd).TopLeft(), 8, 8); }
    static CPoint Outside(const CVideoConfigBSC& panel) { return Offset(ScreenRect(panel.m_hWnd).TopLeft(), -40, 8); }
    static CPoint Offset(CPoint p, int dx, int dy) { return CPoint(p.x + dx, p.y + dy); }
};

TEST_F(PanelTest, ItOpensAbovePointerWithTheCamerasValuesAndSendsThemOnlyAtTheRelease)
{
    auto camera = AddCamera("Doc Cam", { { 640, 480 } }, kControls);
    Open();
    const CPoint pressed = Centre(Toolbar().m_btnAdjust.m_hWnd);
    CVideoConfigBSC& panel = PressAdjust();
    EXPECT_TRUE(panel.IsWindowVisible());
    const CRect at = ScreenRect(panel.m_hWnd);
    EXPECT_EQ(at.TopLeft(), Offset(pressed, -100, -160));
    EXPECT_TRUE(panel.GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(panel.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(panel.m_sliderBrightness.GetPos(), 25);
    EXPECT_EQ(panel.m_sliderSaturation.GetPos(), 70);
    EXPECT_EQ(panel.m_sliderContrast.GetPos(), 20);
    EXPECT_EQ(ScreenRect(panel.m_sliderBrightness.m_hWnd).Size(), CSize(138, 13));

    // A drag from the thumb (at 25 %) to 50 %: the channel is 138 wide, the
    // thumb 12, the margins 2 and 2, so the thumb's centre travels 122
    // pixels from x = 8.
    const CRect slider = ScreenRect(panel.m_sliderBrightness.m_hWnd);
    const int y = slider.top + 6;
    driver.MoveTo(slider.left + 8 + 30, y);
    driver.Press();
    for (int x = slider.left + 45; x <= slider.left + 8 + 61; x += 8) {
        driver.MoveTo(x, y);
        EXPECT_EQ(camera->ControlValue(V4L2_CID_BRIGHTNESS), 50) << "nothing is sent during the drag";
    }
    driver.MoveTo(slider.left + 8 + 61, y);
    EXPECT_EQ(panel.m_sliderBrightness.GetPos(), 50);
    EXPECT_EQ(camera->ControlValue(V4L2_CID_BRIGHTNESS), 50);
    driver.Release();
    EXPECT_EQ(camera->ControlValue(V4L2_CID_BRIGHTNESS), 100) << "50 % of 0..200 at the release";
    EXPECT_EQ(camera->ControlValue(V4L2_CID_SATURATION), 70) << "the other rows untouched";
}

TEST_F(PanelTest, KeysOnAFocusedSliderSetTheCameraAtOnce)
{
    auto camera = AddCamera("Doc Cam", { { 640, 480 } }, kControls);
    Open();
    CVideoConfigBSC& panel = PressAdjust();
    const struct {
        UINT key;
        int percent;
        std::int32_t value; // of 0..255
    } keys[] = {
        { VK_END, 100, 255 }, { VK_HOME, 0, 0 }, { VK_NEXT, 20, 51 }, { VK_NEXT, 40, 102 }, { VK_PRIOR, 20, 51 },
        { VK_HOME, 0, 0 }, // at the end already: sent again all the same
    };
    panel.m_sliderContrast.SetFocus();
    for (const auto& k : keys) {
        driver.Key(k.key);
        EXPECT_EQ(panel.m_sliderContrast.GetPos(), k.percent);
        EXPECT_EQ(camera->ControlValue(V4L2_CID_CONTRAST), k.value) << k.percent;
    }
}

TEST_F(PanelTest, ACameraWithoutControlsGivesZerosAndRefusesSilently)
{
    auto camera = AddCamera("Plain Cam", { { 640, 480 } });
    Open();
    CVideoConfigBSC& panel = PressAdjust();
    EXPECT_EQ(panel.m_sliderBrightness.GetPos(), 0);
    EXPECT_EQ(panel.m_sliderSaturation.GetPos(), 0);
    EXPECT_EQ(panel.m_sliderContrast.GetPos(), 0);
    // No message box: the headless driver would stop the test on one, for
    // want of a step to answer it.
    panel.m_sliderBrightness.SetFocus();
    driver.Key(VK_END);
    EXPECT_EQ(panel.m_sliderBrightness.GetPos(), 100);
    EXPECT_TRUE(panel.IsWindowVisible());
}

TEST_F(PanelTest, APanelPlacedNearTheLeftEdgeStandsPartlyOffTheScreen)
{
    AddCamera("Doc Cam", { { 640, 480 } }, kControls);
    Open();
    CVideoConfigBSC panel(40, 300, nullptr);
    ASSERT_TRUE(panel.Create(CVideoConfigBSC::IDD, &Toolbar()));
    panel.ShowWindow(SW_SHOW);
    driver.Pump();
    EXPECT_EQ(ScreenRect(panel.m_hWnd).TopLeft(), CPoint(-60, 140));
    EXPECT_EQ(panel.m_sliderSaturation.GetPos(), 70);
}

TEST_F(PanelTest, ItHidesHalfASecondAfterThePointerLeavesAcrossItsSurfaceAndThenGoes)
{
    AddCamera("Doc Cam", { { 640, 480 } }, kControls);
    Open();
    CVideoConfigBSC& panel = PressAdjust();
    const HWND window = panel.m_hWnd;

    // Never entered: it stays.
    driver.Advance(3000);
    ASSERT_TRUE(::IsWindowVisible(window));

    // Onto a slider from the surface: a leave, but the slider's moves
    // cancel the hide.
    const CPoint slider = Centre(panel.m_sliderSaturation.m_hWnd);
    driver.MoveTo(Surface(panel));
    driver.MoveTo(slider);
    driver.MoveTo(Offset(slider, 3, 0));
    driver.Advance(1000);
    ASSERT_TRUE(::IsWindowVisible(window));

    // Back over the surface and out.
    driver.MoveTo(Surface(panel));
    driver.MoveTo(Outside(panel));
    driver.Advance(499);
    ASSERT_TRUE(::IsWindowVisible(window));
    driver.Advance(1);
    EXPECT_FALSE(::IsWindow(window)) << "hidden, then destroyed once its handler returned";
    EXPECT_TRUE(Toolbar().m_panels.empty());
    EXPECT_EQ(Toolbar().m_pAdjustPanel, nullptr);
}

TEST_F(PanelTest, AMoveOnThePanelCancelsAPendingHide)
{
    AddCamera("Doc Cam", { { 640, 480 } }, kControls);
    Open();
    CVideoConfigBSC& panel = PressAdjust();
    const HWND window = panel.m_hWnd;
    driver.MoveTo(Surface(panel));
    driver.MoveTo(Outside(panel));
    driver.Advance(400);
    driver.MoveTo(Surface(panel)); // back in time
    driver.Advance(1000);
    EXPECT_TRUE(::IsWindowVisible(window));
}

TEST_F(PanelTest, TwoPressesShowTwoPanelsAndNeitherIsLeftOnceBothHaveHidden)
{
    AddCamera("Doc Cam", { { 640, 480 } }, kControls);
    Open();
    auto topLevels = [] {
        int n = 0;
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
            ++n;
        return n;
    };
    const int before = topLevels();
    CVideoConfigBSC& first = PressAdjust();
    CVideoConfigBSC& second = PressAdjust();
    const HWND older = first.m_hWnd, newer = second.m_hWnd;
    EXPECT_NE(older, newer);
    EXPECT_TRUE(::IsWindowVisible(older));
    EXPECT_TRUE(::IsWindowVisible(newer));
    EXPECT_EQ(Toolbar().m_pAdjustPanel, &second) << "only the newest is remembered";
    EXPECT_EQ(topLevels(), before + 2);

    // The newer one lies over the older; each hides once the pointer has
    // crossed it and left.
    driver.MoveTo(Surface(second));
    driver.MoveTo(Outside(second));
    driver.Advance(500);
    EXPECT_FALSE(::IsWindow(newer));
    EXPECT_TRUE(::IsWindowVisible(older));
    EXPECT_EQ(Toolbar().m_pAdjustPanel, nullptr);
    driver.MoveTo(Surface(first));
    driver.MoveTo(Outside(first));
    driver.Advance(500);
    EXPECT_FALSE(::IsWindow(older));
    EXPECT_EQ(topLevels(), before);

    // A class period of presses piles nothing up; what is open when the
    // toolbar goes goes with it.
    for (int i = 0; i < 20; ++i) {
        CVideoConfigBSC& panel = PressAdjust();
        driver.MoveTo(Surface(panel));
        driver.MoveTo(Outside(panel));
        driver.Advance(500);
    }
    EXPECT_EQ(topLevels(), before);
    const HWND last = PressAdjust().m_hWnd;
    main->m_pPalette->m_pVideoConfigDlg.reset();
    EXPECT_FALSE(::IsWindow(last));
}

} // namespace
