// The capture graph against emulated cameras: the resolution table and the
// size the graph starts at, switching sizes, the device list, no camera,
// the running object table name, the amplifier percentages and the build
// messages.

#include "tests/camera/CameraTestSupport.h"

#include "camera/CameraReport.h"
#include "camera/SampleGrabberCB.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ComObject.h"
#include "platform/dshow/MediaType.h"
#include "platform/v4l2/CaptureFilter.h"
#include "platform/window/WinUser.h"

#include <cstdio>
#include <linux/videodev2.h>
#include <optional>
#include <unistd.h>

namespace {

using test::CameraTest;
using v4l2::FrameSize;

struct Row {
    int width, height, supported;
};

std::vector<Row> TableOf(const CVMR_Capture& cap)
{
    std::vector<Row> rows;
    for (int i = 0; i < cap.GetResolutionCount(); ++i) {
        const ResolutionEntry& e = cap.GetResolutionTable()[i];
        rows.push_back({ e.nWidth, e.nHeight, e.bSupported });
    }
    return rows;
}

bool operator==(const Row& a, const Row& b)
{
    return a.width == b.width && a.height == b.height && a.supported == b.supported;
}

using CaptureGraphTest = CameraTest;

TEST_F(CaptureGraphTest, TheTableListsTheCameraSizesAndTheGraphStartsAtTheLargest)
{
    const struct {
        const char* what;
        std::vector<FrameSize> sizes;
        std::vector<Row> table;
        int supported, width, height;
    } cases[] = {
        { "three widths keep all six rows", { { 640, 480 }, { 800, 600 }, { 1280, 720 } },
            { { 640, 480, 1 }, { 800, 600, 1 }, { 1024, 0, 0 }, { 1280, 720, 1 }, { 1600, 0, 0 }, { 2048, 0, 0 } }, 3,
            1280, 720 },
        { "all six widths drop the 640 row",
            { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1280, 720 }, { 1600, 1200 }, { 2048, 1536 } },
            { { 800, 600, 1 }, { 1024, 768, 1 }, { 1280, 720, 1 }, { 1600, 1200, 1 }, { 2048, 1536, 1 } }, 6, 2048,
            1536 },
        { "a later format of one width replaces the height", { { 1280, 720 }, { 1280, 1024 } },
            { { 640, 0, 0 }, { 800, 0, 0 }, { 1024, 0, 0 }, { 1280, 1024, 1 }, { 1600, 0, 0 }, { 2048, 0, 0 } }, 1,
            1280, 1024 },
        { "no table width: the camera's own format", { { 320, 240 } },
            { { 640, 0, 0 }, { 800, 0, 0 }, { 1024, 0, 0 }, { 1280, 0, 0 }, { 1600, 0, 0 }, { 2048, 0, 0 } }, 0, 320,
            240 },
    };
    for (const auto& c : cases) {
        v4l2::EmulatedDeviceSystem own;
        auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", c.sizes);
        own.Add("/dev/video0", camera);
        v4l2::ScopedDeviceSystem use(own);
        {
            CVMR_Capture cap;
            EXPECT_EQ(cap.BuildGraph(0, nullptr), S_OK) << c.what;
            EXPECT_EQ(TableOf(cap), c.table) << c.what;
            EXPECT_EQ(cap.GetSupportedCount(), c.supported) << c.what;
            EXPECT_EQ(cap.GetWidth(), c.width) << c.what;
            EXPECT_EQ(cap.GetHeight(), c.height) << c.what;
            EXPECT_EQ(camera->Current().width, static_cast<std::uint32_t>(c.width)) << c.what;
        }
        EXPECT_EQ(camera->OpenHandles(), 0) << c.what << ": the graph let the device go";
    }
}

TEST_F(CaptureGraphTest, SelectResolutionRebuildsAtTheRowOrKeepsTheCurrentFormat)
{
    const struct {
        const char* what;
        std::vector<FrameSize> sizes;
        int index, answer, width, height;
    } cases[] = {
        { "unsupported 1024 row keeps 1280x720", { { 640, 480 }, { 800, 600 }, { 1280, 720 } }, 2, 2, 1280, 720 },
        { "row 0 is 640", { { 640, 480 }, { 800, 600 }, { 1280, 720 } }, 0, 0, 640, 480 },
        { "row 0 of the five-row table is 800",
            { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1280, 720 }, { 1600, 1200 }, { 2048, 1536 } }, 0, 0, 800,
            600 },
        { "row 4 of the five-row table is 2048",
            { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1280, 720 }, { 1600, 1200 }, { 2048, 1536 } }, 4, 4, 2048,
            1536 },
        { "the 1280 row asks for 1280x1024", { { 640, 480 }, { 1280, 720 }, { 1280, 1024 } }, 3, 3, 1280, 1024 },
        { "index 5 is refused", { { 640, 480 }, { 1280, 720 } }, 5, -1, 1280, 720 },
        { "index -1 is refused", { { 640, 480 }, { 1280, 720 } }, -1, -1, 1280, 720 },
    };
    for (const auto& c : cases) {
        v4l2::EmulatedDeviceSystem own;
        auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", c.sizes);
        own.Add("/dev/video0", camera);
        v4l2::ScopedDeviceSystem use(own);
        CVMR_Capture cap;
        ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK) << c.what;
        std::string before = test::RegisteredGraphName();
        EXPECT_EQ(cap.SelectResolution(c.index), c.answer) << c.what;
        EXPECT_EQ(cap.GetWidth(), c.width) << c.what;
        EXPECT_EQ(cap.GetHeight(), c.height) << c.what;
        EXPECT_EQ(camera->Current().width, static_cast<std::uint32_t>(c.width)) << c.what;
        EXPECT_EQ(camera->Current().height, static_cast<std::uint32_t>(c.height)) << c.what;
        if (c.answer < 0) {
            EXPECT_EQ(test::RegisteredGraphName(), before) << c.what << ": the running graph stays";
        }
        // The frames that arrive have the size in force.
        EXPECT_TRUE(WaitForFrame(c.width * c.height * 3)) << c.what;
    }
}

TEST_F(CaptureGraphTest, FormatsOtherThanYuy2NeverEnterTheTable)
{
    v4l2::EmulatedFormat mjpg { V4L2_PIX_FMT_MJPEG, { { 1600, 1200 }, { 2048, 1536 } } };
    v4l2::EmulatedFormat yuyv { V4L2_PIX_FMT_YUYV, { { 800, 600 } } };
    AddDevice(std::make_shared<v4l2::EmulatedDevice>("Doc Cam", V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
        std::vector<v4l2::EmulatedFormat> { mjpg, yuyv }));
    CVMR_Capture cap;
    EXPECT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    EXPECT_EQ(cap.GetSupportedCount(), 1);
    EXPECT_EQ(TableOf(cap)[4], (Row { 1600, 0, 0 }));
    EXPECT_EQ(cap.GetWidth(), 800);
    EXPECT_EQ(cap.SelectResolution(4), 4) << "the 1600 row matches no YUY2 format";
    EXPECT_EQ(cap.GetWidth(), 800);
}

TEST_F(CaptureGraphTest, AnUnreadableNameIsNotListedButKeepsItsPosition)
{
    AddCamera("Alpha", { { 640, 480 } });
    AddCamera("", { { 800, 600 } });
    AddCamera("Gamma \xE6\x96\x87", { { 1280, 720 } });
    HWND combo = MakeCombo();
    CVMR_Capture cap;
    EXPECT_EQ(cap.FillDeviceList(combo), 2);
    EXPECT_EQ(ComboItems(combo), (std::vector<std::string> { "Alpha", "Gamma \xE6\x96\x87" }));
    EXPECT_EQ(cap.FillDeviceList(nullptr), -1);

    // List row 1 is device position 2.
    EXPECT_EQ(cap.BuildGraph(2, nullptr), S_OK);
    EXPECT_EQ(cap.GetWidth(), 1280);
    cap.TearDownGraph();
    EXPECT_TRUE(FAILED(cap.BuildGraph(1, nullptr))) << "the nameless device can't be bound";
    cap.TearDownGraph();
    EXPECT_TRUE(FAILED(cap.BuildGraph(3, nullptr))) << "an index past the last device";
}

TEST_F(CaptureGraphTest, WithoutACameraNothingIsListedOrBuilt)
{
    // A metadata node alone is no camera.
    AddDevice(std::make_shared<v4l2::EmulatedDevice>("Doc Cam", V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING,
        std::vector<v4l2::EmulatedFormat> {}));
    HWND combo = MakeCombo();
    CVMR_Capture cap;
    EXPECT_EQ(cap.FillDeviceList(combo), -1);
    EXPECT_TRUE(ComboItems(combo).empty());
    EXPECT_EQ(cap.BuildGraph(0, nullptr), 1);
    EXPECT_EQ(cap.GetSupportedCount(), -1);
    EXPECT_EQ(cap.SelectResolution(0), -1) << "no table was probed";
    BYTE* buffer = nullptr;
    EXPECT_EQ(cap.GetFrameBuffer(&buffer), 0);
    EXPECT_EQ(buffer, nullptr);

    AddCamera("Doc Cam", { { 640, 480 } });
    CVMR_Capture negative;
    EXPECT_EQ(negative.BuildGraph(-1, nullptr), 1);
}

TEST_F(CaptureGraphTest, TheGraphIsRegisteredUnderEightDigitHexNumbers)
{
    OLECHAR name[128];
    CVMR_Capture::FormatRotName(reinterpret_cast<const void*>(std::uintptr_t(0xab)), 500, name);
    EXPECT_EQ(std::u16string(name), u"FilterGraph 000000ab pid 000001f4");

    AddCamera("Doc Cam", { { 640, 480 } });
    {
        CVMR_Capture cap;
        ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK);
        std::string registered = test::RegisteredGraphName();
        char pid[16];
        std::snprintf(pid, sizeof pid, "%08x", static_cast<unsigned>(getpid()));
        ASSERT_EQ(registered.size(), std::string("!FilterGraph 01234567 pid 01234567").size()) << registered;
        EXPECT_EQ(registered.substr(26), pid);
        EXPECT_EQ(registered.find_first_not_of("0123456789abcdef", 13), 21u) << registered;
    }
    EXPECT_EQ(test::RegisteredGraphName(), "") << "teardown revokes the registration";
}

TEST_F(CaptureGraphTest, AmplifierPercentagesMapOntoTheDeviceRanges)
{
    auto camera = AddCamera("Doc Cam", { { 640, 480 } },
        { { V4L2_CID_BRIGHTNESS, -64, 64, 1, 0, 0 }, { V4L2_CID_CONTRAST, 0, 100, 1, 50, 50 },
            { V4L2_CID_SATURATION, 0, 200, 10, 100, 100 } });
    AddCamera("Plain Cam", { { 640, 480 } });
    // One capture object at a time, as the program keeps it: the grabber
    // callback and the frame record are shared.
    auto cap = std::make_unique<CVMR_Capture>();
    ASSERT_EQ(cap->BuildGraph(0, nullptr), S_OK);
    const struct {
        LONG property;
        std::uint32_t id;
        int percent;
        std::int32_t value; // what the device holds afterwards
        int readBack;
    } cases[] = {
        { VideoProcAmp_Brightness, V4L2_CID_BRIGHTNESS, 0, -64, 0 },
        { VideoProcAmp_Brightness, V4L2_CID_BRIGHTNESS, 100, 64, 100 },
        { VideoProcAmp_Brightness, V4L2_CID_BRIGHTNESS, 50, 0, 50 },
        { VideoProcAmp_Brightness, V4L2_CID_BRIGHTNESS, 33, -22, 32 }, // 128 × 33 / 100 truncates; so does the way back
        { VideoProcAmp_Contrast, V4L2_CID_CONTRAST, 7, 7, 7 },
        { VideoProcAmp_Saturation, V4L2_CID_SATURATION, 33, 70, 35 }, // the driver rounds 66 to its step of 10
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cap->SetProcAmpPercent(c.property, c.percent), S_OK) << c.property << " " << c.percent;
        EXPECT_EQ(camera->ControlValue(c.id), c.value) << c.property << " " << c.percent;
        EXPECT_EQ(cap->GetProcAmpPercent(c.property), c.readBack) << c.property << " " << c.percent;
    }
    EXPECT_EQ(cap->SetBrightness(100), S_OK);
    EXPECT_EQ(cap->GetBrightness(), 100);
    EXPECT_EQ(cap->SetSaturation(0), S_OK);
    EXPECT_EQ(cap->GetSaturation(), 0);

    cap.reset(new CVMR_Capture);
    ASSERT_EQ(cap->BuildGraph(1, nullptr), S_OK);
    EXPECT_TRUE(FAILED(cap->SetContrast(40))) << "a device without the controls";
    EXPECT_EQ(cap->GetContrast(), 0);
    cap.reset(new CVMR_Capture);
    EXPECT_TRUE(FAILED(cap->SetBrightness(40))) << "no capture filter";
    EXPECT_EQ(cap->GetBrightness(), 0);
}

// A stand-in Sample Grabber whose media type can be refused and which may
// have no filter interface.
class FakeGrabber final : public ISampleGrabber {
public:
    FakeGrabber(HRESULT setType)
        : setType_(setType)
    {
    }
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        return com::QueryInterfaceOf<ISampleGrabber>(this, iid, out);
    }
    INKVEIL_COM_REFCOUNT
    HRESULT SetOneShot(BOOL) override { return S_OK; }
    HRESULT SetMediaType(const AM_MEDIA_TYPE*) override { return setType_; }
    HRESULT GetConnectedMediaType(AM_MEDIA_TYPE*) override { return VFW_E_NOT_CONNECTED; }
    HRESULT SetBufferSamples(BOOL) override { return S_OK; }
    HRESULT GetCurrentBuffer(LONG*, LONG*) override { return E_INVALIDARG; }
    HRESULT SetCallback(ISampleGrabberCB*, LONG) override { return S_OK; }

private:
    ~FakeGrabber() = default;
    com::RefCount refs_;
    HRESULT setType_;
};

TEST_F(CaptureGraphTest, BuildFailuresShowTheirMessageOnceAndAnswerTheFailure)
{
    auto fake = [](HRESULT setType) {
        return com::ClassFactory([setType](REFIID iid, void** out) {
            auto* g = new FakeGrabber(setType);
            HRESULT hr = g->QueryInterface(iid, out);
            g->Release();
            return hr;
        });
    };
    const struct {
        const char* text;
        com::ClassFactory grabber; // empty: the class isn't registered
        bool h264Only; // a format no converter takes
        HRESULT result;
    } cases[] = {
        { "Fail to create SampleGrabber, maybe qedit.dll is not registered?", {}, false, REGDB_E_CLASSNOTREG },
        { "Fail to set media type!", fake(E_INVALIDARG), false, E_INVALIDARG },
        { "Fail to put sample grabber in graph", fake(S_OK), false, E_POINTER },
        { "Failt to read the connected media type", nullptr, true, VFW_E_NOT_CONNECTED },
    };
    for (const auto& c : cases) {
        v4l2::EmulatedDeviceSystem own;
        if (c.h264Only)
            own.Add("/dev/video0",
                std::make_shared<v4l2::EmulatedDevice>("Doc Cam", V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
                    std::vector<v4l2::EmulatedFormat> { { V4L2_PIX_FMT_H264, { { 1280, 720 } } } }));
        else
            own.Add("/dev/video0", v4l2::EmulatedDevice::Camera("Doc Cam", { { 640, 480 } }));
        v4l2::ScopedDeviceSystem use(own);
        std::optional<com::ClassOverride> override;
        if (!c.h264Only)
            override.emplace(CLSID_SampleGrabber, c.grabber);
        std::vector<std::string> shown;
        driver.WhenWaiting([&] {
            char text[256] = {};
            GetWindowText(GetDlgItem(GetActiveWindow(), 0xFFFF), text, sizeof text);
            shown.emplace_back(text);
            driver.Key(VK_RETURN);
        });
        CVMR_Capture cap;
        EXPECT_EQ(cap.BuildGraph(0, nullptr), c.result) << c.text;
        EXPECT_EQ(shown, std::vector<std::string> { c.text });
        EXPECT_FALSE(driver.StepsLeft());
    }
}

TEST_F(CaptureGraphTest, ABusyCameraIsNamedOnceAndChoosingItAgainRetries)
{
    // Another program streaming from the camera makes the driver refuse the
    // format, buffers and streaming; one holding it exclusively makes even
    // opening it fail.
    const struct {
        const char* what;
        v4l2::EmulatedFaults faults;
    } cases[] = {
        { "format, buffers and streaming refused",
            [] {
                v4l2::EmulatedFaults f;
                f.busy = true;
                return f;
            }() },
        { "opening refused",
            [] {
                v4l2::EmulatedFaults f;
                f.openError = EBUSY;
                return f;
            }() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        v4l2::EmulatedDeviceSystem own;
        auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 640, 480 }, { 1280, 720 } });
        camera->SetFaults(c.faults);
        own.Add("/dev/video0", camera);
        v4l2::ScopedDeviceSystem use(own);
        std::vector<std::string> shown;
        driver.WhenWaiting([&] {
            char text[256] = {};
            GetWindowText(GetDlgItem(GetActiveWindow(), 0xFFFF), text, sizeof text);
            shown.emplace_back(text);
            driver.Key(VK_RETURN);
        });
        CVMR_Capture cap;
        EXPECT_EQ(cap.BuildGraph(0, nullptr), CVMR_Capture::kDeviceBusy);
        EXPECT_TRUE(cap.DeviceBusy());
        ASSERT_EQ(shown.size(), 1u) << "one message, however many requests refuse";
        EXPECT_NE(shown[0].find("摄像头正被其他程序使用"), std::string::npos);
        EXPECT_NE(shown[0].find("Doc Cam"), std::string::npos) << "the message names the camera";
        EXPECT_FALSE(driver.StepsLeft());

        // The other program lets go; the toolbar's choice builds the graph again.
        camera->SetFaults({});
        cap.TearDownGraph();
        EXPECT_EQ(cap.BuildGraph(0, nullptr), S_OK);
        EXPECT_FALSE(cap.DeviceBusy());
        EXPECT_EQ(shown.size(), 1u);
        EXPECT_GT(cap.GetWidth(), 0);
    }
}

TEST_F(CaptureGraphTest, ASizeTheCameraSendsFasterAsMjpgStreamsMjpgAtThatSize)
{
    v4l2::EmulatedFormat yuyv, mjpg;
    yuyv.fourcc = V4L2_PIX_FMT_YUYV;
    yuyv.sizes = { { 640, 480 }, { 1280, 720 } };
    yuyv.rates = { 30, 10 }; // the bus carries uncompressed 720p ten times a second
    mjpg.fourcc = V4L2_PIX_FMT_MJPEG;
    mjpg.sizes = { { 640, 480 }, { 1280, 720 }, { 1920, 1080 } };
    mjpg.rates = { 30, 30, 30 };
    v4l2::EmulatedDeviceSystem own;
    auto camera = std::make_shared<v4l2::EmulatedDevice>("Doc Cam", V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
        std::vector<v4l2::EmulatedFormat> { yuyv, mjpg });
    own.Add("/dev/video0", camera);
    v4l2::ScopedDeviceSystem use(own);
    CVMR_Capture cap;
    ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    EXPECT_EQ(TableOf(cap)[3], (Row { 1280, 720, 1 })) << "the table still lists the YUY2 sizes";
    EXPECT_EQ(camera->Current().fourcc, static_cast<std::uint32_t>(V4L2_PIX_FMT_MJPEG));
    EXPECT_EQ(cap.GetWidth(), 1280);
    EXPECT_EQ(cap.GetHeight(), 720);
    EXPECT_EQ(g_grabberCB.m_nWidth, 1280) << "the grabber sees RGB24 at the chosen size";
    EXPECT_EQ(g_grabberCB.m_nHeight, 720);

    // At 640 × 480 both run at 30 frames a second: YUYV needs no decoding.
    ASSERT_EQ(cap.SelectResolution(0), 0);
    EXPECT_EQ(camera->Current().fourcc, static_cast<std::uint32_t>(V4L2_PIX_FMT_YUYV));
    EXPECT_EQ(g_grabberCB.m_nWidth, 640);
}

TEST_F(CaptureGraphTest, TheCameraReportListsFormatsSizesRatesAndTheChoice)
{
    v4l2::EmulatedDeviceSystem own;
    v4l2::ScopedDeviceSystem use(own);
    EXPECT_EQ(CameraReport(), "No video capture device was found.\n");

    v4l2::EmulatedFormat yuyv, mjpg;
    yuyv.fourcc = V4L2_PIX_FMT_YUYV;
    yuyv.sizes = { { 640, 480 }, { 1280, 720 } };
    yuyv.rates = { 30, 10 };
    mjpg.fourcc = V4L2_PIX_FMT_MJPEG;
    mjpg.sizes = { { 1280, 720 } };
    mjpg.rates = { 30 };
    own.Add("/dev/video0", v4l2::EmulatedDevice::Camera("Small Cam", { { 800, 600 } }));
    own.Add("/dev/video1",
        std::make_shared<v4l2::EmulatedDevice>("Small Cam", V4L2_CAP_META_CAPTURE,
            std::vector<v4l2::EmulatedFormat> {}));
    own.Add("/dev/video2",
        std::make_shared<v4l2::EmulatedDevice>("Doc Cam", V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
            std::vector<v4l2::EmulatedFormat> { yuyv, mjpg }));
    EXPECT_EQ(CameraReport(),
        "/dev/video0: Small Cam\n"
        "  YUYV: 800x600 @ 30 fps\n"
        "  chosen: 800x600, streamed as YUYV\n"
        "/dev/video2: Doc Cam\n"
        "  YUYV: 640x480 @ 30 fps, 1280x720 @ 10 fps\n"
        "  MJPG: 1280x720 @ 30 fps\n"
        "  chosen: 1280x720, streamed as MJPG\n");
}

// `inkveil --list-cameras` runs with no screen: a camera another program
// holds is listed as busy, without a message box, one the user may not
// open says so, and the others after them are listed as ever (the last at
// its place in the device list, which the locked one is not in).
TEST_F(CaptureGraphTest, TheCameraReportSaysABusyCameraIsBusyAndGoesOn)
{
    v4l2::EmulatedDeviceSystem own;
    v4l2::ScopedDeviceSystem use(own);
    auto held = v4l2::EmulatedDevice::Camera("Held Cam", { { 640, 480 } });
    v4l2::EmulatedFaults exclusive;
    exclusive.openError = EBUSY;
    held->SetFaults(exclusive);
    auto streaming = v4l2::EmulatedDevice::Camera("Busy Cam", { { 800, 600 } });
    v4l2::EmulatedFaults busy;
    busy.busy = true;
    streaming->SetFaults(busy);
    auto locked = v4l2::EmulatedDevice::Camera("Locked Cam", { { 640, 480 } });
    v4l2::EmulatedFaults denied;
    denied.openError = EACCES;
    locked->SetFaults(denied);
    own.Add("/dev/video0", held);
    own.Add("/dev/video1", streaming);
    own.Add("/dev/video2", locked);
    own.Add("/dev/video3", v4l2::EmulatedDevice::Camera("Doc Cam", { { 1280, 720 } }));
    int boxes = 0;
    driver.WhenWaiting([&] {
        ++boxes;
        driver.Key(VK_RETURN);
    });
    EXPECT_EQ(CameraReport(),
        "/dev/video0: Held Cam\n"
        "  busy: in use by another program, which must let it go before it can be read\n"
        "/dev/video1: Busy Cam\n"
        "  YUYV: 800x600 @ 30 fps\n"
        "  chosen: none, another program is using the camera (busy)\n"
        "/dev/video2: Locked Cam\n"
        "  no permission to open it (is the user in the video group?)\n"
        "/dev/video3: Doc Cam\n"
        "  YUYV: 1280x720 @ 30 fps\n"
        "  chosen: 1280x720, streamed as YUYV\n");
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(streaming->OpenHandles(), 0);
}

} // namespace
