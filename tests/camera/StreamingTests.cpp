// Frames on the streaming thread: the view's reading while sizes change,
// and a camera unplugged mid-stream. Run under ThreadSanitizer in CI.

#include "tests/camera/CameraTestSupport.h"

#include <atomic>
#include <thread>

namespace {

using StreamingTest = test::CameraTest;

TEST_F(StreamingTest, TheViewReadsWholeFramesWhileRebuildsRun)
{
    AddCamera("Doc Cam", { { 640, 480 }, { 800, 600 }, { 1280, 720 } });
    CVMR_Capture cap;
    ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    ASSERT_TRUE(WaitForFrame(1280 * 720 * 3));

    // A painter on another thread: every frame it sees must match its
    // header, whole.
    std::atomic<bool> stop { false };
    std::atomic<int> seen { 0 }, torn { 0 };
    std::thread painter([&] {
        while (!stop.load()) {
            auto lock = g_latestFrame.Lock();
            if (g_latestFrame.pFrame) {
                const BITMAPINFOHEADER& h = g_latestFrame.bih;
                if (g_latestFrame.nFrameLen != h.biWidth * h.biHeight * 3)
                    ++torn;
                // Touch the first and last bytes: a freed buffer shows up
                // under the sanitizers.
                volatile BYTE first = g_latestFrame.pFrame[0];
                volatile BYTE last = g_latestFrame.pFrame[g_latestFrame.nFrameLen - 1];
                (void)first;
                (void)last;
                ++seen;
            }
        }
    });
    const int rows[] = { 0, 1, 3, 1, 0, 3 };
    for (int row : rows) {
        ASSERT_EQ(cap.SelectResolution(row), row);
        EXPECT_TRUE(WaitForFrame(cap.GetWidth() * cap.GetHeight() * 3)) << "row " << row;
        auto lock = g_latestFrame.Lock();
        EXPECT_EQ(g_latestFrame.bih.biWidth, cap.GetWidth());
        EXPECT_EQ(g_latestFrame.bih.biHeight, cap.GetHeight());
        EXPECT_NE(g_latestFrame.pWorkBuffer, nullptr);
    }
    stop = true;
    painter.join();
    EXPECT_GT(seen.load(), 0);
    EXPECT_EQ(torn.load(), 0);
}

TEST_F(StreamingTest, AnUnpluggedCameraEndsItsStreamAndANewGraphCanBeBuilt)
{
    auto pulled = AddCamera("Doc Cam", { { 640, 480 } });
    auto cap = std::make_unique<CVMR_Capture>();
    ASSERT_EQ(cap->BuildGraph(0, nullptr), S_OK);
    ASSERT_TRUE(WaitForFrame(640 * 480 * 3));

    pulled->Unplug();
    std::uint64_t produced = pulled->FramesProduced();
    EXPECT_TRUE(WaitFor([&] { return pulled->FramesProduced() == produced; }));
    EXPECT_FALSE(FrameCopy().empty()) << "the last frame stays published";
    // Rebuilding finds no camera; the build's 1 counts as success.
    EXPECT_EQ(cap->SelectResolution(0), 0);
    EXPECT_EQ(pulled->OpenHandles(), 0) << "the rebuild let the lost device go";

    // Another camera plugged in and chosen: a new object; the lost node is
    // gone, so it is the first device.
    auto other = AddCamera("Spare Cam", { { 800, 600 } });
    cap.reset();
    cap = std::make_unique<CVMR_Capture>();
    ASSERT_EQ(cap->BuildGraph(0, nullptr), S_OK);
    EXPECT_EQ(cap->GetWidth(), 800);
    EXPECT_TRUE(WaitForFrame(800 * 600 * 3));
    cap.reset();
    EXPECT_EQ(other->OpenHandles(), 0);
    EXPECT_TRUE(FrameCopy().empty()) << "teardown clears the frame";
}

TEST_F(StreamingTest, TheSameCameraPluggedBackAndChosenAgainIsLiveWithoutARestart)
{
    auto camera = AddCamera("Doc Cam", { { 640, 480 } });
    CVMR_Capture cap;
    ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    ASSERT_TRUE(WaitForFrame(640 * 480 * 3));
    camera->Unplug();
    std::uint64_t produced = camera->FramesProduced();
    EXPECT_TRUE(WaitFor([&] { return camera->FramesProduced() == produced; }));
    EXPECT_FALSE(FrameCopy().empty()) << "the last frame stays while it is away";

    camera->Replug();
    // Choosing it in the toolbar's refilled list rebuilds the graph.
    cap.TearDownGraph();
    ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    EXPECT_TRUE(WaitFor([&] { return camera->FramesProduced() >= produced + 3; })) << "the stream runs again";
    EXPECT_TRUE(WaitForFrame(640 * 480 * 3));
}

} // namespace

