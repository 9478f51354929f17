// What the capture graph tells the diagnostic log: each kind of failure the
// user never sees gives a line, a failure repeated every few frames gives
// one line and a count rather than a flood, the frame rate comes at the
// info level, and a normal run writes nothing.

#include "CameraGraph.h"

#include "platform/log/RateReport.h"
#include "platform/v4l2/CaptureFilter.h"
#include "platform/v4l2/EmulatedDevice.h"
#include "platform/v4l2/EmulatedJpeg.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <linux/videodev2.h>
#include <regex>
#include <thread>

namespace {

using namespace std::chrono_literals;

void Grey(int, int, int bgr[3]) { bgr[0] = bgr[1] = bgr[2] = 0; }

class StreamLogTest : public ::testing::Test {
public:
    StreamLogTest()
        : use_(devices)
    {
    }
    // Runs the graph over the camera until it handed on frames good frames
    // (or the camera ended the stream), then stops it.
    void RunUntil(const std::shared_ptr<v4l2::EmulatedDevice>& camera, int frames, int width = 16, int height = 8)
    {
        devices.Add("/dev/video0", camera);
        CameraGraph graph;
        ASSERT_EQ(graph.Bind(), S_OK);
        ASSERT_EQ(graph.Connect(), S_OK);
        FrameChecker any(width, height, Grey, 255);
        ASSERT_EQ(graph.Run(any), S_OK);
        auto* source = dynamic_cast<v4l2::CaptureFilter*>(graph.Source());
        ASSERT_NE(source, nullptr);
        auto deadline = std::chrono::steady_clock::now() + 10s;
        while (any.Good() < frames && source->StreamAlive() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(2ms);
        graph.Stop();
    }
    v4l2::EmulatedDeviceSystem devices;

private:
    v4l2::ScopedDeviceSystem use_;
};

std::shared_ptr<v4l2::EmulatedDevice> Camera(const v4l2::EmulatedFaults& faults)
{
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 16, 8 } });
    camera->SetFaults(faults);
    return camera;
}

// The number in the first match of the pattern's group 1 in the lines.
std::uint64_t NumberIn(const std::vector<std::string>& lines, const std::string& pattern)
{
    const std::regex re(pattern);
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_search(line, m, re))
            return std::stoull(m[1]);
    }
    ADD_FAILURE() << "no line matches " << pattern;
    return 0;
}

TEST_F(StreamLogTest, EveryTenthBufferDamagedGivesOneLineAndACountNotAFlood)
{
    LogCapture log(logging::Level::Info);
    v4l2::EmulatedFaults faults;
    faults.errorEvery = 10;
    RunUntil(Camera(faults), 200);
    const std::vector<std::string> damaged = log.Matching("damaged");
    ASSERT_EQ(damaged.size(), 3u) << log.Text();
    EXPECT_TRUE(
        damaged[0].ends_with(" warn: camera /dev/video0: buffer flagged damaged by the driver, dropped (1 so far)"))
        << damaged[0];
    const std::uint64_t heldBack = NumberIn(damaged,
        R"(warn: camera /dev/video0: (\d+) more damaged buffers dropped before the stream ended$)");
    const std::uint64_t total = NumberIn(damaged, R"(info: camera /dev/video0: stream ended: .* (\d+) damaged)");
    EXPECT_GE(total, 19u) << "one in ten of 200 or more";
    EXPECT_EQ(heldBack + 1, total) << "every damaged buffer is accounted for";
}

TEST_F(StreamLogTest, ShortBuffersStallsEioAndALostCameraEachSaySo)
{
    struct Case {
        const char* what;
        v4l2::EmulatedFaults faults;
        int frames;
        std::vector<std::string> expected; // parts of lines at the warn level, in order
    } cases[] = {
        { "every third buffer short",
            [] {
                v4l2::EmulatedFaults f;
                f.shortEvery = 3;
                return f;
            }(),
            30,
            { "warn: camera /dev/video0: buffer of 128 bytes, 256 needed, dropped (1 so far)",
                "more short buffers dropped before the stream ended" } },
        { "EIO twice, then frames",
            [] {
                v4l2::EmulatedFaults f;
                f.eioAt = 2;
                f.eioTimes = 2;
                return f;
            }(),
            10,
            { "warn: camera /dev/video0: dequeue failed with EIO, retry 1 of 5",
                "warn: camera /dev/video0: 1 more dequeues failed with EIO before the stream ended" } },
        { "EIO without end",
            [] {
                v4l2::EmulatedFaults f;
                f.eioAt = 1;
                f.eioTimes = 1000;
                return f;
            }(),
            1000,
            { "warn: camera /dev/video0: dequeue failed with EIO, retry 1 of 5",
                "error: camera /dev/video0: EIO again after 5 retries in a row; the camera is treated as lost",
                "warn: camera /dev/video0: 4 more dequeues failed with EIO before the stream ended" } },
        { "unplugged after five frames",
            [] {
                v4l2::EmulatedFaults f;
                f.vanishAfter = 5;
                return f;
            }(),
            1000, { "error: camera /dev/video0: the camera went away (unplugged?); the last picture stays" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LogCapture log(logging::Level::Warn);
        RunUntil(Camera(c.faults), c.frames);
        const std::vector<std::string> lines = log.Lines();
        ASSERT_EQ(lines.size(), c.expected.size()) << log.Text();
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_NE(lines[i].find(c.expected[i]), std::string::npos) << lines[i];
    }
}

TEST_F(StreamLogTest, AStallSaysWhenItStartsAndHowLongItLasted)
{
    LogCapture log(logging::Level::Warn);
    v4l2::EmulatedFaults faults;
    faults.stallAfter = 1;
    faults.stallFor = 2300ms; // past the source's 2 s wait
    RunUntil(Camera(faults), 4);
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 2u) << log.Text();
    EXPECT_NE(lines[0].find("warn: camera /dev/video0: no frame for 2.0 s; the last picture stays, waiting on"),
        std::string::npos)
        << lines[0];
    const std::regex again(R"(warn: camera /dev/video0: frames again after (\d+\.\d) s without$)");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(lines[1], m, again)) << lines[1];
    EXPECT_GE(std::stod(m[1]), 2.2);
    EXPECT_LE(std::stod(m[1]), 3.5);
}

TEST_F(StreamLogTest, RefusedControlsAndFormatsAreLogged)
{
    LogCapture log(logging::Level::Warn);
    v4l2::EmulatedFaults faults;
    faults.busy = true;
    devices.Add("/dev/video0", Camera(faults));
    CameraGraph graph;
    // The busy camera refuses the format the graph asks for.
    EXPECT_EQ(graph.Bind(&MEDIASUBTYPE_YUY2, 16, 8), HResultFromErrno(EBUSY));
    com::ComPtr<IAMVideoProcAmp> amp;
    ASSERT_EQ(graph.Source()->QueryInterface(IAMVideoProcAmp::kIid, amp.OutVoid()), S_OK);
    EXPECT_TRUE(FAILED(amp->Set(VideoProcAmp_Brightness, 40, VideoProcAmp_Flags_Manual)))
        << "the camera has no controls";
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 2u) << log.Text();
    EXPECT_TRUE(lines[0].ends_with(" warn: camera /dev/video0: format YUYV 16x8 refused: Device or resource busy"))
        << lines[0];
    EXPECT_TRUE(lines[1].ends_with(" warn: camera /dev/video0: control 0x980900 would not set to 40: Invalid argument"))
        << lines[1];
}

TEST_F(StreamLogTest, AnUndecodableMjpgFrameIsLoggedAndCountedInTheDecodersRate)
{
    LogCapture log(logging::Level::Info);
    std::vector<std::uint8_t> bgr(64 * 48 * 3, 128);
    const auto whole = v4l2::EncodeJpeg(bgr.data(), 64, 48, 90);
    auto cut = whole;
    cut.resize(cut.size() / 2);
    v4l2::EmulatedFormat mjpg;
    mjpg.fourcc = V4L2_PIX_FMT_MJPEG;
    mjpg.sizes = { { 64, 48 } };
    auto camera = std::make_shared<v4l2::EmulatedDevice>("Doc Cam", V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
        std::vector<v4l2::EmulatedFormat> { mjpg });
    camera->SetSizedPicture(v4l2::JpegFrames({ whole, cut }));
    logging::RateReport::SetDefaultPeriod(100ms);
    camera->SetFramePeriod(5ms);
    RunUntil(camera, 40, 64, 48);
    logging::RateReport::SetDefaultPeriod(5000ms);
    // Half the frames decode: the decoder's rate line says so.
    const std::vector<std::string> rates = log.Matching("frame rate: MJPG decoder");
    ASSERT_GE(rates.size(), 1u) << log.Text();
    const std::regex rate(R"( info: frame rate: MJPG decoder: decoded (\d+\.\d)/s, dropped (\d+\.\d)/s over)");
    for (const std::string& line : rates) {
        std::smatch m;
        ASSERT_TRUE(std::regex_search(line, m, rate)) << line;
        EXPECT_NEAR(std::stod(m[1]), std::stod(m[2]), std::stod(m[1]) * 0.3 + 1) << "one frame in two is cut";
    }
    const std::vector<std::string> lines = log.Matching("MJPG frame");
    ASSERT_GE(lines.size(), 1u) << log.Text();
    EXPECT_TRUE(lines[0].ends_with(
        " warn: MJPG frame of " + std::to_string(cut.size()) + " bytes cut short, dropped (1 so far)"))
        << lines[0];
    EXPECT_LE(lines.size(), 2u) << "one a few seconds";
}

TEST_F(StreamLogTest, TheFrameRateComesAtTheInfoLevel)
{
    logging::RateReport::SetDefaultPeriod(200ms);
    LogCapture log(logging::Level::Info);
    v4l2::EmulatedFaults faults;
    faults.errorEvery = 4;
    auto camera = Camera(faults);
    camera->SetFramePeriod(5ms);
    RunUntil(camera, 120);
    logging::RateReport::SetDefaultPeriod(5000ms);
    const std::vector<std::string> lines = log.Matching("frame rate");
    ASSERT_GE(lines.size(), 2u) << log.Text();
    const std::regex rate(R"( info: frame rate: camera /dev/video0: received (\d+\.\d)/s, handed on (\d+\.\d)/s, )"
                          R"(dropped (\d+\.\d)/s over (0\.\d) s$)");
    for (const std::string& line : lines) {
        std::smatch m;
        ASSERT_TRUE(std::regex_search(line, m, rate)) << line;
        const double received = std::stod(m[1]), handedOn = std::stod(m[2]), dropped = std::stod(m[3]);
        EXPECT_GT(received, 0.0);
        EXPECT_NEAR(received, handedOn + dropped, 0.15) << "every buffer is handed on or dropped";
        EXPECT_NEAR(dropped / received, 0.25, 0.06) << "one in four is damaged";
        EXPECT_GE(std::stod(m[4]), 0.2);
    }
}

TEST_F(StreamLogTest, ANormalRunWritesNothing)
{
    LogCapture log(logging::Level::Off);
    v4l2::EmulatedFaults faults;
    faults.errorEvery = 3;
    faults.shortEvery = 5;
    RunUntil(Camera(faults), 30);
    EXPECT_EQ(log.Text(), "");
}

} // namespace
