// The V4L2 layer against an emulated device at the ioctl level:
// capabilities, formats and frame sizes, controls, streaming and a device
// that goes away.

#include "platform/v4l2/CaptureFilter.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <linux/videodev2.h>

namespace {

using v4l2::EmulatedDevice;
using v4l2::EmulatedFormat;
using v4l2::FrameSize;

struct Node {
    v4l2::EmulatedDeviceSystem system;
    std::unique_ptr<v4l2::ScopedDeviceSystem> use;
    std::unique_ptr<v4l2::Device> device;

    explicit Node(std::shared_ptr<EmulatedDevice> emulated)
    {
        system.Add("/dev/video0", std::move(emulated));
        use = std::make_unique<v4l2::ScopedDeviceSystem>(system);
        device = v4l2::Device::Open("/dev/video0");
    }
};

TEST(V4l2Device, CapabilitiesTellTheCaptureNodeFromTheMetadataNode)
{
    const struct {
        std::uint32_t caps;
        bool captures;
    } cases[] = {
        { V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING, true },
        { V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING, false },
    };
    for (const auto& c : cases) {
        Node node(std::make_shared<EmulatedDevice>("USB Camera", c.caps,
            std::vector<EmulatedFormat> { { V4L2_PIX_FMT_YUYV, { { 640, 480 } } } }));
        std::string card;
        std::uint32_t caps = 0;
        ASSERT_EQ(node.device->QueryCapabilities(card, caps), 0);
        EXPECT_EQ(card, "USB Camera");
        EXPECT_EQ(caps, c.caps);
        EXPECT_EQ(node.device->CapturesVideo(), c.captures);
        EXPECT_EQ(node.device->Formats().empty(), !c.captures);
    }
}

// open(2)'s answers, as the device system gives them to the device layer.
TEST(V4l2Device, AFailedOpenSaysWhy)
{
    v4l2::EmulatedDeviceSystem system;
    v4l2::ScopedDeviceSystem use(system);
    const struct {
        int openError;
        bool unplug;
        int expected;
    } cases[] = { { 0, false, 0 }, { EBUSY, false, -EBUSY }, { EACCES, false, -EACCES }, { 0, true, -ENOENT } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.openError);
        auto camera = EmulatedDevice::Camera("Doc Cam", { { 640, 480 } });
        v4l2::EmulatedFaults f;
        f.openError = c.openError;
        camera->SetFaults(f);
        if (c.unplug)
            camera->Unplug();
        system.Add("/dev/video0", camera);
        int error = 1;
        std::unique_ptr<v4l2::Device> device = v4l2::Device::Open("/dev/video0", error);
        EXPECT_EQ(error, c.expected);
        EXPECT_EQ(device != nullptr, c.expected == 0);
        // The name reads without opening.
        EXPECT_EQ(system.Name("/dev/video0"), "Doc Cam");
    }
    int error = 0;
    EXPECT_EQ(v4l2::Device::Open("/dev/video7", error), nullptr);
    EXPECT_EQ(error, -ENOENT);
    EXPECT_EQ(system.Name("/dev/video7"), "");
}

TEST(V4l2Device, FormatsListDiscreteAndStepwiseSizes)
{
    EmulatedFormat yuyv { V4L2_PIX_FMT_YUYV, { { 640, 480 }, { 1280, 720 } } };
    EmulatedFormat mjpg { V4L2_PIX_FMT_MJPEG, {} };
    mjpg.minWidth = 320, mjpg.maxWidth = 1920, mjpg.stepWidth = 16;
    mjpg.minHeight = 240, mjpg.maxHeight = 1080, mjpg.stepHeight = 8;
    Node node(
        std::make_shared<EmulatedDevice>("Cam", V4L2_CAP_VIDEO_CAPTURE, std::vector<EmulatedFormat> { yuyv, mjpg }));
    auto formats = node.device->Formats();
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(formats[0].fourcc, static_cast<std::uint32_t>(V4L2_PIX_FMT_YUYV));
    EXPECT_EQ(formats[0].sizes, (std::vector<FrameSize> { { 640, 480 }, { 1280, 720 } }));
    // The common sizes on the grid (1600x1200 is too tall), then the
    // largest.
    EXPECT_EQ(formats[1].sizes,
        (std::vector<FrameSize> { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1280, 720 }, { 1280, 1024 },
            { 1920, 1080 } }));

    v4l2::CurrentFormat now;
    ASSERT_EQ(node.device->SetFormat(V4L2_PIX_FMT_YUYV, 1280, 720, now), 0);
    EXPECT_EQ(now.width, 1280u);
    EXPECT_EQ(now.bytesPerLine, 2560u);
    EXPECT_EQ(now.sizeImage, 1280u * 720u * 2u);
    ASSERT_EQ(node.device->SetFormat(V4L2_PIX_FMT_YUYV, 1000, 700, now), 0);
    EXPECT_EQ(now.width, 1280u) << "the driver picks the nearest size";
}

TEST(V4l2Device, ControlsCarryTheirRangeAndAreClampedAndStepped)
{
    Node node(EmulatedDevice::Camera("Cam", { { 640, 480 } }, { { V4L2_CID_BRIGHTNESS, -10, 10, 5, 0, 0 } }));
    v4l2::ControlRange range;
    ASSERT_EQ(node.device->QueryControl(V4L2_CID_BRIGHTNESS, range), 0);
    EXPECT_EQ(range.minimum, -10);
    EXPECT_EQ(range.maximum, 10);
    EXPECT_EQ(range.step, 5);
    EXPECT_EQ(node.device->QueryControl(V4L2_CID_CONTRAST, range), -EINVAL);
    const struct {
        std::int32_t asked, held;
    } cases[] = { { 3, 5 }, { 2, 0 }, { -7, -5 }, { 99, 10 }, { -99, -10 } };
    for (const auto& c : cases) {
        EXPECT_EQ(node.device->SetControl(V4L2_CID_BRIGHTNESS, c.asked), 0);
        std::int32_t v = 0;
        EXPECT_EQ(node.device->GetControl(V4L2_CID_BRIGHTNESS, v), 0);
        EXPECT_EQ(v, c.held) << c.asked;
    }
}

TEST(V4l2Device, StreamingDeliversFramesAndEndsWhenTheDeviceGoes)
{
    auto emulated = EmulatedDevice::Camera("Cam", { { 4, 2 } });
    emulated->SetPicture(
        [](const v4l2::CurrentFormat&, std::uint64_t n, std::uint8_t* out) { out[0] = static_cast<std::uint8_t>(n); });
    Node node(emulated);
    ASSERT_EQ(node.device->StartStreaming(3), 0);
    EXPECT_EQ(v4l2::Device::Open("/dev/video0")->StartStreaming(3), -EBUSY) << "one streaming owner";
    for (int i = 0; i < 5; ++i) {
        v4l2::Frame frame;
        ASSERT_EQ(node.device->NextFrame(5000, frame), v4l2::WaitResult::Frame);
        EXPECT_EQ(frame.bytes, 16u);
        EXPECT_EQ(frame.data[0], i) << "frames in order";
        EXPECT_EQ(node.device->Requeue(frame), 0);
    }
    emulated->Unplug();
    v4l2::Frame frame;
    EXPECT_EQ(node.device->NextFrame(5000, frame), v4l2::WaitResult::Gone);
    v4l2::CurrentFormat now;
    EXPECT_EQ(node.device->GetFormat(now), -ENODEV);
    node.device->StopStreaming(); // harmless on a device that went away
    EXPECT_TRUE(node.system.Nodes().empty()) << "the node disappears";
}

// On a clock of the caller's (a player's virtual time), frames come a
// period apart; a stall, asked for or set as a fault, lasts on that clock.
TEST(V4l2Device, AStallLastsOnTheDevicesClock)
{
    using std::chrono::milliseconds;
    for (bool asFault : { false, true }) {
        SCOPED_TRACE(asFault ? "stall fault after frame 0" : "Stall()");
        auto emulated = EmulatedDevice::Camera("Cam", { { 4, 2 } });
        auto now = std::make_shared<std::atomic<std::int64_t>>(0); // microseconds
        emulated->SetClock([now] { return std::chrono::microseconds(now->load()); });
        emulated->SetFramePeriod(milliseconds(100));
        if (asFault) {
            v4l2::EmulatedFaults f;
            f.stallAfter = 0;
            f.stallFor = milliseconds(3000);
            emulated->SetFaults(f);
        }
        Node node(emulated);
        ASSERT_EQ(node.device->StartStreaming(3), 0);
        auto frameAt = [&](int ms) {
            now->store(ms * 1000);
            emulated->ClockMoved();
            v4l2::Frame frame;
            const bool came = node.device->NextFrame(0, frame) == v4l2::WaitResult::Frame;
            if (came) {
                EXPECT_EQ(node.device->Requeue(frame), 0);
            }
            return came;
        };
        EXPECT_TRUE(frameAt(0)) << "the first as streaming starts";
        if (!asFault)
            emulated->Stall(milliseconds(3000));
        EXPECT_FALSE(frameAt(100));
        EXPECT_FALSE(frameAt(2900));
        EXPECT_TRUE(frameAt(3100)) << "frames again after the stall";
        EXPECT_FALSE(frameAt(3150));
        EXPECT_TRUE(frameAt(3200));
    }
}

TEST(V4l2Device, WakeEndsAWaitWithoutAFrame)
{
    auto emulated = EmulatedDevice::Camera("Cam", { { 4, 2 } });
    emulated->SetFramePeriod(std::chrono::hours(1));
    Node node(emulated);
    ASSERT_EQ(node.device->StartStreaming(2), 0);
    node.device->Wake();
    v4l2::Frame frame;
    EXPECT_EQ(node.device->NextFrame(60000, frame), v4l2::WaitResult::Timeout);
}

TEST(V4l2CaptureFilter, OffersTheFormatInForceFirstAndMapsSubtypes)
{
    EmulatedFormat yuyv { V4L2_PIX_FMT_YUYV, { { 640, 480 }, { 1280, 720 } } };
    EmulatedFormat mjpg { V4L2_PIX_FMT_MJPEG, { { 1920, 1080 } } };
    Node node(
        std::make_shared<EmulatedDevice>("Cam", V4L2_CAP_VIDEO_CAPTURE, std::vector<EmulatedFormat> { yuyv, mjpg }));
    IBaseFilter* filter = nullptr;
    ASSERT_EQ(v4l2::CaptureFilter::Create("/dev/video0", IID_IBaseFilter, reinterpret_cast<void**>(&filter)), S_OK);
    IEnumPins* pins = nullptr;
    filter->EnumPins(&pins);
    IPin* pin = nullptr;
    ASSERT_EQ(pins->Next(1, &pin, nullptr), S_OK);
    pins->Release();
    IAMStreamConfig* config = nullptr;
    ASSERT_EQ(pin->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(&config)), S_OK);
    AM_MEDIA_TYPE* mt = nullptr;
    IEnumMediaTypes* types = nullptr;
    pin->EnumMediaTypes(&types);
    std::vector<std::pair<bool, int>> seen; // (is YUY2, width)
    AM_MEDIA_TYPE* wanted = nullptr;
    while (types->Next(1, &mt, nullptr) == S_OK) {
        auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat);
        seen.emplace_back(mt->subtype == MEDIASUBTYPE_YUY2, vih->bmiHeader.biWidth);
        if (mt->subtype == MEDIASUBTYPE_YUY2 && vih->bmiHeader.biWidth == 1280 && !wanted)
            wanted = mt;
        else
            DeleteMediaType(mt);
    }
    types->Release();
    EXPECT_EQ(seen, (std::vector<std::pair<bool, int>> { { true, 640 }, { true, 1280 }, { false, 1920 } }));
    ASSERT_NE(wanted, nullptr);
    EXPECT_EQ(config->SetFormat(wanted), S_OK);
    DeleteMediaType(wanted);
    ASSERT_EQ(config->GetFormat(&mt), S_OK);
    EXPECT_EQ(reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat)->bmiHeader.biWidth, 1280);
    EXPECT_EQ(reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat)->bmiHeader.biHeight, 720);
    DeleteMediaType(mt);
    config->Release();
    pin->Release();
    EXPECT_EQ(filter->Release(), 0u);
}

} // namespace
