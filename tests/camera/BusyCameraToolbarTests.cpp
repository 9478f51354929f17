// A camera another program holds, through the whole main window: the
// teacher is told once per attempt, the view stays without a picture with
// every tool working, and choosing the same camera again in the toolbar's
// list once the other program has let it go shows its live picture. The
// same goes for a camera whose stream was lost (endless EIO, or unplugged
// and plugged back in at the same node), while choosing the camera that
// streams fine again leaves its stream alone.

#include "platform/window/WinUser.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/camera/ToolbarTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class BusyCameraTest : public test::ToolbarTest {
protected:
    // The next message box is answered with Enter, its text kept.
    void ExpectBox()
    {
        driver.WhenWaiting([this] {
            char text[256] = {};
            GetWindowText(GetDlgItem(GetActiveWindow(), 0xFFFF), text, sizeof text);
            boxes.emplace_back(text);
            driver.Key(VK_RETURN);
        });
    }
    // Opens the toolbar's camera list and takes the entry chosen already.
    void ChooseTheSameCameraAgain()
    {
        CComboBox& combo = Toolbar().m_comboDevice;
        const CPoint face = Centre(combo.m_hWnd);
        driver.Click(face.x, face.y);
        ASSERT_EQ(combo.GetCount(), 1);
        ASSERT_EQ(combo.GetCurSel(), 0) << "the busy camera stays the chosen one";
        driver.Key(VK_RETURN);
    }

    void BusyThenFree(const v4l2::EmulatedFaults& busy)
    {
        auto camera = AddCamera("Doc Cam", { { 640, 480 } });
        camera->SetFaults(busy);
        ExpectBox();
        Open();
        ASSERT_EQ(boxes.size(), 1u) << "told as the program starts";
        EXPECT_NE(boxes[0].find("摄像头正被其他程序使用"), std::string::npos);
        EXPECT_NE(boxes[0].find("Doc Cam"), std::string::npos);
        ASSERT_NE(Capture(), nullptr);
        EXPECT_TRUE(Capture()->DeviceBusy());

        // Still held: choosing it again tries again and says so once more
        // (a second box would find no step and end the test).
        ExpectBox();
        ChooseTheSameCameraAgain();
        EXPECT_EQ(boxes.size(), 2u);
        EXPECT_FALSE(driver.StepsLeft());
        EXPECT_TRUE(Capture()->DeviceBusy());
        // The tools work meanwhile: turns reach the view.
        ClickControl(CVideoConfigDlg::IDC_ROTATE_CW);
        EXPECT_EQ(View().m_nAngle, 90);
        ClickControl(CVideoConfigDlg::IDC_ROTATE_CCW);
        EXPECT_EQ(View().m_nAngle, 0);

        // Closing the list with Escape doesn't try again.
        CComboBox& combo = Toolbar().m_comboDevice;
        const CPoint face = Centre(combo.m_hWnd);
        driver.Click(face.x, face.y);
        driver.Key(VK_ESCAPE);
        EXPECT_EQ(boxes.size(), 2u);

        // Let go: choosing it again shows the live picture, with no box.
        camera->SetFaults({});
        ChooseTheSameCameraAgain();
        EXPECT_EQ(boxes.size(), 2u);
        EXPECT_FALSE(Capture()->DeviceBusy());
        EXPECT_TRUE(WaitForPicture());
        EXPECT_GT(camera->OpenHandles(), 0);
        EXPECT_EQ(View().m_nVideoWidth, 640);
    }

    std::vector<std::string> boxes;
};

TEST_F(BusyCameraTest, StreamingElsewhereChosenAgainOnceFreeShowsItsLivePicture)
{
    v4l2::EmulatedFaults f;
    f.busy = true; // format, buffers and streaming refused
    BusyThenFree(f);
}

TEST_F(BusyCameraTest, HeldExclusivelyChosenAgainOnceFreeShowsItsLivePicture)
{
    v4l2::EmulatedFaults f;
    f.openError = EBUSY; // opening refused
    BusyThenFree(f);
}

// Choosing the entry in use again, by what its camera is doing.
class ChooseAgainTest : public BusyCameraTest {
protected:
    using Change = std::function<void(v4l2::EmulatedDevice&)>;

    // A camera that lose makes lost for good once the program has started,
    // and recover makes whole again.
    void LostThenBack(const Change& lose, const Change& recover)
    {
        auto camera = AddCamera("Doc Cam", { { 640, 480 } });
        Open();
        ASSERT_NE(Capture(), nullptr);
        lose(*camera);
        ASSERT_TRUE(test::CameraTest::WaitFor([this] { return !Capture()->StreamLive(); }))
            << "the stream is told lost";
        EXPECT_FALSE(Capture()->DeviceBusy());
        EXPECT_EQ(camera->StreamStarts(), 1u);

        recover(*camera);
        ChooseTheSameCameraAgain();
        EXPECT_EQ(camera->StreamStarts(), 2u) << "the camera was opened and started anew";
        EXPECT_TRUE(WaitForPicture());
        EXPECT_TRUE(Capture()->StreamLive());
        EXPECT_TRUE(boxes.empty()) << "a lost camera is retried without a message";
    }
};

TEST_F(ChooseAgainTest, CameraLostToEndlessIoErrorsIsRetriedAndShowsItsLivePicture)
{
    LostThenBack(
        [](v4l2::EmulatedDevice& camera) {
            v4l2::EmulatedFaults f;
            f.eioAt = camera.FramesProduced() + 2; // from a frame soon to come, every dequeue answers EIO
            f.eioTimes = 1000000;
            camera.SetFaults(f);
        },
        [](v4l2::EmulatedDevice& camera) { camera.SetFaults({}); });
}

TEST_F(ChooseAgainTest, CameraUnpluggedAndPluggedBackAtItsNodeIsRetriedAndShowsItsLivePicture)
{
    LostThenBack([](v4l2::EmulatedDevice& camera) { camera.Unplug(); },
        [](v4l2::EmulatedDevice& camera) { camera.Replug(); });
}

TEST_F(ChooseAgainTest, StreamingCameraChosenAgainKeepsItsStream)
{
    auto camera = AddCamera("Doc Cam", { { 640, 480 } });
    Open();
    ASSERT_TRUE(WaitForPicture());
    CVMR_Capture* before = Capture();
    ASSERT_TRUE(before->StreamLive());
    EXPECT_EQ(camera->StreamStarts(), 1u);

    ChooseTheSameCameraAgain();
    EXPECT_EQ(camera->StreamStarts(), 1u) << "no graph was built anew";
    EXPECT_EQ(Capture(), before);
    EXPECT_TRUE(Capture()->StreamLive());
    const std::uint64_t made = camera->FramesProduced();
    EXPECT_TRUE(test::CameraTest::WaitFor([&] { return camera->FramesProduced() >= made + 3; }))
        << "the same stream runs on";
    EXPECT_TRUE(boxes.empty());
}

} // namespace
