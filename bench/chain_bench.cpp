// The streaming thread's work for one 1080p YUY2 frame after the camera has
// delivered it, through the chain the program builds (YUY2 converter →
// Sample Grabber taking RGB24 → Color Space Converter → windowless
// renderer), pushed straight into the converter's input on this thread.
// Side by side: the converter and renderer joined as they join themselves
// (24-bit frames handed on as they are and kept without a copy) and joined
// with RGB32 (every frame widened to 32 bits, the way they were joined
// before the renderer took 24-bit frames; it then also copied every frame,
// where now it takes the converter's buffer in exchange for its own).

#include "platform/com/Com.h"
#include "platform/dshow/DShow.h"
#include "platform/dshow/MediaType.h"
#include "platform/dshow/Pin.h"
#include "platform/dshow/Sample.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using com::ComPtr;

template <class I>
ComPtr<I> Create(const CLSID& clsid)
{
    ComPtr<I> p;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, I::kIid, p.OutVoid());
    return p;
}

ComPtr<IPin> PinOf(IBaseFilter* f, int n)
{
    ComPtr<IEnumPins> e;
    f->EnumPins(e.Out());
    e->Skip(static_cast<ULONG>(n));
    ComPtr<IPin> pin;
    e->Next(1, pin.Out(), nullptr);
    return pin;
}

void BM_FrameThroughChain(benchmark::State& state)
{
    const bool rgb32 = state.range(0) != 0;
    constexpr int w = 1920, h = 1080;
    CoInitialize(nullptr);
    {
        v4l2::EmulatedDeviceSystem devices;
        devices.Add("/dev/video0", v4l2::EmulatedDevice::Camera("Bench", { { w, h } }));
        v4l2::ScopedDeviceSystem use(devices);
        auto create = Create<ICreateDevEnum>(CLSID_SystemDeviceEnum);
        ComPtr<IEnumMoniker> monikers;
        create->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers.Out(), 0);
        ComPtr<IMoniker> moniker;
        ComPtr<IBaseFilter> source;
        if (monikers && monikers->Next(1, moniker.Out(), nullptr) == S_OK)
            moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, source.OutVoid());
        auto graph = Create<IGraphBuilder>(CLSID_FilterGraph);
        auto grabber = Create<ISampleGrabber>(CLSID_SampleGrabber);
        auto colour = Create<IBaseFilter>(CLSID_Colour);
        auto renderer = Create<IBaseFilter>(CLSID_VideoMixingRenderer);
        renderer.As<IVMRFilterConfig>()->SetRenderingMode(VMRMode_Windowless);
        AM_MEDIA_TYPE want {};
        want.majortype = MEDIATYPE_Video;
        want.subtype = MEDIASUBTYPE_RGB24;
        grabber->SetMediaType(&want);
        auto grabberFilter = grabber.As<IBaseFilter>();
        graph->AddFilter(source.Get(), u"Video Capture");
        graph->AddFilter(grabberFilter.Get(), u"Grabber");
        graph->AddFilter(colour.Get(), u"ColorSpace Convert");
        graph->AddFilter(renderer.Get(), u"Video Mixing Renderer");
        const dshow::MediaType wide = dshow::MediaType::Video(MEDIASUBTYPE_RGB32, w, h, 32, BI_RGB);
        HRESULT hr = graph->Connect(PinOf(source.Get(), 0).Get(), PinOf(grabberFilter.Get(), 0).Get());
        if (SUCCEEDED(hr))
            hr = graph->Connect(PinOf(grabberFilter.Get(), 1).Get(), PinOf(colour.Get(), 0).Get());
        if (SUCCEEDED(hr))
            hr = rgb32 ? graph->ConnectDirect(PinOf(colour.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get(), &wide.Get())
                       : graph->Connect(PinOf(colour.Get(), 1).Get(), PinOf(renderer.Get(), 0).Get());
        // The converter the graph put in front of the grabber takes the
        // camera's frames.
        ComPtr<IPin> converterInput;
        if (SUCCEEDED(hr))
            hr = PinOf(source.Get(), 0)->ConnectedTo(converterInput.Out());
        ComPtr<dshow::IMemInputPin> input;
        if (SUCCEEDED(hr))
            hr = converterInput->QueryInterface(dshow::IMemInputPin::kIid, input.OutVoid());
        // Every filter but the camera is set going, so that the camera's own
        // thread delivers nothing meanwhile.
        PIN_INFO converter {};
        if (SUCCEEDED(hr))
            hr = converterInput->QueryPinInfo(&converter);
        // QueryPinInfo's reference is the one taken over.
        ComPtr<IBaseFilter> going[] = { ComPtr<IBaseFilter>::Attach(converter.pFilter), renderer, colour,
            grabberFilter };
        for (const ComPtr<IBaseFilter>& f : going)
            if (SUCCEEDED(hr) && f)
                hr = f->Pause();
        if (FAILED(hr)) {
            state.SkipWithError("the chain did not connect");
        } else {
            std::vector<BYTE> yuy2(static_cast<std::size_t>(w) * h * 2);
            for (std::size_t i = 0; i < yuy2.size(); ++i)
                yuy2[i] = static_cast<BYTE>(i * 7 + i / 3840);
            auto sample = ComPtr<dshow::Sample>::Attach(new dshow::Sample);
            sample->Borrow(yuy2.data(), yuy2.size());
            for (auto _ : state) {
                HRESULT r = input->Receive(sample.Get());
                benchmark::DoNotOptimize(r);
            }
        }
        for (const ComPtr<IBaseFilter>& f : going)
            if (f)
                f->Stop();
        graph->RemoveFilter(renderer.Get());
        graph->RemoveFilter(colour.Get());
        graph->RemoveFilter(grabberFilter.Get());
        graph->RemoveFilter(source.Get());
    }
    CoUninitialize();
}
BENCHMARK(BM_FrameThroughChain)->ArgName("rgb32")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
