// The camera toolbar driven by the teacher's hand on the headless screen,
// over emulated cameras, on the virtual clock: capture-size steps deferred
// until a burst settles, the resolution and zoom sliders, turns, the zoom
// tip with the true percentage, wheel zooms reaching the slider, the device
// list refilled when it opens, and the photograph.

#include "camera/VideoConfigBSC.h"
#include "camera/ViewZoom.h"
#include "platform/com/ClassRegistry.h"
#include "platform/dshow/DShow.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/camera/ToolbarTestSupport.h"

#include <gtest/gtest.h>

namespace {

using test::ToolbarTest;
using Dlg = CVideoConfigDlg;

// The table rows 640, 800 and 1280 are supported; the graph starts at 1280.
const std::vector<v4l2::FrameSize> kSizes = { { 640, 480 }, { 800, 600 }, { 1280, 720 } };

// The size the camera streams at, as text.
std::string Streaming(const v4l2::EmulatedDevice& camera)
{
    const v4l2::CurrentFormat f = camera.Current();
    return std::to_string(f.width) + "x" + std::to_string(f.height);
}

TEST_F(ToolbarTest, ItStandsTopMostAlongTheBottomWithoutATaskbarButton)
{
    AddCamera("Doc Cam", kSizes);
    Open();
    const CRect bar = ScreenRect(Toolbar().m_hWnd);
    EXPECT_EQ(bar.TopLeft(), CPoint(1920 - 1366, 1040 - 120));
    EXPECT_TRUE(Toolbar().GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(Toolbar().GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(Toolbar().GetExStyle() & WS_EX_APPWINDOW);
    EXPECT_EQ(Toolbar().m_comboDevice.GetCurSel(), 0);
    EXPECT_EQ(Toolbar().m_sliderResolution.GetPos(), 0);
    EXPECT_EQ(Toolbar().m_sliderZoom.GetPos(), 100);

    // Enter and Escape on a focused button leave it standing.
    ClickControl(Dlg::IDC_ROTATE_CW);
    ASSERT_EQ(GetFocus(), Toolbar().m_btnRotateCw.m_hWnd);
    driver.Key(VK_ESCAPE);
    driver.Key(VK_RETURN);
    EXPECT_TRUE(Toolbar().IsWindowVisible());
}

TEST_F(ToolbarTest, ThreeQuickHighSpeedPressesRebuildOnceAtStepOne100msAfterTheLast)
{
    auto camera = AddCamera("Doc Cam", kSizes);
    Open();
    ASSERT_EQ(Streaming(*camera), "1280x720");
    const std::string graph = test::RegisteredGraphName();
    for (int press = 0; press < 3; ++press) {
        if (press > 0)
            driver.Advance(99);
        ClickControl(Dlg::IDC_HIGH_SPEED);
        EXPECT_EQ(test::RegisteredGraphName(), graph) << "no rebuild before the burst settles";
    }
    EXPECT_EQ(Toolbar().m_nResolutionStep, 1);
    driver.Advance(99);
    EXPECT_EQ(Streaming(*camera), "1280x720");
    EXPECT_EQ(TipText(), "");

    driver.Advance(1);
    EXPECT_EQ(Streaming(*camera), "800x600");
    EXPECT_EQ(Toolbar().m_sliderResolution.GetPos(), 300);
    EXPECT_EQ(View().m_nVideoWidth, 800);
    EXPECT_EQ(TipText(), "800x600");
    const CRect hd = ScreenRect(Toolbar().m_btnHighDef.m_hWnd);
    EXPECT_EQ(ScreenRect(Toolbar().m_pTip->m_hWnd), CRect(CPoint(hd.left + 60, hd.top - 30), CSize(90, 20)));

    // One rebuild only: the graph of step 1 stays, and its tip closes 5 s
    // after it opened.
    const std::string rebuilt = test::RegisteredGraphName();
    driver.Advance(4999);
    EXPECT_EQ(TipText(), "800x600");
    driver.Advance(1);
    EXPECT_EQ(Toolbar().m_pTip, nullptr);
    driver.Advance(5000);
    EXPECT_EQ(test::RegisteredGraphName(), rebuilt);
}

TEST_F(ToolbarTest, HighDefinitionAtStepFourAndHighSpeedAtStepZeroDoNothing)
{
    auto camera = AddCamera("Doc Cam", kSizes);
    Open();
    const std::string graph = test::RegisteredGraphName();
    ClickControl(Dlg::IDC_HIGH_DEF);
    driver.Advance(6000);
    EXPECT_EQ(Toolbar().m_nResolutionStep, 4);
    EXPECT_EQ(TipText(), "");
    EXPECT_EQ(test::RegisteredGraphName(), graph);

    // To step 0 by the slider's far end, and let its tip close.
    Toolbar().m_sliderResolution.SetFocus();
    driver.Key(VK_END);
    driver.Advance(2000 + 5000);
    ASSERT_EQ(Streaming(*camera), "640x480");
    ASSERT_EQ(Toolbar().m_pTip, nullptr);
    const std::string smallest = test::RegisteredGraphName();
    ClickControl(Dlg::IDC_HIGH_SPEED);
    driver.Advance(6000);
    EXPECT_EQ(Toolbar().m_nResolutionStep, 0);
    EXPECT_EQ(TipText(), "");
    EXPECT_EQ(test::RegisteredGraphName(), smallest);
}

TEST_F(ToolbarTest, ASliderReleaseChoosesTheNearestStepAndTheSliderJumpsToItTwoSecondsLater)
{
    auto camera = AddCamera("Doc Cam", kSizes);
    Open();
    const struct {
        UINT from; // Home or End
        UINT key; // then this key
        int times;
        int released, step, shown;
        const char* size;
    } cases[] = {
        { VK_HOME, VK_RIGHT, 49, 49, 4, 0, "1280x720" }, // the 1600 row: no such format, the camera keeps its own
        { VK_HOME, VK_RIGHT, 50, 50, 3, 100, "1280x720" },
        { VK_END, VK_LEFT, 50, 350, 0, 400, "640x480" },
        { VK_HOME, VK_RIGHT, 300, 300, 1, 300, "800x600" },
    };
    for (const auto& c : cases) {
        Toolbar().m_sliderResolution.SetFocus();
        driver.Key(c.from);
        for (int i = 0; i < c.times; ++i)
            driver.Key(c.key);
        EXPECT_EQ(Toolbar().m_sliderResolution.GetPos(), c.released);
        EXPECT_EQ(Toolbar().m_nResolutionStep, c.step) << c.released;
        driver.Advance(1999);
        EXPECT_EQ(Toolbar().m_sliderResolution.GetPos(), c.released) << "not before the rebuild";
        driver.Advance(1);
        EXPECT_EQ(Toolbar().m_sliderResolution.GetPos(), c.shown) << c.released;
        EXPECT_EQ(Streaming(*camera), c.size) << c.released;
        EXPECT_EQ(TipText(), c.size) << c.released;
        driver.Advance(5000);
    }
}

TEST_F(ToolbarTest, AFailedRebuildPutsTheSliderAt400AndTipsTheSizeThenInForce)
{
    AddCamera("Doc Cam", kSizes);
    Open();
    // The next graph cannot get its colour converter.
    com::ClassOverride noConverter(CLSID_Colour, {});
    for (int press = 0; press < 3; ++press)
        ClickControl(Dlg::IDC_HIGH_SPEED);
    driver.Advance(100);
    EXPECT_EQ(Toolbar().m_sliderResolution.GetPos(), 400);
    EXPECT_EQ(Toolbar().m_nResolutionStep, 1) << "the step chosen stays";
    EXPECT_EQ(TipText(), "800x600") << "what the capture object reports after the attempt";
}

TEST_F(ToolbarTest, TurnsPassAbsoluteAnglesThatAreNeverWrapped)
{
    AddCamera("Doc Cam", kSizes);
    Open();
    std::vector<int> angles;
    for (int i = 0; i < 4; ++i) {
        ClickControl(Dlg::IDC_ROTATE_CCW);
        angles.push_back(View().m_nAngle);
    }
    ClickControl(Dlg::IDC_ROTATE_CW);
    angles.push_back(View().m_nAngle);
    EXPECT_EQ(angles, (std::vector<int> { -90, -180, -270, -360, -270 }));
}

TEST_F(ToolbarTest, AZoomSliderReleaseAt250ZoomsTheViewAndTipsIt200msLater)
{
    AddCamera("Doc Cam", kSizes);
    Open();
    const int reference = ScreenRect(View().m_hWnd).Width();
    Toolbar().m_sliderZoom.SetFocus();
    for (int i = 0; i < 7; ++i)
        driver.Key(VK_NEXT); // 100 to 240
    for (int i = 0; i < 10; ++i)
        driver.Key(VK_RIGHT);
    EXPECT_EQ(Toolbar().m_sliderZoom.GetPos(), 250);
    EXPECT_FLOAT_EQ(g_zoomFactor, 2.5f);
    EXPECT_EQ(ScreenRect(View().m_hWnd).Width(), reference * 5 / 2);
    driver.Advance(199);
    EXPECT_EQ(TipText(), "");
    driver.Advance(1);
    EXPECT_EQ(TipText(), "250%");
    const CRect out = ScreenRect(Toolbar().m_btnZoomOut.m_hWnd);
    EXPECT_EQ(ScreenRect(Toolbar().m_pTip->m_hWnd), CRect(CPoint(out.left + 40, out.top - 30), CSize(90, 20)));
    EXPECT_TRUE(Toolbar().m_pTip->GetExStyle() & WS_EX_TOPMOST);
    driver.Advance(3000);
    EXPECT_EQ(Toolbar().m_pTip, nullptr);
}

TEST_F(ToolbarTest, WheelAndButtonZoomsMoveTheSliderAndTipTheTruePercentage)
{
    AddCamera("Doc Cam", kSizes);
    Open();
    const struct {
        int notches; // on the view, + towards the screen
        int slider;
        const char* tip;
    } cases[] = {
        { 2, 121, "121%" },
        { 19, 600, "611%" }, // beyond the slider's end
        { -25, 10, "7%" },
    };
    for (const auto& c : cases) {
        ClickControl(Dlg::IDC_FIT);
        driver.Advance(3100);
        ASSERT_FLOAT_EQ(g_zoomFactor, 1.0f);
        // The wheel goes to the window with the focus.
        View().SetFocus();
        driver.MoveTo(Centre(View().m_hWnd));
        for (int i = 0; i < std::abs(c.notches); ++i)
            driver.Wheel(c.notches > 0 ? 120 : -120);
        EXPECT_EQ(Toolbar().m_sliderZoom.GetPos(), c.slider) << c.notches;
        driver.Advance(200);
        EXPECT_EQ(TipText(), c.tip) << c.notches;
        EXPECT_EQ(Toolbar().m_sliderZoom.GetPos(), c.slider) << c.notches;
    }
    // A button's zoom is tipped 100 ms after the last press.
    driver.Advance(3000);
    ClickControl(Dlg::IDC_FIT);
    ClickControl(Dlg::IDC_ZOOM_IN);
    driver.Advance(99);
    EXPECT_EQ(TipText(), "");
    driver.Advance(1);
    EXPECT_EQ(TipText(), "109%") << "1274 pixels times 1.1 are 1401, 109 % of them";
    EXPECT_EQ(Toolbar().m_sliderZoom.GetPos(), 109);
}

TEST_F(ToolbarTest, TheDeviceListOpensRefilledWithACameraPluggedInLaterWhichCanThenBeChosen)
{
    auto alpha = AddCamera("Alpha", kSizes);
    Open();
    auto beta = AddCamera("Beta", { { 640, 480 } });
    CComboBox& combo = Toolbar().m_comboDevice;
    ASSERT_EQ(combo.GetCount(), 1);

    const CPoint face = Centre(combo.m_hWnd);
    driver.Click(face.x, face.y);
    ASSERT_EQ(combo.GetCount(), 2);
    CString first, second;
    combo.GetLBText(0, first);
    combo.GetLBText(1, second);
    EXPECT_EQ(first, "Alpha");
    EXPECT_EQ(second, "Beta");
    EXPECT_EQ(combo.GetCurSel(), 0) << "the chosen camera stays chosen";

    driver.Key(VK_DOWN);
    driver.Key(VK_RETURN);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(alpha->OpenHandles(), 0) << "the old graph let its camera go";
    EXPECT_GT(beta->OpenHandles(), 0);
    EXPECT_EQ(Streaming(*beta), "640x480");
    EXPECT_EQ(View().m_nVideoWidth, 640);
    EXPECT_EQ(Toolbar().m_nResolutionStep, 4) << "the toolbar's step is not reset";
}

TEST_F(ToolbarTest, ACameraPluggedInAfterAStartWithoutOneCanBeChosen)
{
    Open();
    CComboBox& combo = Toolbar().m_comboDevice;
    ASSERT_EQ(combo.GetCount(), 0);
    auto alpha = AddCamera("Alpha", kSizes);
    const CPoint face = Centre(combo.m_hWnd);
    driver.Click(face.x, face.y);
    ASSERT_EQ(combo.GetCount(), 1);
    EXPECT_EQ(combo.GetCurSel(), -1) << "nothing chosen yet, so choosing it is a change";
    driver.Key(VK_DOWN);
    driver.Key(VK_RETURN);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_GT(alpha->OpenHandles(), 0);
    EXPECT_EQ(Streaming(*alpha), "1280x720");
}

TEST_F(ToolbarTest, TheChosenNameStaysChosenWhereverItMovesAndNothingIsChosenOnceItHasGone)
{
    auto alpha = AddCamera("Alpha", kSizes);
    auto beta = AddCamera("Beta", kSizes);
    Open();
    CComboBox& combo = Toolbar().m_comboDevice;
    const CPoint face = Centre(combo.m_hWnd);
    auto openList = [&] { driver.Click(face.x, face.y); };
    auto chosen = [&] {
        CString name;
        if (combo.GetCurSel() >= 0)
            combo.GetLBText(combo.GetCurSel(), name);
        return std::string(name.GetString());
    };
    openList();
    driver.Key(VK_DOWN);
    driver.Key(VK_RETURN);
    ASSERT_EQ(chosen(), "Beta");
    ASSERT_GT(beta->OpenHandles(), 0);

    alpha->Unplug();
    openList();
    EXPECT_EQ(combo.GetCount(), 1);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(chosen(), "Beta");
    driver.Key(VK_ESCAPE);

    auto gamma = AddCamera("Gamma", kSizes);
    beta->Unplug();
    openList();
    EXPECT_EQ(combo.GetCount(), 1);
    EXPECT_EQ(combo.GetCurSel(), -1);
    driver.Key(VK_DOWN);
    driver.Key(VK_RETURN);
    EXPECT_EQ(chosen(), "Gamma");
    EXPECT_GT(gamma->OpenHandles(), 0);
}

} // namespace
