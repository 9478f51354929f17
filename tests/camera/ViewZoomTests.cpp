// Zooming the video view: steps and their limits, set percentages, actual
// size, fitting, the wheel about the cursor, and zoom across a rotation.

#include "camera/ViewZoom.h"
#include "tests/camera/VideoTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

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

TEST_F(ZoomTest, TheWheelZoomsAboutTheCursorPastTheStepLimits)
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

TEST_F(ZoomTest, NoRunOfWheelNotchesLosesThePictureAndANotchBackAlwaysTurnsIt)
{
    using viewzoom::kMaxPlacedSide;
    using viewzoom::kMinPlacedSide;
    view.SetFocus();
    // The centre of the part of the control in sight in its 1200 x 900
    // host, on the screen: each notch and press is made there, so that the
    // cursor is over the control however small or large it gets.
    auto seenCentre = [&] {
        const CRect r = ViewRect();
        CRect seen;
        seen.IntersectRect(r, CRect(0, 0, 1200, 900));
        return OnScreen(seen.CenterPoint().x - r.left, seen.CenterPoint().y - r.top);
    };
    auto notches = [&](int count, short delta) {
        for (int i = 0; i < count; ++i) {
            driver.MoveTo(seenCentre());
            driver.Wheel(delta);
        }
    };
    // What the toolbar is told is the factor; it must say how large the
    // picture is next to the 800 pixels factor 1 stands for.
    auto percentIsTrue = [&] {
        const long long byWidth = ViewRect().Width() * 100LL / 800;
        return std::llabs(viewzoom::FactorPercent(g_zoomFactor) - byWidth) <= 1;
    };
    const struct {
        int away;
        short delta;
    } runs[] = { { 70, -120 }, { 160, 120 }, { 1000, -120 }, { 1000, 120 } };
    for (const auto& run : runs) {
        SCOPED_TRACE(std::to_string(run.away) + (run.delta < 0 ? " notches out" : " notches in"));
        view.FitToWindow();
        notches(run.away, run.delta);
        const CRect far = ViewRect();
        EXPECT_GE(far.Width(), kMinPlacedSide);
        EXPECT_GE(far.Height(), kMinPlacedSide);
        EXPECT_LE(far.Width(), kMaxPlacedSide);
        EXPECT_LE(far.Height(), kMaxPlacedSide);
        EXPECT_TRUE(percentIsTrue()) << g_zoomFactor << " for " << far.Width();

        notches(1, static_cast<short>(-run.delta));
        const CRect back = ViewRect();
        if (run.delta < 0)
            EXPECT_GT(back.Width(), far.Width());
        else
            EXPECT_LT(back.Width(), far.Width());
        EXPECT_TRUE(percentIsTrue());
        // A press on the picture still starts a pan.
        driver.MoveTo(seenCentre());
        driver.Press();
        EXPECT_EQ(view.m_bPanning, 1);
        driver.Release();
    }
}

TEST(ViewZoomArithmetic, ExtremeFactorsPlaceASizeWithinRangeAndAPercentWithinInt)
{
    const SIZE reference { 800, 600 };
    const struct {
        float factor;
        SIZE size;
    } cases[] = {
        { 1.0f, { 800, 600 } },
        { 0.0f, { viewzoom::kMinPlacedSide, viewzoom::kMinPlacedSide } },
        { 1e-30f, { viewzoom::kMinPlacedSide, viewzoom::kMinPlacedSide } },
        { 1e30f, { viewzoom::kMaxPlacedSide, viewzoom::kMaxPlacedSide / 4 * 3 } },
    };
    for (const auto& c : cases) {
        const SIZE s = viewzoom::ZoomedSize(reference, c.factor);
        EXPECT_EQ(s.cx, c.size.cx) << c.factor;
        EXPECT_EQ(s.cy, c.size.cy) << c.factor;
    }
    EXPECT_EQ(viewzoom::FactorPercent(1e30f), INT_MAX);
    EXPECT_EQ(viewzoom::FactorPercent(1.5f), 150);
}

} // namespace
