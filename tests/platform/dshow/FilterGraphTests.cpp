// The filter graph: the device enumerator over emulated nodes, intelligent
// connection through the YUY2 converter, exact conversion pixels, the
// grabber's type filter, the renderer's current image and the graph's
// events.

#include "platform/com/Com.h"
#include "platform/com/ComObject.h"
#include "platform/dshow/DShow.h"
#include "platform/dshow/MediaType.h"
#include "platform/dshow/TransformFilter.h"
#include "platform/dshow/Yuy2Converter.h"
#include "platform/v4l2/EmulatedDevice.h"
#include "tests/platform/dshow/GraphTestSupport.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <linux/videodev2.h>
#include <thread>

namespace {

using com::ComPtr;

using FilterGraphTest = test::GraphTest;

TEST_F(FilterGraphTest, TheEnumeratorListsCaptureNodesOnlyWithTheirNames)
{
    auto create = Create<ICreateDevEnum>(CLSID_SystemDeviceEnum);
    ComPtr<IEnumMoniker> e;
    EXPECT_EQ(create->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, e.Out(), 0), S_FALSE) << "no camera";
    EXPECT_FALSE(e);
    devices.Add("/dev/video0", v4l2::EmulatedDevice::Camera("Doc Cam", { { 640, 480 } }));
    devices.Add("/dev/video1",
        std::make_shared<v4l2::EmulatedDevice>("Doc Cam", V4L2_CAP_META_CAPTURE, std::vector<v4l2::EmulatedFormat> {}));
    ASSERT_EQ(create->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, e.Out(), 0), S_OK);
    ComPtr<IMoniker> m;
    ASSERT_EQ(e->Next(1, m.Out(), nullptr), S_OK);
    ComPtr<IPropertyBag> bag;
    ASSERT_EQ(m->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.OutVoid()), S_OK);
    VARIANT v;
    VariantInit(&v);
    ASSERT_EQ(bag->Read(u"FriendlyName", &v, nullptr), S_OK);
    EXPECT_EQ(std::u16string(v.bstrVal), u"Doc Cam");
    VariantClear(&v);
    EXPECT_EQ(e->Next(1, m.Out(), nullptr), S_FALSE) << "the metadata node isn't listed";
}

// A node whose open(2) fails: one another program holds exclusively
// (EBUSY) is listed under its driver's name and binding it says busy; one
// the user may not open (EACCES) is passed over, with a line in the log.
TEST_F(FilterGraphTest, ANodeThatRefusesOpeningIsListedWhenBusyAndBindingSaysSo)
{
    LogCapture log(logging::Level::Warn);
    auto refusing = [](const char* card, int error) {
        auto camera = v4l2::EmulatedDevice::Camera(card, { { 640, 480 } });
        v4l2::EmulatedFaults f;
        f.openError = error;
        camera->SetFaults(f);
        return camera;
    };
    devices.Add("/dev/video0", refusing("Locked Cam", EACCES));
    devices.Add("/dev/video1", refusing("Busy Cam", EBUSY));
    devices.Add("/dev/video2", v4l2::EmulatedDevice::Camera("Doc Cam", { { 640, 480 } }));
    auto create = Create<ICreateDevEnum>(CLSID_SystemDeviceEnum);
    ComPtr<IEnumMoniker> e;
    ASSERT_EQ(create->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, e.Out(), 0), S_OK);
    const struct {
        const char16_t* name;
        HRESULT bind;
    } expected[] = { { u"Busy Cam", HResultFromErrno(EBUSY) }, { u"Doc Cam", S_OK } };
    for (const auto& x : expected) {
        ComPtr<IMoniker> m;
        ASSERT_EQ(e->Next(1, m.Out(), nullptr), S_OK);
        ComPtr<IPropertyBag> bag;
        ASSERT_EQ(m->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.OutVoid()), S_OK);
        VARIANT v;
        VariantInit(&v);
        ASSERT_EQ(bag->Read(u"FriendlyName", &v, nullptr), S_OK);
        EXPECT_EQ(std::u16string(v.bstrVal), x.name);
        VariantClear(&v);
        ComPtr<IBaseFilter> filter;
        EXPECT_EQ(m->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.OutVoid()), x.bind);
        EXPECT_EQ(static_cast<bool>(filter), x.bind == S_OK);
    }
    ComPtr<IMoniker> none;
    EXPECT_EQ(e->Next(1, none.Out(), nullptr), S_FALSE);
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 2u) << log.Text();
    EXPECT_TRUE(
        lines[0].ends_with(" warn: camera /dev/video0: no permission to open it (is the user in the video group?)"))
        << lines[0];
    EXPECT_TRUE(lines[1].ends_with(" warn: camera /dev/video1: cannot open: Device or resource busy")) << lines[1];
}

TEST_F(FilterGraphTest, ConnectPutsTheConverterBetweenYuy2AndRgb24)
{
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 4, 2 } });
    // Luma 16 is black and 235 white in BT.601's studio range.
    camera->SetPicture([](const v4l2::CurrentFormat&, std::uint64_t, std::uint8_t* out) {
        const std::uint8_t lumas[8] = { 16, 235, 16, 235, 235, 235, 16, 16 };
        for (int i = 0; i < 8; ++i) {
            out[i * 2] = lumas[i];
            out[i * 2 + 1] = 128;
        }
    });
    devices.Add("/dev/video0", camera);
    auto graph = Create<IGraphBuilder>(CLSID_FilterGraph);
    auto grabber = Create<ISampleGrabber>(CLSID_SampleGrabber);
    auto renderer = Create<IBaseFilter>(CLSID_VideoMixingRenderer);
    auto colour = Create<IBaseFilter>(CLSID_Colour);
    renderer.As<IVMRFilterConfig>()->SetRenderingMode(VMRMode_Windowless);

    ComPtr<IBaseFilter> source = FirstCamera();
    ASSERT_TRUE(source);

    AM_MEDIA_TYPE want {};
    want.majortype = MEDIATYPE_Video;
    want.subtype = MEDIASUBTYPE_RGB24;
    ASSERT_EQ(grabber->SetMediaType(&want), S_OK);
    auto grabberFilter = grabber.As<IBaseFilter>();
    graph->AddFilter(source.Get(), u"Video Capture");
    graph->AddFilter(grabberFilter.Get(), u"Grabber");
    graph->AddFilter(colour.Get(), u"ColorSpace Convert");
    graph->AddFilter(renderer.Get(), u"Video Mixing Renderer");

    EXPECT_EQ(graph->ConnectDirect(PinOf(source.Get(), 0).Get(), PinOf(grabberFilter.Get(), 0).Get(), nullptr),
        VFW_E_NO_ACCEPTABLE_TYPES);
    EXPECT_EQ(graph->Connect(PinOf(grabberFilter.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get()), VFW_E_CANNOT_CONNECT)
        << "not yet: the grabber's output knows no type before its input connects";
    EXPECT_EQ(graph->Connect(PinOf(source.Get(), 0).Get(), PinOf(grabberFilter.Get(), 0).Get()), S_OK);
    EXPECT_EQ(FilterNames(graph.Get()).back(), u"YUY2 to RGB24 Converter");
    AM_MEDIA_TYPE got;
    ASSERT_EQ(grabber->GetConnectedMediaType(&got), S_OK);
    EXPECT_TRUE(got.subtype == MEDIASUBTYPE_RGB24);
    EXPECT_EQ(dshow::MediaType::VideoInfoOf(got)->bmiHeader.biHeight, 2) << "bottom-up";
    FreeMediaType(got);
    EXPECT_EQ(graph->Connect(PinOf(grabberFilter.Get(), 1).Get(), PinOf(colour.Get(), 0).Get()), S_OK);
    EXPECT_EQ(graph->Connect(PinOf(colour.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get()), S_OK);

    ASSERT_EQ(graph.As<IMediaControl>()->Run(), S_OK);
    auto windowless = renderer.As<IVMRWindowlessControl>();
    BYTE* dib = nullptr;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (windowless->GetCurrentImage(&dib) != S_OK && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    graph.As<IMediaControl>()->Stop();
    ASSERT_NE(dib, nullptr);
    // The camera's top row (black, white, black, white) is the image's
    // last row.
    const std::uint32_t expected[8] = { 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0x000000,
        0xFFFFFF };
    for (int i = 0; i < 8; ++i) {
        std::uint32_t px;
        std::memcpy(&px, dib + 40 + i * 4, 4);
        EXPECT_EQ(px & 0xFFFFFF, expected[i]) << "pixel " << i;
    }
    CoTaskMemFree(dib);
}

TEST_F(FilterGraphTest, TheConverterMatchesBt601OnWholeFrames)
{
    // Two columns of saturated colours (U, V far from neutral) and a grey:
    // compared with the textbook formula within one step.
    const int w = 2, h = 3;
    const std::uint8_t yuy2[w * h * 2] = { 81, 90, 81, 240, 145, 54, 145, 34, 126, 128, 126, 128 };
    std::uint8_t rgb[w * h * 3 + 8] = {};
    std::uint8_t scratch[w * 4 * dshow::Yuy2Converter::kBandRows];
    dshow::Yuy2Converter::Convert(yuy2, w * 2, rgb, dshow::DibStride(w, 24), w, h, scratch);
    auto clamp = [](double v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    for (int y = 0; y < h; ++y) {
        double Y = 1.164 * (yuy2[y * 4] - 16), U = yuy2[y * 4 + 1] - 128.0, V = yuy2[y * 4 + 3] - 128.0;
        double expect[3] = { clamp(Y + 2.018 * U), clamp(Y - 0.391 * U - 0.813 * V), clamp(Y + 1.596 * V) };
        const std::uint8_t* px = rgb + (h - 1 - y) * dshow::DibStride(w, 24); // bottom-up
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(px[c], expect[c], 2.0) << "row " << y << " channel " << c;
    }
}

TEST_F(FilterGraphTest, PinsRefuseWhatTheyCannotDoAndRemoveFilterDisconnects)
{
    auto graph = Create<IGraphBuilder>(CLSID_FilterGraph);
    auto colour = Create<IBaseFilter>(CLSID_Colour);
    auto renderer = Create<IBaseFilter>(CLSID_VideoMixingRenderer);
    EXPECT_FALSE(renderer.As<IVMRWindowlessControl>()) << "windowless only after the mode is set";
    graph->AddFilter(colour.Get(), u"A");
    graph->AddFilter(renderer.Get(), u"A");
    ComPtr<IBaseFilter> found;
    EXPECT_EQ(graph->FindFilterByName(u"A 0001", found.Out()), S_OK) << "a second name gets a number";
    ComPtr<IPin> peer;
    EXPECT_EQ(PinOf(renderer.Get(), 0)->ConnectedTo(peer.Out()), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(graph->Connect(PinOf(colour.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get()), VFW_E_CANNOT_CONNECT)
        << "the converter's input isn't connected";
    EXPECT_EQ(FilterNames(graph.Get()).size(), 2u) << "failed insertions leave nothing behind";
    EXPECT_EQ(graph->RemoveFilter(colour.Get()), S_OK);
    EXPECT_EQ(graph->RemoveFilter(colour.Get()), VFW_E_NOT_FOUND);
}

TEST_F(FilterGraphTest, EventsToldFromAnotherThreadAreReadInOrderAndAWaitEndsWithTheFirst)
{
    auto graph = Create<IGraphBuilder>(CLSID_FilterGraph);
    ComPtr<IMediaEvent> events = graph.As<IMediaEvent>();
    ComPtr<IMediaEventSink> sink = graph.As<IMediaEventSink>();
    ASSERT_TRUE(events && sink);
    LONG code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    EXPECT_EQ(events->GetEvent(&code, &p1, &p2, 0), E_ABORT) << "none yet";
    EXPECT_EQ(events->GetEvent(&code, &p1, &p2, 30), E_ABORT);
    EXPECT_EQ(events->GetEvent(nullptr, &p1, &p2, 0), E_POINTER);

    // A reader waiting for ever is woken by an event told on another thread.
    std::thread teller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sink->Notify(EC_ERRORABORT, HResultFromErrno(EIO), 0);
        sink->Notify(EC_DEVICE_LOST, 0, 0);
    });
    ASSERT_EQ(events->GetEvent(&code, &p1, &p2, -1), S_OK);
    EXPECT_EQ(code, EC_ERRORABORT);
    EXPECT_EQ(p1, HResultFromErrno(EIO));
    EXPECT_EQ(events->FreeEventParams(code, p1, p2), S_OK);
    teller.join();
    ASSERT_EQ(events->GetEvent(&code, &p1, &p2, 0), S_OK);
    EXPECT_EQ(code, EC_DEVICE_LOST);
    EXPECT_EQ(events->GetEvent(&code, &p1, &p2, 0), E_ABORT) << "each event is read once";
}

} // namespace
