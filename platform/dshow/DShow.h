#pragma once

// The DirectShow interfaces, structures and ids the capture graph uses. A
// graph is a set of filters joined pin to pin; samples are pushed from the
// capture filter downstream on its streaming thread.

#include "platform/com/Moniker.h"
#include "platform/win/WinTypes.h"

struct IBaseFilter;
struct IFilterGraph;
struct IPin;

enum PIN_DIRECTION { PINDIR_INPUT = 0, PINDIR_OUTPUT = 1 };
enum FILTER_STATE { State_Stopped = 0, State_Paused = 1, State_Running = 2 };
using OAFilterState = LONG;

struct AM_MEDIA_TYPE {
    GUID majortype;
    GUID subtype;
    BOOL bFixedSizeSamples;
    BOOL bTemporalCompression;
    ULONG lSampleSize;
    GUID formattype;
    IUnknown* pUnk;
    ULONG cbFormat;
    BYTE* pbFormat;
};

struct VIDEOINFOHEADER {
    RECT rcSource;
    RECT rcTarget;
    DWORD dwBitRate;
    DWORD dwBitErrorRate;
    REFERENCE_TIME AvgTimePerFrame;
    BITMAPINFOHEADER bmiHeader;
};
static_assert(sizeof(VIDEOINFOHEADER) == 88);

inline constexpr int MAX_FILTER_NAME = 128;
inline constexpr int MAX_PIN_NAME = 128;

struct PIN_INFO {
    IBaseFilter* pFilter; // a reference the caller releases
    PIN_DIRECTION dir;
    WCHAR achName[MAX_PIN_NAME];
};

struct FILTER_INFO {
    WCHAR achName[MAX_FILTER_NAME];
    IFilterGraph* pGraph; // a reference the caller releases
};

// Result codes of the filter graph.
inline constexpr HRESULT VFW_E_INVALIDMEDIATYPE = MakeHResult(0x80040200);
inline constexpr HRESULT VFW_E_NOT_CONNECTED = MakeHResult(0x80040209);
inline constexpr HRESULT VFW_E_NO_ACCEPTABLE_TYPES = MakeHResult(0x80040207);
inline constexpr HRESULT VFW_E_ALREADY_CONNECTED = MakeHResult(0x80040204);
inline constexpr HRESULT VFW_E_NOT_STOPPED = MakeHResult(0x80040224);
inline constexpr HRESULT VFW_E_WRONG_STATE = MakeHResult(0x80040227);
inline constexpr HRESULT VFW_E_NOT_FOUND = MakeHResult(0x80040216);
inline constexpr HRESULT VFW_E_CANNOT_CONNECT = MakeHResult(0x80040217);
inline constexpr HRESULT VFW_E_NOT_IN_GRAPH = MakeHResult(0x8004025F);
inline constexpr HRESULT VFW_E_DUPLICATE_NAME = MakeHResult(0x8004023D);
inline constexpr HRESULT VFW_E_TYPE_NOT_ACCEPTED = MakeHResult(0x8004022A);
inline constexpr HRESULT VFW_E_NO_ALLOCATOR = MakeHResult(0x8004020A);

struct IMediaSample : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 1);
    virtual HRESULT GetPointer(BYTE** buffer) = 0;
    virtual LONG GetSize() = 0;
    virtual HRESULT GetTime(REFERENCE_TIME* start, REFERENCE_TIME* end) = 0;
    virtual LONG GetActualDataLength() = 0;
    virtual HRESULT SetActualDataLength(LONG length) = 0;
};

struct IEnumMediaTypes : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 2);
    // Each type handed out is the caller's, freed with DeleteMediaType.
    virtual HRESULT Next(ULONG count, AM_MEDIA_TYPE** out, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumMediaTypes** out) = 0;
};

struct IPin : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 3);
    virtual HRESULT Connect(IPin* receiver, const AM_MEDIA_TYPE* type) = 0;
    virtual HRESULT ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) = 0;
    virtual HRESULT Disconnect() = 0;
    virtual HRESULT ConnectedTo(IPin** out) = 0;
    virtual HRESULT ConnectionMediaType(AM_MEDIA_TYPE* out) = 0;
    virtual HRESULT QueryPinInfo(PIN_INFO* out) = 0;
    virtual HRESULT QueryDirection(PIN_DIRECTION* out) = 0;
    virtual HRESULT QueryAccept(const AM_MEDIA_TYPE* type) = 0;
    virtual HRESULT EnumMediaTypes(IEnumMediaTypes** out) = 0;
};

struct IEnumPins : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 4);
    virtual HRESULT Next(ULONG count, IPin** out, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumPins** out) = 0;
};

struct IMediaFilter : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 5);
    virtual HRESULT Stop() = 0;
    virtual HRESULT Pause() = 0;
    virtual HRESULT Run(REFERENCE_TIME start) = 0;
    virtual HRESULT GetState(DWORD timeoutMs, FILTER_STATE* out) = 0;
};

struct IBaseFilter : IMediaFilter {
    static constexpr IID kIid = InkveilGuid(0x100, 6);
    virtual HRESULT EnumPins(IEnumPins** out) = 0;
    virtual HRESULT QueryFilterInfo(FILTER_INFO* out) = 0;
    // The graph does not hold a reference through this; it names the filter.
    virtual HRESULT JoinFilterGraph(IFilterGraph* graph, LPCOLESTR name) = 0;
};

struct IEnumFilters : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 7);
    virtual HRESULT Next(ULONG count, IBaseFilter** out, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumFilters** out) = 0;
};

struct IFilterGraph : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 8);
    virtual HRESULT AddFilter(IBaseFilter* filter, LPCOLESTR name) = 0;
    virtual HRESULT RemoveFilter(IBaseFilter* filter) = 0;
    virtual HRESULT EnumFilters(IEnumFilters** out) = 0;
    virtual HRESULT FindFilterByName(LPCOLESTR name, IBaseFilter** out) = 0;
    virtual HRESULT ConnectDirect(IPin* out, IPin* in, const AM_MEDIA_TYPE* type) = 0;
    virtual HRESULT Disconnect(IPin* pin) = 0;
};

struct IGraphBuilder : IFilterGraph {
    static constexpr IID kIid = InkveilGuid(0x100, 9);
    // Connects two pins, inserting converters where they can't meet directly.
    virtual HRESULT Connect(IPin* out, IPin* in) = 0;
};

struct IMediaControl : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 10);
    virtual HRESULT Run() = 0;
    virtual HRESULT Pause() = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT GetState(LONG timeoutMs, OAFilterState* out) = 0;
};

// Events a graph's filters tell the graph, for its owner to read.
inline constexpr LONG EC_ERRORABORT = 0x03; // param1: the failure as a result code
inline constexpr LONG EC_DEVICE_LOST = 0x1F; // param1: the device (null here), param2: 0 = gone

struct IMediaEventSink : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 18);
    // Callable from any thread (a streaming thread ending by itself).
    virtual HRESULT Notify(LONG code, LONG_PTR param1, LONG_PTR param2) = 0;
};

struct IMediaEvent : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 19);
    // The oldest event not yet read; E_ABORT when none came within
    // timeoutMs (a negative time-out waits for ever).
    virtual HRESULT GetEvent(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG timeoutMs) = 0;
    virtual HRESULT FreeEventParams(LONG code, LONG_PTR param1, LONG_PTR param2) = 0;
};

struct ICreateDevEnum : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 11);
    // S_FALSE with a null enumerator when the category is empty.
    virtual HRESULT CreateClassEnumerator(REFCLSID category, IEnumMoniker** out, DWORD flags) = 0;
};

struct IAMStreamConfig : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 12);
    virtual HRESULT SetFormat(AM_MEDIA_TYPE* type) = 0;
    virtual HRESULT GetFormat(AM_MEDIA_TYPE** out) = 0;
};

enum VideoProcAmpProperty {
    VideoProcAmp_Brightness = 0,
    VideoProcAmp_Contrast = 1,
    VideoProcAmp_Hue = 2,
    VideoProcAmp_Saturation = 3,
    VideoProcAmp_Sharpness = 4,
    VideoProcAmp_Gamma = 5,
    VideoProcAmp_ColorEnable = 6,
    VideoProcAmp_WhiteBalance = 7,
    VideoProcAmp_BacklightCompensation = 8,
    VideoProcAmp_Gain = 9,
};
inline constexpr LONG VideoProcAmp_Flags_Auto = 0x1;
inline constexpr LONG VideoProcAmp_Flags_Manual = 0x2;

struct IAMVideoProcAmp : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 13);
    virtual HRESULT GetRange(LONG property, LONG* min, LONG* max, LONG* step, LONG* deflt, LONG* caps) = 0;
    virtual HRESULT Set(LONG property, LONG value, LONG flags) = 0;
    virtual HRESULT Get(LONG property, LONG* value, LONG* flags) = 0;
};

struct ISampleGrabberCB : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 14);
    virtual HRESULT SampleCB(double sampleTime, IMediaSample* sample) = 0;
    virtual HRESULT BufferCB(double sampleTime, BYTE* buffer, LONG length) = 0;
};

struct ISampleGrabber : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 15);
    virtual HRESULT SetOneShot(BOOL oneShot) = 0;
    virtual HRESULT SetMediaType(const AM_MEDIA_TYPE* type) = 0;
    virtual HRESULT GetConnectedMediaType(AM_MEDIA_TYPE* out) = 0;
    virtual HRESULT SetBufferSamples(BOOL buffer) = 0;
    virtual HRESULT GetCurrentBuffer(LONG* size, LONG* buffer) = 0;
    // which: 0 calls SampleCB, 1 calls BufferCB.
    virtual HRESULT SetCallback(ISampleGrabberCB* callback, LONG which) = 0;
};

inline constexpr DWORD VMRMode_Windowed = 1;
inline constexpr DWORD VMRMode_Windowless = 2;

struct IVMRFilterConfig : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 16);
    virtual HRESULT SetRenderingMode(DWORD mode) = 0;
    virtual HRESULT GetRenderingMode(DWORD* mode) = 0;
};

struct IVMRWindowlessControl : IUnknown {
    static constexpr IID kIid = InkveilGuid(0x100, 17);
    virtual HRESULT SetVideoClippingWindow(HWND window) = 0;
    virtual HRESULT SetVideoPosition(const RECT* source, const RECT* dest) = 0;
    virtual HRESULT GetVideoPosition(RECT* source, RECT* dest) = 0;
    virtual HRESULT GetNativeVideoSize(LONG* width, LONG* height, LONG* arWidth, LONG* arHeight) = 0;
    // A packed DIB (BITMAPINFOHEADER then pixels) in task memory.
    virtual HRESULT GetCurrentImage(BYTE** dib) = 0;
};

inline constexpr const IID& IID_IMediaSample = IMediaSample::kIid;
inline constexpr const IID& IID_IEnumMediaTypes = IEnumMediaTypes::kIid;
inline constexpr const IID& IID_IPin = IPin::kIid;
inline constexpr const IID& IID_IEnumPins = IEnumPins::kIid;
inline constexpr const IID& IID_IMediaFilter = IMediaFilter::kIid;
inline constexpr const IID& IID_IBaseFilter = IBaseFilter::kIid;
inline constexpr const IID& IID_IEnumFilters = IEnumFilters::kIid;
inline constexpr const IID& IID_IFilterGraph = IFilterGraph::kIid;
inline constexpr const IID& IID_IGraphBuilder = IGraphBuilder::kIid;
inline constexpr const IID& IID_IMediaControl = IMediaControl::kIid;
inline constexpr const IID& IID_ICreateDevEnum = ICreateDevEnum::kIid;
inline constexpr const IID& IID_IMediaEventSink = IMediaEventSink::kIid;
inline constexpr const IID& IID_IMediaEvent = IMediaEvent::kIid;
inline constexpr const IID& IID_IAMStreamConfig = IAMStreamConfig::kIid;
inline constexpr const IID& IID_IAMVideoProcAmp = IAMVideoProcAmp::kIid;
inline constexpr const IID& IID_ISampleGrabberCB = ISampleGrabberCB::kIid;
inline constexpr const IID& IID_ISampleGrabber = ISampleGrabber::kIid;
inline constexpr const IID& IID_IVMRFilterConfig = IVMRFilterConfig::kIid;
inline constexpr const IID& IID_IVMRWindowlessControl = IVMRWindowlessControl::kIid;

// Classes.
inline constexpr CLSID CLSID_SystemDeviceEnum = InkveilGuid(0x200, 1);
inline constexpr CLSID CLSID_FilterGraph = InkveilGuid(0x200, 2);
inline constexpr CLSID CLSID_VideoMixingRenderer = InkveilGuid(0x200, 3);
inline constexpr CLSID CLSID_Colour = InkveilGuid(0x200, 4);
inline constexpr CLSID CLSID_SampleGrabber = InkveilGuid(0x200, 5);
// The converter the graph builder puts between YUY2 and RGB24 pins.
inline constexpr CLSID CLSID_Yuy2ToRgb24 = InkveilGuid(0x200, 6);
// The decompressor it puts between MJPG and RGB24 pins.
inline constexpr CLSID CLSID_MjpgToRgb24 = InkveilGuid(0x200, 7);
// Device categories.
inline constexpr CLSID CLSID_VideoInputDeviceCategory = InkveilGuid(0x300, 1);

// Media types. Subtypes of four-character codes follow the usual pattern
// (the code, then 0000-0010-8000-00AA00389B71).
constexpr GUID FourCcGuid(DWORD fourcc)
{
    return { fourcc, 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
}
inline constexpr GUID MEDIATYPE_Video = FourCcGuid(0x73646976); // 'vids'
inline constexpr GUID MEDIASUBTYPE_YUY2 = FourCcGuid(0x32595559);
inline constexpr GUID MEDIASUBTYPE_MJPG = FourCcGuid(0x47504A4D);
inline constexpr GUID MEDIASUBTYPE_RGB24 = InkveilGuid(0x300, 2);
inline constexpr GUID MEDIASUBTYPE_RGB32 = InkveilGuid(0x300, 3);
inline constexpr GUID FORMAT_VideoInfo = InkveilGuid(0x300, 4);
