// The video renderer filter on its own terms: what it refuses, its mode
// fixed once connected, the windowless control's answers before and after
// a connection and a frame, and the image it keeps, whether it was handed
// 24- or 32-bit frames.

#include "platform/dshow/MediaType.h"
#include "platform/dshow/TransformFilter.h"
#include "tests/platform/dshow/GraphTestSupport.h"

#include <chrono>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

using com::ComPtr;
using RendererTest = test::GraphTest;

TEST_F(RendererTest, BeforeAConnectionItTellsWhatItLacks)
{
    auto renderer = Create<IBaseFilter>(CLSID_VideoMixingRenderer);
    auto config = renderer.As<IVMRFilterConfig>();
    EXPECT_EQ(config->SetRenderingMode(7), E_INVALIDARG);
    ASSERT_EQ(config->SetRenderingMode(VMRMode_Windowless), S_OK);
    auto windowless = renderer.As<IVMRWindowlessControl>();
    ASSERT_TRUE(windowless);
    LONG w = 0, h = 0;
    EXPECT_EQ(windowless->GetNativeVideoSize(&w, &h, nullptr, nullptr), VFW_E_NOT_CONNECTED);
    BYTE* dib = reinterpret_cast<BYTE*>(1);
    EXPECT_EQ(windowless->GetCurrentImage(&dib), E_FAIL) << "no frame yet";
    EXPECT_EQ(dib, nullptr);
    EXPECT_EQ(windowless->GetCurrentImage(nullptr), E_POINTER);
    EXPECT_EQ(windowless->SetVideoClippingWindow(reinterpret_cast<HWND>(0x1234)), E_INVALIDARG) << "no such window";
    EXPECT_EQ(windowless->SetVideoClippingWindow(nullptr), S_OK);
    EXPECT_EQ(windowless->SetVideoPosition(nullptr, nullptr), E_POINTER);
}

// A graph of a 6 x 2 camera (24-bit rows padded from 18 to 20 bytes), the
// colour converter and the renderer, the last two joined with the type
// given or, without one, the first the converter offers that the renderer
// takes. Answers the type joined and the renderer's first image.
struct RendererRun {
    GUID subtype {};
    std::vector<BYTE> image; // header and pixels as GetCurrentImage gives them
};

TEST_F(RendererTest, ItKeeps24BitFramesAsTheyComeAndGivesTheSame32BitImageAsAConvertedFrame)
{
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 6, 2 } });
    // Lumas and chromas all different, so that a byte out of place shows.
    camera->SetPicture([](const v4l2::CurrentFormat& f, std::uint64_t, std::uint8_t* out) {
        for (std::uint32_t i = 0; i < f.sizeImage; ++i)
            out[i] = static_cast<std::uint8_t>(40 + i * 7);
    });
    devices.Add("/dev/video0", camera);
    auto run = [&](const AM_MEDIA_TYPE* forced) {
        RendererRun result;
        auto graph = Create<IGraphBuilder>(CLSID_FilterGraph);
        auto renderer = Create<IBaseFilter>(CLSID_VideoMixingRenderer);
        auto colour = Create<IBaseFilter>(CLSID_Colour);
        EXPECT_EQ(renderer.As<IVMRFilterConfig>()->SetRenderingMode(VMRMode_Windowless), S_OK);
        ComPtr<IBaseFilter> source = FirstCamera();
        EXPECT_TRUE(source);
        if (!source)
            return result;
        graph->AddFilter(source.Get(), u"Video Capture");
        graph->AddFilter(colour.Get(), u"ColorSpace Convert");
        graph->AddFilter(renderer.Get(), u"Video Mixing Renderer");
        EXPECT_EQ(graph->ConnectDirect(PinOf(source.Get(), 0).Get(), PinOf(renderer.Get(), 0).Get(), nullptr),
            VFW_E_NO_ACCEPTABLE_TYPES)
            << "the camera's YUY2 is not for the renderer";
        EXPECT_EQ(graph->Connect(PinOf(source.Get(), 0).Get(), PinOf(colour.Get(), 0).Get()), S_OK);
        if (forced)
            EXPECT_EQ(graph->ConnectDirect(PinOf(colour.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get(), forced), S_OK);
        else
            EXPECT_EQ(graph->Connect(PinOf(colour.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get()), S_OK);
        AM_MEDIA_TYPE connected;
        if (PinOf(renderer.Get(), 0)->ConnectionMediaType(&connected) != S_OK)
            return result;
        result.subtype = connected.subtype;
        FreeMediaType(connected);

        EXPECT_EQ(renderer.As<IVMRFilterConfig>()->SetRenderingMode(VMRMode_Windowed), VFW_E_WRONG_STATE)
            << "the mode is fixed once connected";
        auto windowless = renderer.As<IVMRWindowlessControl>();
        LONG w = 0, h = 0, arW = 0, arH = 0;
        EXPECT_EQ(windowless->GetNativeVideoSize(&w, &h, &arW, &arH), S_OK);
        EXPECT_EQ((std::vector<LONG> { w, h, arW, arH }), (std::vector<LONG> { 6, 2, 6, 2 }));

        EXPECT_EQ(graph.As<IMediaControl>()->Run(), S_OK);
        BYTE* dib = nullptr;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (windowless->GetCurrentImage(&dib) != S_OK && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        graph.As<IMediaControl>()->Stop();
        EXPECT_NE(dib, nullptr);
        if (!dib)
            return result;
        BITMAPINFOHEADER header;
        std::memcpy(&header, dib, sizeof header);
        EXPECT_EQ(header.biSize, sizeof header);
        EXPECT_EQ(header.biWidth, 6);
        EXPECT_EQ(header.biHeight, 2) << "positive: bottom-up rows";
        EXPECT_EQ(header.biBitCount, 32);
        EXPECT_EQ(header.biSizeImage, 6u * 2u * 4u);
        result.image.assign(dib, dib + sizeof header + 6 * 2 * 4);
        CoTaskMemFree(dib);
        return result;
    };

    // Left to choose, the converter hands its 24-bit frames on as they are.
    const RendererRun kept = run(nullptr);
    EXPECT_TRUE(kept.subtype == MEDIASUBTYPE_RGB24);
    // Joined with 32 bits, the converter widens every frame itself.
    dshow::MediaType rgb32 = dshow::MediaType::Video(MEDIASUBTYPE_RGB32, 6, 2, 32, BI_RGB);
    const RendererRun converted = run(&rgb32.Get());
    EXPECT_TRUE(converted.subtype == MEDIASUBTYPE_RGB32);
    ASSERT_EQ(converted.image.size(), 40u + 48u);
    EXPECT_EQ(kept.image, converted.image) << "the same image, byte for byte, either way";
    std::set<std::uint32_t> colours;
    for (std::size_t i = 40; i < converted.image.size(); i += 4) {
        std::uint32_t px;
        std::memcpy(&px, converted.image.data() + i, 4);
        colours.insert(px);
    }
    EXPECT_GE(colours.size(), 6u) << "a picture, not a flat fill";
}

// Keeps a copy of the last frame the grabber saw.
class LastFrame final : public ISampleGrabberCB {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (iid != ISampleGrabberCB::kIid && iid != IID_IUnknown)
            return E_NOINTERFACE;
        *out = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT SampleCB(double, IMediaSample*) override { return S_OK; }
    HRESULT BufferCB(double, BYTE* buffer, LONG length) override
    {
        std::lock_guard guard(lock);
        frame.assign(buffer, buffer + length);
        ++frames;
        return S_OK;
    }
    std::mutex lock;
    std::vector<BYTE> frame;
    int frames = 0;
};

TEST_F(RendererTest, AfterManyChangingFramesItsImageIsTheLastFrameTheGrabberSaw)
{
    // The renderer keeps frames by taking the buffer they came in and giving
    // the converter its old one to fill: its image must be the last frame,
    // never the one before it.
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 6, 2 } });
    camera->SetPicture([](const v4l2::CurrentFormat& f, std::uint64_t n, std::uint8_t* out) {
        for (std::uint32_t i = 0; i < f.sizeImage; ++i)
            out[i] = static_cast<std::uint8_t>(40 + i * 7 + n * 13);
    });
    camera->SetFramePeriod(std::chrono::milliseconds(2));
    devices.Add("/dev/video0", camera);
    auto graph = Create<IGraphBuilder>(CLSID_FilterGraph);
    auto grabber = Create<ISampleGrabber>(CLSID_SampleGrabber);
    auto renderer = Create<IBaseFilter>(CLSID_VideoMixingRenderer);
    auto colour = Create<IBaseFilter>(CLSID_Colour);
    ASSERT_EQ(renderer.As<IVMRFilterConfig>()->SetRenderingMode(VMRMode_Windowless), S_OK);
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
    ASSERT_EQ(graph->Connect(PinOf(source.Get(), 0).Get(), PinOf(grabberFilter.Get(), 0).Get()), S_OK);
    ASSERT_EQ(graph->Connect(PinOf(grabberFilter.Get(), 1).Get(), PinOf(colour.Get(), 0).Get()), S_OK);
    ASSERT_EQ(graph->Connect(PinOf(colour.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get()), S_OK);
    LastFrame last;
    ASSERT_EQ(grabber->SetCallback(&last, 1), S_OK);

    ASSERT_EQ(graph.As<IMediaControl>()->Run(), S_OK);
    auto windowless = renderer.As<IVMRWindowlessControl>();
    // Images taken while the frames change follow them.
    std::set<std::uint32_t> firstPixels;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (firstPixels.size() < 5 && std::chrono::steady_clock::now() < deadline) {
        BYTE* dib = nullptr;
        if (windowless->GetCurrentImage(&dib) == S_OK) {
            std::uint32_t first;
            std::memcpy(&first, dib + 40, 4);
            firstPixels.insert(first & 0xFFFFFF);
            CoTaskMemFree(dib);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    graph.As<IMediaControl>()->Stop();
    EXPECT_GE(firstPixels.size(), 5u) << "the image follows the frames";

    BYTE* dib = nullptr;
    ASSERT_EQ(windowless->GetCurrentImage(&dib), S_OK);
    std::lock_guard guard(last.lock);
    ASSERT_GT(last.frames, 5);
    const std::size_t stride = dshow::DibStride(6, 24);
    ASSERT_GE(last.frame.size(), stride * 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 6; ++x) {
            std::uint32_t px;
            std::memcpy(&px, dib + 40 + (y * 6 + x) * 4, 4);
            const BYTE* kept = last.frame.data() + y * stride + x * 3;
            EXPECT_EQ(px & 0xFFFFFF, kept[0] | kept[1] << 8 | kept[2] << 16) << "pixel " << x << ", row " << y;
        }
    }
    CoTaskMemFree(dib);
}

} // namespace
