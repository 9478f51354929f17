// The video renderer filter on its own terms: what it refuses, its mode
// fixed once connected, the windowless control's answers before and after
// a connection and a frame, and the image it keeps.

#include "platform/dshow/MediaType.h"
#include "tests/platform/dshow/GraphTestSupport.h"

#include <chrono>
#include <cstring>
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

TEST_F(RendererTest, ItTakesOnlyRgb32AndKeepsTheLatestFrameBottomUp)
{
    devices.Add("/dev/video0", v4l2::EmulatedDevice::Camera("Doc Cam", { { 4, 2 } }));
    auto graph = Create<IGraphBuilder>(CLSID_FilterGraph);
    auto renderer = Create<IBaseFilter>(CLSID_VideoMixingRenderer);
    auto colour = Create<IBaseFilter>(CLSID_Colour);
    ASSERT_EQ(renderer.As<IVMRFilterConfig>()->SetRenderingMode(VMRMode_Windowless), S_OK);
    ComPtr<IBaseFilter> source = FirstCamera();
    ASSERT_TRUE(source);
    graph->AddFilter(source.Get(), u"Video Capture");
    graph->AddFilter(colour.Get(), u"ColorSpace Convert");
    graph->AddFilter(renderer.Get(), u"Video Mixing Renderer");

    EXPECT_EQ(graph->ConnectDirect(PinOf(source.Get(), 0).Get(), PinOf(renderer.Get(), 0).Get(), nullptr),
        VFW_E_NO_ACCEPTABLE_TYPES)
        << "the camera's YUY2 is not for the renderer";
    ASSERT_EQ(graph->Connect(PinOf(source.Get(), 0).Get(), PinOf(colour.Get(), 0).Get()), S_OK);
    ASSERT_EQ(graph->Connect(PinOf(colour.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get()), S_OK);
    AM_MEDIA_TYPE connected;
    ASSERT_EQ(PinOf(renderer.Get(), 0)->ConnectionMediaType(&connected), S_OK);
    EXPECT_TRUE(connected.subtype == MEDIASUBTYPE_RGB32);
    FreeMediaType(connected);

    EXPECT_EQ(renderer.As<IVMRFilterConfig>()->SetRenderingMode(VMRMode_Windowed), VFW_E_WRONG_STATE)
        << "the mode is fixed once connected";
    auto windowless = renderer.As<IVMRWindowlessControl>();
    LONG w = 0, h = 0, arW = 0, arH = 0;
    ASSERT_EQ(windowless->GetNativeVideoSize(&w, &h, &arW, &arH), S_OK);
    EXPECT_EQ((std::vector<LONG> { w, h, arW, arH }), (std::vector<LONG> { 4, 2, 4, 2 }));

    ASSERT_EQ(graph.As<IMediaControl>()->Run(), S_OK);
    BYTE* dib = nullptr;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (windowless->GetCurrentImage(&dib) != S_OK && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    graph.As<IMediaControl>()->Stop();
    ASSERT_NE(dib, nullptr);
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib, sizeof header);
    EXPECT_EQ(header.biSize, sizeof header);
    EXPECT_EQ(header.biWidth, 4);
    EXPECT_EQ(header.biHeight, 2) << "positive: bottom-up rows";
    EXPECT_EQ(header.biBitCount, 32);
    EXPECT_EQ(header.biSizeImage, 4u * 2u * 4u);
    CoTaskMemFree(dib);
}

} // namespace
