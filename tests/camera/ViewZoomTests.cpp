// Zooming the video view: steps and their limits, set percentages, actual
// size, fitting, the wheel about the cursor, and zoom across a rotation.

#include "tests/camera/VideoTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The view starts at (100, 50), 800 x 600: what factor 1 stands for.
class ZoomTest : public test::ViewTest {
protected:
    void SetUp() override { Open(); }
};

TEST_F(ZoomTest, ThreeStepsInFrom800PixelsAnswer110And121And133AndKeepTheCentre)
{
    const struct {
        int percent;
        CRect rect;
    } steps[] = { { 110, CRect(60, 20, 940, 680) }, { 121, CRect(16, -13, 984, 713) },
        { 133, CRect(-32, -49, 1032, 749) } };
    for (const auto& s : steps) {
        EXPECT_EQ(view.ZoomIn(), s.percent);
        EXPECT_EQ(ViewRect(), s.rect) << s.percent;
    }
}

TEST_F(ZoomTest, StepsStopBelowATenthAndAboveTenfoldAndSetPercentagesBecomeTheFactor)
{
    for (int i = 0; i < 22; ++i)
        view.ZoomOut();
    const CRect smallest = ViewRect();
    EXPECT_EQ(smallest.Width(), 78);
    EXPECT_EQ(view.ZoomOut(), 9);
    EXPECT_EQ(ViewRect(), smallest) << "the refusal changes nothing";

    view.FitToWindow();
    EXPECT_EQ(view.SetZoomPercent(250), 250);
    EXPECT_FLOAT_EQ(g_zoomFactor, 2.5f);
    EXPECT_EQ(ViewRect(), CRect(-500, -400, 1500, 1100));

    view.SetZoomPercent(100);
    for (int i = 0; i < 25; ++i)
        view.ZoomIn();
    const CRect largest = ViewRect();
    EXPECT_EQ(view.ZoomIn(), 1083);
    EXPECT_EQ(ViewRect(), largest);
    EXPECT_LT(view.ZoomOut(), 1083) << "the way back is open";
}

TEST_F(ZoomTest, ActualSizeAndFittingPlaceTheControlFromTheReferenceCorner)
{
    view.SetVideoSize(1280, 720);
    view.ZoomIn();
    EXPECT_EQ(view.ShowActualSize(), 160);
    EXPECT_FLOAT_EQ(g_zoomFactor, 1.6f);
    EXPECT_EQ(ViewRect(), CRect(100, 50, 1380, 770));

    view.Rotate(90);
    EXPECT_EQ(view.m_nVideoWidth, 720);
    view.ZoomIn();
    EXPECT_EQ(view.FitToWindow(), 100);
    EXPECT_EQ(g_zoomFactor, 1.0f);
    EXPECT_EQ(ViewRect(), CRect(100, 50, 700, 850)) << "the reference on its side";
    view.Rotate(180);
    view.FitToWindow();
    EXPECT_EQ(ViewRect(), CRect(100, 50, 900, 650));
}

TEST_F(ZoomTest, AZoomAfterARotationGoesOnFromThePresentFactor)
{
    view.SetZoomPercent(200); // 1600 x 1200
    view.Rotate(90); // 1200 x 1600, still twice the turned reference
    EXPECT_EQ(view.ZoomIn(), 220);
    EXPECT_EQ(ViewRect().Size(), CSize(1320, 1760));
}

TEST_F(ZoomTest, TheWheelZoomsAboutTheCursorWithoutLimits)
{
    view.SetFocus();
    // About the top-left corner: the corner stays.
    driver.MoveTo(OnScreen(0, 0));
    driver.Wheel(120);
    EXPECT_FLOAT_EQ(g_zoomFactor, 1.1f);
    EXPECT_EQ(ViewRect(), CRect(100, 50, 980, 710));
    driver.Wheel(-120);
    EXPECT_EQ(ViewRect(), CRect(100, 50, 892, 644));

    // About the centre: the control grows evenly around it.
    view.FitToWindow();
    driver.MoveTo(OnScreen(400, 300));
    driver.Wheel(120);
    EXPECT_EQ(ViewRect(), CRect(60, 20, 940, 680));

    view.SetZoomPercent(1000);
    driver.MoveTo(500, 350);
    driver.Wheel(120);
    EXPECT_FLOAT_EQ(g_zoomFactor, 11.0f);
}

} // namespace
