// Building and tearing down the capture graph, the device list and the
// resolution table.

#include "camera/VMR_Capture.h"

#include "camera/FrameSize.h"
#include "camera/LatestFrame.h"
#include "camera/RefusedCamera.h"
#include "camera/SampleGrabberCB.h"
#include "platform/afx/WinApp.h"
#include "platform/com/Com.h"
#include "platform/com/Kernel.h"
#include "platform/dshow/MediaTypeFunctions.h"
#include "platform/window/Controls.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kCandidateWidths[6] = { 640, 800, 1024, 1280, 1600, 2048 };

template <class T>
void SafeRelease(T*& p)
{
    if (p) {
        p->Release();
        p = nullptr;
    }
}

// Whether a media type is one the table and the format choice consider:
// YUY2 with a whole VIDEOINFOHEADER, of a size a camera delivers.
const VIDEOINFOHEADER* QualifyingYuy2(const AM_MEDIA_TYPE* mt)
{
    if (mt->formattype != FORMAT_VideoInfo || mt->subtype != MEDIASUBTYPE_YUY2 || mt->cbFormat < sizeof(VIDEOINFOHEADER)
        || !mt->pbFormat)
        return nullptr;
    const auto* vih = reinterpret_cast<const VIDEOINFOHEADER*>(mt->pbFormat);
    return FrameBytes24(vih->bmiHeader.biWidth, vih->bmiHeader.biHeight) > 0 ? vih : nullptr;
}

// Creates the device enumeration of the video input category; S_FALSE
// (an empty category) counts as failure.
HRESULT CreateVideoInputEnum(ICreateDevEnum** devEnum, IEnumMoniker** classEnum)
{
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
        reinterpret_cast<void**>(devEnum));
    if (hr != S_OK)
        return hr == S_FALSE ? E_FAIL : hr;
    hr = (*devEnum)->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, classEnum, 0);
    if (hr != S_OK)
        return hr == S_FALSE ? E_FAIL : hr;
    return S_OK;
}

// The "FriendlyName" of a moniker, read as a string; the caller frees it.
HRESULT ReadFriendlyName(IMoniker* moniker, VARIANT& name)
{
    IPropertyBag* bag = nullptr;
    HRESULT hr = moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag));
    if (FAILED(hr))
        return hr;
    VariantInit(&name);
    name.vt = VT_BSTR;
    hr = bag->Read(u"FriendlyName", &name, nullptr);
    bag->Release();
    return hr;
}

} // namespace

CVMR_Capture::CVMR_Capture() { CoInitialize(nullptr); }

CVMR_Capture::~CVMR_Capture()
{
    TearDownGraph();
    CoUninitialize();
    delete[] m_pResolutions;
}

int CVMR_Capture::FillDeviceList(HWND hCombo)
{
    if (!hCombo)
        return -1;
    ICreateDevEnum* devEnum = nullptr;
    IEnumMoniker* classEnum = nullptr;
    if (CreateVideoInputEnum(&devEnum, &classEnum) != S_OK) {
        SafeRelease(classEnum);
        SafeRelease(devEnum);
        return -1;
    }
    int count = 0;
    classEnum->Reset();
    IMoniker* moniker = nullptr;
    while (classEnum->Next(1, &moniker, nullptr) == S_OK) {
        VARIANT name;
        VariantInit(&name);
        if (ReadFriendlyName(moniker, name) == S_OK) {
            ++count;
            char text[2048];
            int n = WideCharToMultiByte(CP_ACP, 0, name.bstrVal, -1, text, sizeof text, nullptr, nullptr);
            if (n == 0)
                text[0] = 0; // a name too long for the buffer is listed empty
            text[sizeof text - 1] = 0;
            SendMessage(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        VariantClear(&name);
        moniker->Release();
    }
    classEnum->Release();
    devEnum->Release();
    return count;
}

bool CVMR_Capture::BindDevice(int nDevice)
{
    if (nDevice < 0)
        return false;
    ICreateDevEnum* devEnum = nullptr;
    IEnumMoniker* classEnum = nullptr;
    if (CreateVideoInputEnum(&devEnum, &classEnum) != S_OK) {
        SafeRelease(classEnum);
        SafeRelease(devEnum);
        return false;
    }
    classEnum->Reset();
    // Every moniker takes a position, whether or not its name reads.
    IMoniker* moniker = nullptr;
    for (int position = 0; position <= nDevice && classEnum->Next(1, &moniker, nullptr) == S_OK; ++position) {
        VARIANT name;
        VariantInit(&name);
        if (ReadFriendlyName(moniker, name) == S_OK && position == nDevice) {
            m_hrBind = moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                reinterpret_cast<void**>(&m_pCaptureFilter));
            char text[512];
            if (WideCharToMultiByte(CP_ACP, 0, name.bstrVal, -1, text, sizeof text, nullptr, nullptr) == 0)
                text[0] = 0;
            text[sizeof text - 1] = 0;
            m_deviceName = text;
        }
        VariantClear(&name);
        moniker->Release();
    }
    classEnum->Release();
    devEnum->Release();
    return true;
}

void CVMR_Capture::SetUpRenderer(HWND hWnd)
{
    HRESULT hr = CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
        reinterpret_cast<void**>(&m_pRenderer));
    if (FAILED(hr))
        return;
    if (FAILED(m_pGraph->AddFilter(m_pRenderer, u"Video Mixing Renderer")))
        return;
    IVMRFilterConfig* config = nullptr;
    if (FAILED(m_pRenderer->QueryInterface(IID_IVMRFilterConfig, reinterpret_cast<void**>(&config))))
        return;
    hr = config->SetRenderingMode(VMRMode_Windowless);
    config->Release();
    if (FAILED(hr))
        return;
    if (FAILED(m_pRenderer->QueryInterface(IID_IVMRWindowlessControl, reinterpret_cast<void**>(&m_pWindowless))))
        return;
    m_pWindowless->SetVideoClippingWindow(hWnd);
}

HRESULT CVMR_Capture::BuildGraph(int nDevice, HWND hWnd)
{
    m_hrFormat = S_OK;
    m_bDeviceBusy = false;
    m_bStreaming = false;
    m_deviceName.clear();
    m_nDevice = nDevice;
    m_hWnd = hWnd;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
        reinterpret_cast<void**>(&m_pGraph));
    if (FAILED(hr))
        return hr;
    SetUpRenderer(hWnd);
    m_hrBind = S_OK;
    m_refusedCamera.clear();
    if (!BindDevice(nDevice)) {
        // No camera listed may still mean one the user may not open, which
        // the view then names instead of asking for a cable.
        if (nDevice >= 0)
            m_refusedCamera = CameraRefusedForPermission();
        return 1;
    }
    // A camera another program holds exclusively can't even be opened.
    if (m_hrBind == kDeviceBusy) {
        ShowBusyMessage();
        return kDeviceBusy;
    }
    hr = m_pGraph->AddFilter(m_pCaptureFilter, u"Video Capture");
    if (FAILED(hr))
        return hr;
    hr = CoCreateInstance(CLSID_Colour, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
        reinterpret_cast<void**>(&m_pColourConverter));
    if (FAILED(hr))
        return hr;
    hr = m_pGraph->AddFilter(m_pColourConverter, u"ColorSpace Convert");
    if (FAILED(hr))
        return hr;

    IEnumPins* pins = nullptr;
    if (SUCCEEDED(m_pCaptureFilter->EnumPins(&pins))) {
        pins->Reset();
        pins->Next(1, &m_pCapturePin, nullptr);
        pins->Release();
    }
    m_pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_pMediaControl));
    if (m_nSupported == -1)
        ProbeResolutions();
    // A device whose format in force has a size no camera delivers is not
    // given buffers or run.
    if (!ApplyCaptureFormat(hWnd, m_nWidth, m_nHeight))
        return VFW_E_INVALIDMEDIATYPE;

    // No buffer while the size is not known.
    const std::int64_t frameBytes = FrameBytes24(m_nWidth, m_nHeight);
    m_nFrameBufferSize = static_cast<int>(frameBytes);
    m_pFrameBuffer = frameBytes > 0 ? new BYTE[static_cast<std::size_t>(frameBytes)] : nullptr;
    g_latestFrame.pWorkBuffer = m_pFrameBuffer;

    hr = CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_ALL, IID_ISampleGrabber,
        reinterpret_cast<void**>(&m_pSampleGrabber));
    if (!m_pSampleGrabber) {
        ShowBuildMessage("Fail to create SampleGrabber, maybe qedit.dll is not registered?");
        return hr;
    }
    m_pSampleGrabber->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pGrabberFilter));

    AM_MEDIA_TYPE mt;
    std::memset(&mt, 0, sizeof mt);
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB24;
    hr = m_pSampleGrabber->SetMediaType(&mt);
    if (FAILED(hr)) {
        ShowBuildMessage("Fail to set media type!");
        return hr;
    }
    hr = m_pGraph->AddFilter(m_pGrabberFilter, u"Grabber");
    if (FAILED(hr)) {
        ShowBuildMessage("Fail to put sample grabber in graph");
        return hr;
    }
    ConnectChain();

    hr = m_pSampleGrabber->GetConnectedMediaType(&mt);
    if (FAILED(hr)) {
        // A camera another program holds refuses its format: that, not the
        // connection, is what the teacher needs to hear.
        if (m_hrFormat == kDeviceBusy) {
            ShowBusyMessage();
            return kDeviceBusy;
        }
        ShowBuildMessage("Failt to read the connected media type");
        return hr;
    }
    if (const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(mt)) {
        // The height's sign gives the row order; its size must be a
        // camera's, as every published frame is described by it.
        const LONG width = vih->bmiHeader.biWidth;
        const LONG height = vih->bmiHeader.biHeight;
        if (FrameBytes24(width, height < 0 ? -height : height) == 0) {
            FreeMediaType(mt);
            return VFW_E_INVALIDMEDIATYPE;
        }
        g_grabberCB.m_nWidth = width;
        g_grabberCB.m_nHeight = height;
    }
    FreeMediaType(mt);

    m_pSampleGrabber->SetBufferSamples(FALSE);
    m_pSampleGrabber->SetOneShot(FALSE);
    m_pSampleGrabber->SetCallback(&g_grabberCB, 1);
    if (FAILED(RegisterInRot()))
        m_dwRotCookie = 0;
    hr = m_pMediaControl ? m_pMediaControl->Run() : E_NOINTERFACE;
    m_bStreaming = SUCCEEDED(hr);
    // The graph stays built and stopped: the view stays grey, the tools
    // work, and choosing the camera again tries anew.
    if (hr == kDeviceBusy)
        ShowBusyMessage();
    return hr;
}

bool CVMR_Capture::StreamLive()
{
    if (!m_bStreaming || !m_pGraph)
        return false;
    // The graph tells of a stream that ended by itself: the camera went
    // away, or failed on every retry.
    IMediaEvent* events = nullptr;
    if (FAILED(m_pGraph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events))))
        return m_bStreaming;
    LONG code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    while (events->GetEvent(&code, &param1, &param2, 0) == S_OK) {
        if (code == EC_DEVICE_LOST || code == EC_ERRORABORT)
            m_bStreaming = false;
        events->FreeEventParams(code, param1, param2);
    }
    events->Release();
    return m_bStreaming;
}

void CVMR_Capture::ShowBusyMessage()
{
    m_bDeviceBusy = true;
    std::string text = "摄像头正被其他程序使用：" + m_deviceName
        + "\n请关闭使用它的程序，再在工具栏的列表中重新选择它。";
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONWARNING);
}

void CVMR_Capture::ShowBuildMessage(const char* text) { AfxMessageBox(text, MB_OK); }

HRESULT CVMR_Capture::ProbeResolutions()
{
    delete[] m_pResolutions;
    m_pResolutions = new ResolutionEntry[6];
    m_nTableRows = 6;
    for (int i = 0; i < 6; ++i)
        m_pResolutions[i] = { kCandidateWidths[i], 0, 0 };
    if (!m_pCapturePin)
        return E_POINTER;
    IEnumMediaTypes* types = nullptr;
    HRESULT hr = m_pCapturePin->EnumMediaTypes(&types);
    if (FAILED(hr))
        return hr;
    AM_MEDIA_TYPE* mt = nullptr;
    while (types->Next(1, &mt, nullptr) == S_OK) {
        if (const VIDEOINFOHEADER* vih = QualifyingYuy2(mt)) {
            // A later type of the same width replaces the earlier height.
            for (int i = 0; i < 6; ++i) {
                if (m_pResolutions[i].nWidth == vih->bmiHeader.biWidth) {
                    m_pResolutions[i].nHeight = vih->bmiHeader.biHeight;
                    m_pResolutions[i].bSupported = 1;
                }
            }
        }
        DeleteMediaType(mt);
    }
    types->Release();

    m_nSupported = 0;
    for (int i = 0; i < 6; ++i) {
        if (m_pResolutions[i].bSupported) {
            ++m_nSupported;
            m_nWidth = m_pResolutions[i].nWidth;
            m_nHeight = m_pResolutions[i].nHeight;
        }
    }
    if (m_nSupported == 6) {
        // Every width: the 640 row goes, the indexes then reach 2048.
        auto* compact = new ResolutionEntry[5];
        for (int i = 0; i < 5; ++i)
            compact[i] = m_pResolutions[i + 1];
        delete[] m_pResolutions;
        m_pResolutions = compact;
        m_nTableRows = 5;
    }
    return hr;
}

bool CVMR_Capture::ApplyCaptureFormat(HWND hWnd, int width, int height)
{
    bool deliverable = true;
    AM_MEDIA_TYPE* chosen = nullptr;
    IEnumMediaTypes* types = nullptr;
    if (m_pCapturePin && SUCCEEDED(m_pCapturePin->EnumMediaTypes(&types))) {
        AM_MEDIA_TYPE* mt = nullptr;
        while (types->Next(1, &mt, nullptr) == S_OK) {
            const VIDEOINFOHEADER* vih = QualifyingYuy2(mt);
            if (!chosen && vih && vih->bmiHeader.biWidth == width && vih->bmiHeader.biHeight == height)
                chosen = mt;
            else
                DeleteMediaType(mt);
        }
        types->Release();
    }
    IAMStreamConfig* config = nullptr;
    if (m_pCapturePin
        && SUCCEEDED(m_pCapturePin->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(&config)))) {
        m_hrFormat = chosen ? config->SetFormat(chosen) : S_OK;
        AM_MEDIA_TYPE* inForce = nullptr;
        if (SUCCEEDED(config->GetFormat(&inForce)) && inForce) {
            if (const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(*inForce)) {
                deliverable = FrameBytes24(vih->bmiHeader.biWidth, vih->bmiHeader.biHeight) > 0;
                m_nWidth = deliverable ? vih->bmiHeader.biWidth : 0;
                m_nHeight = deliverable ? vih->bmiHeader.biHeight : 0;
            }
            DeleteMediaType(inForce);
        }
        config->Release();
    }
    DeleteMediaType(chosen);
    if (hWnd && m_pWindowless) {
        RECT client {};
        GetClientRect(hWnd, &client);
        m_pWindowless->SetVideoPosition(nullptr, &client);
    }
    return deliverable;
}

HRESULT CVMR_Capture::ConnectChain()
{
    HRESULT hr = ConnectFilters(m_pCaptureFilter, m_pGrabberFilter);
    if (SUCCEEDED(hr))
        hr = ConnectFilters(m_pGrabberFilter, m_pColourConverter);
    if (SUCCEEDED(hr))
        hr = ConnectFilters(m_pColourConverter, m_pRenderer);
    return hr;
}

namespace {

// The first unconnected pin of a direction; VFW_E_NOT_FOUND when none.
HRESULT FindFreePin(IBaseFilter* filter, PIN_DIRECTION want, IPin** found)
{
    *found = nullptr;
    if (!filter)
        return E_POINTER;
    IEnumPins* pins = nullptr;
    HRESULT hr = filter->EnumPins(&pins);
    if (FAILED(hr))
        return hr;
    IPin* pin = nullptr;
    HRESULT result = VFW_E_NOT_FOUND;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        IPin* peer = nullptr;
        HRESULT connected = pin->ConnectedTo(&peer);
        SafeRelease(peer);
        PIN_DIRECTION dir;
        if (connected == VFW_E_NOT_CONNECTED && SUCCEEDED(pin->QueryDirection(&dir)) && dir == want) {
            *found = pin;
            result = S_OK;
            break;
        }
        pin->Release();
        if (FAILED(connected) && connected != VFW_E_NOT_CONNECTED) {
            result = connected;
            break;
        }
    }
    pins->Release();
    return result;
}

} // namespace

HRESULT CVMR_Capture::ConnectFilters(IBaseFilter* upstream, IBaseFilter* downstream)
{
    IPin* out = nullptr;
    IPin* in = nullptr;
    HRESULT hr = FindFreePin(upstream, PINDIR_OUTPUT, &out);
    if (SUCCEEDED(hr))
        hr = FindFreePin(downstream, PINDIR_INPUT, &in);
    if (SUCCEEDED(hr))
        hr = m_pGraph->Connect(out, in);
    SafeRelease(in);
    SafeRelease(out);
    return hr;
}

void CVMR_Capture::FormatRotName(const void* graph, DWORD processId, OLECHAR (&name)[128])
{
    char text[128];
    // The address's low 32 bits, as the name has room for eight digits.
    std::snprintf(text, sizeof text, "FilterGraph %08x pid %08x",
        static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(graph)), static_cast<unsigned>(processId));
    std::size_t i = 0;
    for (; text[i] && i < 127; ++i)
        name[i] = static_cast<OLECHAR>(text[i]);
    name[i] = 0;
}

HRESULT CVMR_Capture::RegisterInRot()
{
    IRunningObjectTable* rot = nullptr;
    HRESULT hr = GetRunningObjectTable(0, &rot);
    if (FAILED(hr))
        return hr;
    OLECHAR name[128];
    FormatRotName(m_pGraph, GetCurrentProcessId(), name);
    IMoniker* moniker = nullptr;
    hr = CreateItemMoniker(u"!", name, &moniker);
    if (SUCCEEDED(hr)) {
        hr = rot->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, m_pGraph, moniker, &m_dwRotCookie);
        moniker->Release();
    }
    rot->Release();
    return hr;
}

int CVMR_Capture::SelectResolution(int nIndex)
{
    if (static_cast<unsigned>(nIndex) > 4u || !m_pResolutions)
        return -1;
    TearDownGraph();
    m_nWidth = m_pResolutions[nIndex].nWidth;
    m_nHeight = m_pResolutions[nIndex].nHeight;
    return BuildGraph(m_nDevice, m_hWnd) >= 0 ? nIndex : -1;
}

void CVMR_Capture::RemoveAllFilters()
{
    IEnumFilters* filters = nullptr;
    if (!m_pGraph || FAILED(m_pGraph->EnumFilters(&filters)))
        return;
    IBaseFilter* filter = nullptr;
    while (filters->Next(1, &filter, nullptr) == S_OK) {
        m_pGraph->RemoveFilter(filter);
        filters->Release();
        filter->Release();
        filters = nullptr;
        if (FAILED(m_pGraph->EnumFilters(&filters)))
            return;
    }
    filters->Release();
}

void CVMR_Capture::TearDownGraph()
{
    m_bStreaming = false;
    if (m_pMediaControl)
        m_pMediaControl->Stop();
    if (m_pCapturePin)
        m_pCapturePin->Disconnect();
    RemoveAllFilters();
    if (m_dwRotCookie) {
        IRunningObjectTable* rot = nullptr;
        if (SUCCEEDED(GetRunningObjectTable(0, &rot))) {
            rot->Revoke(m_dwRotCookie);
            rot->Release();
        }
        m_dwRotCookie = 0;
    }
    SafeRelease(m_pSampleGrabber);
    SafeRelease(m_pCapturePin);
    SafeRelease(m_pMediaControl);
    SafeRelease(m_pGraph);
    SafeRelease(m_pWindowless);
    SafeRelease(m_pCaptureFilter);
    // Released together with the graph.
    SafeRelease(m_pColourConverter);
    SafeRelease(m_pRenderer);
    SafeRelease(m_pGrabberFilter);
    g_latestFrame.ClearFrame();
    g_latestFrame.pWorkBuffer = nullptr;
    delete[] m_pFrameBuffer;
    m_pFrameBuffer = nullptr;
    m_nFrameBufferSize = 0;
}
