// Cameras as schools have them, emulated: MJPG-only ones, ones with YUYV
// only at small sizes, and drivers that pad rows, flag damaged buffers,
// deliver short ones, stall, answer EIO, EBUSY, or vanish. Every frame the
// graph hands on is checked against the camera's own picture, so a damaged
// or half-decoded frame that slipped through fails the test.

#include "CameraGraph.h"

#include "platform/dshow/JpegFrameDecoder.h"
#include "platform/dshow/MjpgDecompressor.h"
#include "platform/v4l2/CaptureFilter.h"
#include "platform/v4l2/EmulatedJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <linux/videodev2.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A smooth picture that JPEG keeps close: blue across, green down.
void Gradient(int width, int height, int x, int y, int bgr[3])
{
    bgr[0] = x * 255 / (width - 1);
    bgr[1] = y * 255 / (height - 1);
    bgr[2] = 96;
}

std::vector<std::uint8_t> GradientJpeg(int width, int height)
{
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int px[3];
            Gradient(width, height, x, y, px);
            for (int c = 0; c < 3; ++c)
                bgr[(static_cast<std::size_t>(y) * width + x) * 3 + c] = static_cast<std::uint8_t>(px[c]);
        }
    }
    return v4l2::EncodeJpeg(bgr.data(), width, height, 95);
}

// A grey YUYV ramp, luma rising across and down; BT.601 studio range.
std::uint8_t RampLuma(int x, int y) { return static_cast<std::uint8_t>(16 + (x + 2 * y) % 200); }

void RampPicture(const v4l2::CurrentFormat& f, std::uint64_t, std::uint8_t* out)
{
    for (std::uint32_t y = 0; y < f.height; ++y) {
        for (std::uint32_t x = 0; x < f.width; ++x) {
            out[(y * f.width + x) * 2] = RampLuma(static_cast<int>(x), static_cast<int>(y));
            out[(y * f.width + x) * 2 + 1] = 128;
        }
    }
}

void RampExpected(int x, int y, int bgr[3])
{
    int grey = std::clamp(static_cast<int>((RampLuma(x, y) - 16) * 1.164 + 0.5), 0, 255);
    bgr[0] = bgr[1] = bgr[2] = grey;
}

v4l2::EmulatedFormat Discrete(std::uint32_t fourcc, std::vector<v4l2::FrameSize> sizes)
{
    v4l2::EmulatedFormat f;
    f.fourcc = fourcc;
    f.sizes = std::move(sizes);
    return f;
}

std::shared_ptr<v4l2::EmulatedDevice> Device(std::vector<v4l2::EmulatedFormat> formats)
{
    return std::make_shared<v4l2::EmulatedDevice>("Doc Cam", V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
        std::move(formats));
}

class CameraQuirkTest : public ::testing::Test {
public:
    CameraQuirkTest()
        : use_(devices)
    {
    }
    v4l2::EmulatedDeviceSystem devices;

private:
    v4l2::ScopedDeviceSystem use_;
};

TEST_F(CameraQuirkTest, MjpgCamerasShowTheirPictureThroughTheDecompressor)
{
    const int w = 64, h = 48, W = 320, H = 240;
    const auto large = GradientJpeg(W, H);
    // Some cameras add stray bytes between markers, pad the buffer with
    // zeros or leave out the Huffman tables; all of these decode whole.
    auto stray = large;
    stray.insert(stray.end() - 2, { 0x00, 0x13, 0x37 });
    auto zeroPadded = large;
    zeroPadded.resize(zeroPadded.size() + 100, 0);
    struct Case {
        const char* what;
        std::vector<v4l2::EmulatedFormat> formats;
        std::vector<std::vector<std::uint8_t>> frames;
        const GUID* chosen; // the format set before connecting, or none
        int width, height;
    } cases[] = {
        { "MJPG only", { Discrete(V4L2_PIX_FMT_MJPEG, { { w, h } }) }, { GradientJpeg(w, h) }, nullptr, w, h },
        { "YUYV small, MJPG large, large chosen",
            { Discrete(V4L2_PIX_FMT_YUYV, { { w, h } }), Discrete(V4L2_PIX_FMT_MJPEG, { { w, h }, { W, H } }) },
            { large, v4l2::WithoutHuffmanTables(large), stray, zeroPadded }, &MEDIASUBTYPE_MJPG, W, H },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        v4l2::EmulatedDeviceSystem system;
        v4l2::ScopedDeviceSystem use(system);
        auto camera = Device(c.formats);
        camera->SetSizedPicture(v4l2::JpegFrames(c.frames));
        system.Add("/dev/video0", camera);
        CameraGraph graph;
        ASSERT_EQ(graph.Bind(c.chosen, c.width, c.height), S_OK);
        ASSERT_EQ(graph.Connect(), S_OK);
        EXPECT_EQ(graph.FilterNames().back(), u"MJPEG Decompressor");
        EXPECT_EQ(camera->Current().width, static_cast<std::uint32_t>(c.width)) << "the camera keeps its size";
        const int cw = c.width, ch = c.height;
        FrameChecker checker(
            cw, ch, [cw, ch](int x, int y, int bgr[3]) { Gradient(cw, ch, x, y, bgr); }, 10);
        ASSERT_EQ(graph.Run(checker), S_OK);
        EXPECT_TRUE(graph.WaitForFrames(checker, 8, 10000));
        graph.Stop();
        EXPECT_EQ(checker.Bad(), 0) << "worst difference " << checker.WorstDifference();
        auto* decompressor = dynamic_cast<dshow::MjpgDecompressor*>(graph.Find(u"MJPEG Decompressor"));
        ASSERT_NE(decompressor, nullptr);
        EXPECT_EQ(decompressor->DroppedFrames(), 0u);
    }
}

TEST_F(CameraQuirkTest, DamagedMjpgFramesAreDroppedAndCountedNeverShown)
{
    const int w = 96, h = 64;
    const auto whole = GradientJpeg(w, h);
    auto cut = whole;
    cut.resize(cut.size() * 2 / 3); // no end marker: the camera lost the tail
    auto garbled = whole;
    // Scan data overwritten with a marker the decoder can't take, but the
    // end marker still in place.
    std::fill(garbled.begin() + static_cast<std::ptrdiff_t>(garbled.size() / 2),
        garbled.begin() + static_cast<std::ptrdiff_t>(garbled.size() / 2 + 8), 0xFF);
    garbled[garbled.size() / 2 + 8] = 0xC0;
    auto camera = Device({ Discrete(V4L2_PIX_FMT_MJPEG, { { w, h } }) });
    camera->SetSizedPicture(v4l2::JpegFrames({ whole, cut, whole, garbled, whole, {} }));
    devices.Add("/dev/video0", camera);
    CameraGraph graph;
    ASSERT_EQ(graph.Bind(), S_OK);
    ASSERT_EQ(graph.Connect(), S_OK);
    FrameChecker checker(
        w, h, [](int x, int y, int bgr[3]) { Gradient(96, 64, x, y, bgr); }, 10);
    ASSERT_EQ(graph.Run(checker), S_OK);
    EXPECT_TRUE(graph.WaitForFrames(checker, 9, 10000));
    graph.Stop();
    EXPECT_EQ(checker.Bad(), 0) << "worst difference " << checker.WorstDifference();
    auto* decompressor = dynamic_cast<dshow::MjpgDecompressor*>(graph.Find(u"MJPEG Decompressor"));
    ASSERT_NE(decompressor, nullptr);
    EXPECT_GE(decompressor->DroppedFrames(), 6u) << "three of every six frames are damaged";
}

TEST_F(CameraQuirkTest, TheDecoderRefusesWhatIsNotAWholeFrameOfTheStreamsSize)
{
    const auto whole = GradientJpeg(32, 16);
    std::vector<std::uint8_t> target(40 * 3 * 16);
    dshow::JpegFrameDecoder decoder;
    using R = dshow::JpegFrameDecoder::Result;
    struct Case {
        const char* what;
        std::vector<std::uint8_t> data;
        int width;
        R expected;
    } cases[] = {
        { "whole", whole, 32, R::Decoded },
        { "without Huffman tables", v4l2::WithoutHuffmanTables(whole), 32, R::Decoded },
        { "cut short", std::vector<std::uint8_t>(whole.begin(), whole.end() - 10), 32, R::Truncated },
        { "empty", {}, 32, R::Truncated },
        { "no start marker", std::vector<std::uint8_t>(whole.begin() + 2, whole.end()), 32, R::Truncated },
        { "another size", whole, 40, R::WrongSize },
    };
    for (const Case& c : cases)
        EXPECT_EQ(decoder.Decode(c.data.data(), c.data.size(), target.data(), 40 * 3, c.width, 16), c.expected)
            << c.what;
    EXPECT_EQ(decoder.Decoded(), 2u);
    EXPECT_EQ(decoder.Dropped(), 4u);
}

TEST_F(CameraQuirkTest, YuyvDriverFaultsNeverReachTheScreen)
{
    struct Case {
        const char* what;
        v4l2::EmulatedFaults faults;
    } cases[] = {
        { "rows padded",
            [] {
                v4l2::EmulatedFaults f;
                f.rowPadding = 24;
                return f;
            }() },
        { "every tenth buffer flagged bad",
            [] {
                v4l2::EmulatedFaults f;
                f.errorEvery = 10;
                return f;
            }() },
        { "every seventh buffer short",
            [] {
                v4l2::EmulatedFaults f;
                f.shortEvery = 7;
                return f;
            }() },
        { "padded and short",
            [] {
                v4l2::EmulatedFaults f;
                f.rowPadding = 8;
                f.shortEvery = 3;
                return f;
            }() },
        { "EIO three times, then frames",
            [] {
                v4l2::EmulatedFaults f;
                f.eioAt = 2;
                f.eioTimes = 3;
                return f;
            }() },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        v4l2::EmulatedDeviceSystem system;
        v4l2::ScopedDeviceSystem use(system);
        auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 80, 60 } });
        camera->SetFaults(c.faults);
        camera->SetPicture(RampPicture);
        system.Add("/dev/video0", camera);
        CameraGraph graph;
        ASSERT_EQ(graph.Bind(), S_OK);
        ASSERT_EQ(graph.Connect(), S_OK);
        FrameChecker checker(80, 60, RampExpected, 3);
        ASSERT_EQ(graph.Run(checker), S_OK);
        EXPECT_TRUE(graph.WaitForFrames(checker, 25, 10000));
        auto* source = dynamic_cast<v4l2::CaptureFilter*>(graph.Source());
        ASSERT_NE(source, nullptr);
        EXPECT_TRUE(source->StreamAlive());
        graph.Stop();
        EXPECT_EQ(checker.Bad(), 0) << "worst difference " << checker.WorstDifference();
        if (c.faults.shortEvery) {
            EXPECT_GE(source->ShortFrames(), 25u / c.faults.shortEvery);
        }
    }
}

TEST_F(CameraQuirkTest, AStallKeepsTheStreamWaitingAndEndlessEioEndsIt)
{
    v4l2::EmulatedFaults stall;
    stall.stallAfter = 2;
    stall.stallFor = 3s;
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 16, 8 } });
    camera->SetFaults(stall);
    camera->SetPicture(RampPicture);
    devices.Add("/dev/video0", camera);
    CameraGraph graph;
    ASSERT_EQ(graph.Bind(), S_OK);
    ASSERT_EQ(graph.Connect(), S_OK);
    FrameChecker checker(16, 8, RampExpected, 3);
    ASSERT_EQ(graph.Run(checker), S_OK);
    ASSERT_TRUE(graph.WaitForFrames(checker, 3, 5000));
    auto* source = dynamic_cast<v4l2::CaptureFilter*>(graph.Source());
    std::this_thread::sleep_for(2500ms); // past the source's own 2 s wait
    EXPECT_TRUE(source->StreamAlive()) << "a quiet camera isn't a lost one";
    EXPECT_EQ(checker.Good(), 3) << "nothing arrives during the stall";
    EXPECT_TRUE(graph.WaitForFrames(checker, 6, 5000)) << "frames resume after it";
    graph.Stop();
    EXPECT_TRUE(graph.TakeEvents().empty()) << "neither a stall nor a stop asked for is a loss";

    v4l2::EmulatedDeviceSystem system;
    v4l2::ScopedDeviceSystem use(system);
    auto failing = v4l2::EmulatedDevice::Camera("Doc Cam", { { 16, 8 } });
    v4l2::EmulatedFaults eio;
    eio.eioAt = 1;
    eio.eioTimes = 1000;
    failing->SetFaults(eio);
    system.Add("/dev/video0", failing);
    CameraGraph second;
    ASSERT_EQ(second.Bind(), S_OK);
    ASSERT_EQ(second.Connect(), S_OK);
    FrameChecker any(
        16, 8, [](int, int, int bgr[3]) { bgr[0] = bgr[1] = bgr[2] = 0; }, 255);
    ASSERT_EQ(second.Run(any), S_OK);
    auto* lost = dynamic_cast<v4l2::CaptureFilter*>(second.Source());
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (lost->StreamAlive() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(lost->StreamAlive()) << "EIO without end is a lost camera";
    EXPECT_EQ(any.Good(), 1) << "the one frame before the errors";
    using Events = std::vector<std::pair<LONG, LONG_PTR>>;
    EXPECT_EQ(second.TakeEvents(), (Events { { EC_ERRORABORT, HResultFromErrno(EIO) } })) << "the owner is told";
    second.Stop();
    EXPECT_TRUE(second.TakeEvents().empty());
}

TEST_F(CameraQuirkTest, ABusyCameraFailsWithEbusyAndAVanishingOneKeepsItsLastFrame)
{
    auto busy = v4l2::EmulatedDevice::Camera("Doc Cam", { { 16, 8 } });
    v4l2::EmulatedFaults f;
    f.busy = true;
    busy->SetFaults(f);
    devices.Add("/dev/video0", busy);
    {
        CameraGraph graph;
        ASSERT_EQ(graph.Bind(), S_OK);
        ASSERT_EQ(graph.Connect(), S_OK);
        FrameChecker checker(16, 8, RampExpected, 3);
        EXPECT_EQ(graph.Run(checker), HResultFromErrno(EBUSY));
    }
    v4l2::EmulatedDeviceSystem system;
    v4l2::ScopedDeviceSystem use(system);
    auto vanishing = v4l2::EmulatedDevice::Camera("Doc Cam", { { 16, 8 } });
    f = {};
    f.vanishAfter = 5;
    vanishing->SetFaults(f);
    vanishing->SetPicture(RampPicture);
    system.Add("/dev/video0", vanishing);
    CameraGraph graph;
    ASSERT_EQ(graph.Bind(), S_OK);
    ASSERT_EQ(graph.Connect(), S_OK);
    FrameChecker checker(16, 8, RampExpected, 3);
    ASSERT_EQ(graph.Run(checker), S_OK);
    auto* source = dynamic_cast<v4l2::CaptureFilter*>(graph.Source());
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (source->StreamAlive() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(source->StreamAlive());
    EXPECT_EQ(checker.Good(), 5);
    EXPECT_EQ(checker.Bad(), 0);
    EXPECT_EQ(graph.TakeEvents(), (std::vector<std::pair<LONG, LONG_PTR>> { { EC_DEVICE_LOST, 0 } }))
        << "the owner is told the camera went away";
    graph.Stop();
    // Plugged back in, the node opens afresh and streams again.
    vanishing->Replug();
    CameraGraph again;
    ASSERT_EQ(again.Bind(), S_OK);
    ASSERT_EQ(again.Connect(), S_OK);
    FrameChecker fresh(16, 8, RampExpected, 3);
    ASSERT_EQ(again.Run(fresh), S_OK);
    EXPECT_TRUE(again.WaitForFrames(fresh, 5, 5000));
    // The checker goes before the graph at the end of the scope, so the
    // stream that delivers into it stops first.
    again.Stop();
}

} // namespace
