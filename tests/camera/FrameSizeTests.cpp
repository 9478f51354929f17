// Cameras that report sizes no camera delivers: such formats never enter
// the resolution table, a graph whose format in force has one is neither
// given buffers nor run, and frame sizes are worked out in 64 bits.

#include "tests/camera/CameraTestSupport.h"

#include "camera/FrameSize.h"

#include <chrono>
#include <climits>
#include <thread>

namespace {

using test::CameraTest;
using v4l2::FrameSize;

TEST(FrameSize, BytesOfAFrameAreWorkedOutIn64BitsAndAbsurdSizesGiveNone)
{
    const struct {
        LONG width, height;
        std::int64_t bytes;
    } cases[] = {
        { 1280, 720, 2764800 },
        { 16384, 16384, 805306368 },
        { 16385, 1, 0 },
        { 1, 16385, 0 },
        { 100000, 100000, 0 }, // 3e10: an int32 product would have wrapped
        { INT_MAX, INT_MAX, 0 },
        { 0, 480, 0 },
        { 640, 0, 0 },
        { -640, 480, 0 },
        { 640, INT_MIN, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FrameBytes24(c.width, c.height), c.bytes) << c.width << " x " << c.height;
}

using AbsurdCameraTest = CameraTest;

TEST_F(AbsurdCameraTest, AFormatOfNoCameraSizeNeverEntersTheTable)
{
    auto camera = AddCamera("Odd Cam", { { 640, 480 }, { 800, 0 } });
    CVMR_Capture cap;
    EXPECT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    EXPECT_EQ(cap.GetSupportedCount(), 1);
    EXPECT_EQ(cap.GetResolutionTable()[1].bSupported, 0) << "the 800 row";
    EXPECT_EQ(cap.GetWidth(), 640);
    EXPECT_EQ(cap.GetHeight(), 480);
    BYTE* buffer = nullptr;
    EXPECT_EQ(cap.GetFrameBuffer(&buffer), 640 * 480 * 3);
}

TEST_F(AbsurdCameraTest, AGraphWhoseFormatHasNoCameraSizeIsNeitherGivenBuffersNorRun)
{
    const struct {
        const char* what;
        FrameSize size;
    } cases[] = {
        { "wider than any camera", { 16400, 16 } },
        { "higher than any camera", { 16, 16400 } },
        { "no pixels at all", { 0, 0 } },
    };
    for (const auto& c : cases) {
        v4l2::EmulatedDeviceSystem own;
        auto camera = v4l2::EmulatedDevice::Camera("Odd Cam", { c.size });
        own.Add("/dev/video0", camera);
        v4l2::ScopedDeviceSystem use(own);
        g_latestFrame.ClearFrame();
        {
            CVMR_Capture cap;
            EXPECT_EQ(cap.BuildGraph(0, nullptr), VFW_E_INVALIDMEDIATYPE) << c.what;
            EXPECT_EQ(cap.GetWidth(), 0) << c.what;
            EXPECT_EQ(cap.GetHeight(), 0) << c.what;
            BYTE* buffer = nullptr;
            EXPECT_EQ(cap.GetFrameBuffer(&buffer), 0) << c.what;
            EXPECT_EQ(buffer, nullptr) << c.what;
            EXPECT_EQ(g_latestFrame.pWorkBuffer, nullptr) << c.what;
            // A running graph would have had frames by now.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            EXPECT_EQ(camera->FramesProduced(), 0u) << c.what;
            EXPECT_TRUE(CameraTest::FrameCopy().empty()) << c.what;
            EXPECT_EQ(cap.GrabRendererImage(), -1) << c.what;
        }
        EXPECT_EQ(camera->OpenHandles(), 0) << c.what;
    }
}

} // namespace
