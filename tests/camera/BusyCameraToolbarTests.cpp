// A camera another program holds, through the whole main window: the
// teacher is told once per attempt, the view stays without a picture with
// every tool working, and choosing the same camera again in the toolbar's
// list once the other program has let it go shows its live picture.

#include "platform/window/WinUser.h"
#include "tests/camera/ToolbarTestSupport.h"

#include <gtest/gtest.h>

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

} // namespace
