// The capture graph harness of the camera tests.

#include "CameraGraph.h"

#include "platform/com/Com.h"
#include "platform/dshow/MediaType.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

com::ComPtr<IPin> PinOf(IBaseFilter* f, int n)
{
    com::ComPtr<IEnumPins> e;
    f->EnumPins(e.Out());
    e->Skip(static_cast<ULONG>(n));
    com::ComPtr<IPin> pin;
    e->Next(1, pin.Out(), nullptr);
    return pin;
}

template <class I>
com::ComPtr<I> Make(const CLSID& clsid)
{
    com::ComPtr<I> p;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, I::kIid, p.OutVoid());
    return p;
}

} // namespace

FrameChecker::FrameChecker(int width, int height, Expected expected, int tolerance)
    : width_(width)
    , height_(height)
    , tolerance_(tolerance)
    , expected_(std::move(expected))
{
}

HRESULT FrameChecker::QueryInterface(REFIID iid, void** out)
{
    if (iid != ISampleGrabberCB::kIid && iid != IID_IUnknown)
        return E_NOINTERFACE;
    *out = static_cast<ISampleGrabberCB*>(this);
    return S_OK;
}

HRESULT FrameChecker::BufferCB(double, BYTE* buffer, LONG length)
{
    const std::size_t stride = (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t(3);
    if (!buffer || static_cast<std::size_t>(length) < stride * height_) {
        ++bad_;
        return S_OK;
    }
    // Every eighth pixel of every eighth row, and the last row and column.
    int worst = 0;
    for (int y = 0; y < height_; y = y + 8 < height_ || y == height_ - 1 ? y + 8 : height_ - 1) {
        const BYTE* row = buffer + static_cast<std::size_t>(height_ - 1 - y) * stride; // bottom-up
        for (int x = 0; x < width_; x = x + 8 < width_ || x == width_ - 1 ? x + 8 : width_ - 1) {
            int want[3];
            expected_(x, y, want);
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(row[x * 3 + c] - want[c]));
        }
    }
    if (worst > worst_.load())
        worst_.store(worst);
    if (worst <= tolerance_)
        ++good_;
    else
        ++bad_;
    return S_OK;
}

CameraGraph::CameraGraph()
{
    CoInitialize(nullptr);
    graph_ = Make<IGraphBuilder>(CLSID_FilterGraph);
}

CameraGraph::~CameraGraph()
{
    Stop();
    if (grabber_)
        grabber_->SetCallback(nullptr, 1);
    source_.Reset();
    grabberFilter_.Reset();
    grabber_.Reset();
    colour_.Reset();
    renderer_.Reset();
    graph_.Reset();
    CoUninitialize();
}

HRESULT CameraGraph::Bind(const GUID* subtype, int width, int height)
{
    auto create = Make<ICreateDevEnum>(CLSID_SystemDeviceEnum);
    com::ComPtr<IEnumMoniker> e;
    if (create->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, e.Out(), 0) != S_OK)
        return VFW_E_NOT_FOUND;
    com::ComPtr<IMoniker> m;
    if (e->Next(1, m.Out(), nullptr) != S_OK)
        return VFW_E_NOT_FOUND;
    HRESULT hr = m->BindToObject(nullptr, nullptr, IID_IBaseFilter, source_.OutVoid());
    if (FAILED(hr))
        return hr;
    if (subtype) {
        com::ComPtr<IAMStreamConfig> config;
        PinOf(source_.Get(), 0)->QueryInterface(IAMStreamConfig::kIid, config.OutVoid());
        bool packed = *subtype == MEDIASUBTYPE_YUY2;
        dshow::MediaType type = dshow::MediaType::Video(*subtype, width, height, packed ? 16 : 24, subtype->Data1);
        hr = config->SetFormat(const_cast<AM_MEDIA_TYPE*>(&type.Get()));
        if (FAILED(hr))
            return hr;
    }
    return graph_->AddFilter(source_.Get(), u"Video Capture");
}

HRESULT CameraGraph::Connect()
{
    grabber_ = Make<ISampleGrabber>(CLSID_SampleGrabber);
    renderer_ = Make<IBaseFilter>(CLSID_VideoMixingRenderer);
    colour_ = Make<IBaseFilter>(CLSID_Colour);
    renderer_.As<IVMRFilterConfig>()->SetRenderingMode(VMRMode_Windowless);
    AM_MEDIA_TYPE want {};
    want.majortype = MEDIATYPE_Video;
    want.subtype = MEDIASUBTYPE_RGB24;
    grabber_->SetMediaType(&want);
    grabberFilter_ = grabber_.As<IBaseFilter>();
    graph_->AddFilter(grabberFilter_.Get(), u"Grabber");
    graph_->AddFilter(colour_.Get(), u"ColorSpace Convert");
    graph_->AddFilter(renderer_.Get(), u"Video Mixing Renderer");
    HRESULT hr = graph_->Connect(PinOf(source_.Get(), 0).Get(), PinOf(grabberFilter_.Get(), 0).Get());
    if (SUCCEEDED(hr))
        hr = graph_->Connect(PinOf(grabberFilter_.Get(), 1).Get(), PinOf(colour_.Get(), 0).Get());
    if (SUCCEEDED(hr))
        hr = graph_->Connect(PinOf(colour_.Get(), 1).Get(), PinOf(renderer_.Get(), 0).Get());
    return hr;
}

HRESULT CameraGraph::Run(FrameChecker& checker)
{
    grabber_->SetCallback(&checker, 1);
    return graph_.As<IMediaControl>()->Run();
}

void CameraGraph::Stop()
{
    if (graph_)
        graph_.As<IMediaControl>()->Stop();
}

std::vector<std::pair<LONG, LONG_PTR>> CameraGraph::TakeEvents()
{
    std::vector<std::pair<LONG, LONG_PTR>> events;
    auto source = graph_.As<IMediaEvent>();
    LONG code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    while (source && source->GetEvent(&code, &param1, &param2, 0) == S_OK) {
        events.emplace_back(code, param1);
        source->FreeEventParams(code, param1, param2);
    }
    return events;
}

std::vector<std::u16string> CameraGraph::FilterNames()
{
    std::vector<std::u16string> names;
    com::ComPtr<IEnumFilters> e;
    graph_->EnumFilters(e.Out());
    com::ComPtr<IBaseFilter> f;
    while (e->Next(1, f.Out(), nullptr) == S_OK) {
        FILTER_INFO info;
        f->QueryFilterInfo(&info);
        if (info.pGraph)
            info.pGraph->Release();
        names.emplace_back(info.achName);
    }
    return names;
}

IBaseFilter* CameraGraph::Find(const char16_t* name)
{
    com::ComPtr<IBaseFilter> f;
    graph_->FindFilterByName(name, f.Out());
    return f.Get(); // the graph keeps its own reference
}

bool CameraGraph::WaitForFrames(const FrameChecker& checker, int frames, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (checker.Good() < frames && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return checker.Good() >= frames;
}
