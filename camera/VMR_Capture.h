#pragma once

// The capture graph of the document camera: one filter graph showing one
// video input device. It lists the devices, binds the one chosen by index,
// picks a capture size from a fixed list of widths, builds capture filter →
// Sample Grabber (RGB24) → Color Space Converter → Video Mixing Renderer
// (windowless), publishes frames through g_grabberCB, and forwards
// brightness, contrast and saturation to the device. It also owns the
// frame buffer the video view rotates frames into and the photograph is
// written from.
//
// Everything runs on the user-interface thread; only the grabber callback
// runs on the graph's streaming thread.

#include "camera/ResolutionEntry.h"
#include "platform/dshow/DShow.h"

#include <cerrno>
#include <cstdint>
#include <string>

class CVMR_Capture {
public:
    // What BuildGraph answers when another program holds the camera.
    static constexpr HRESULT kDeviceBusy = HResultFromErrno(EBUSY);

    CVMR_Capture();
    virtual ~CVMR_Capture();
    CVMR_Capture(const CVMR_Capture&) = delete;
    CVMR_Capture& operator=(const CVMR_Capture&) = delete;

    // A COM result: negative on failure; 1 when no device list could be
    // had (no camera) or the index was negative; else the graph's Run.
    // kDeviceBusy, after one message box naming the camera, when another
    // program holds it; calling again retries.
    HRESULT BuildGraph(int nDevice, HWND hWnd);
    void TearDownGraph();
    // Names added to the combo box, or -1.
    int FillDeviceList(HWND hCombo);
    // The index on success, -1 on failure.
    int SelectResolution(int nIndex);
    int GetWidth() const { return m_nWidth; }
    // The index of the device the graph was built for.
    int GetDevice() const { return m_nDevice; }
    // Whether the last build found the camera held by another program.
    bool DeviceBusy() const { return m_bDeviceBusy; }
    // Whether the graph runs with its camera streaming: false when the build
    // failed or found the camera busy, and once the stream ended by itself
    // (the camera went away or kept failing). Reads the graph's events.
    bool StreamLive();
    // When no camera could be listed: the name of one that is there but the
    // user may not open (no permission), else empty.
    const std::string& RefusedCamera() const { return m_refusedCamera; }
    int GetHeight() const { return m_nHeight; }

    HRESULT SetProcAmpPercent(LONG property, int percent);
    int GetProcAmpPercent(LONG property);
    HRESULT SetBrightness(int percent) { return SetProcAmpPercent(VideoProcAmp_Brightness, percent); }
    HRESULT SetContrast(int percent) { return SetProcAmpPercent(VideoProcAmp_Contrast, percent); }
    HRESULT SetSaturation(int percent) { return SetProcAmpPercent(VideoProcAmp_Saturation, percent); }
    int GetBrightness() { return GetProcAmpPercent(VideoProcAmp_Brightness); }
    int GetContrast() { return GetProcAmpPercent(VideoProcAmp_Contrast); }
    int GetSaturation() { return GetProcAmpPercent(VideoProcAmp_Saturation); }

    // The renderer's current image into the frame buffer: its size, or -1.
    int GrabRendererImage();
    int GetFrameBuffer(BYTE** ppBuffer);
    // Pixel bytes written, 0 when no whole file was put in place.
    int SaveSnapshot(const char* path);

    // The resolution table (for the toolbar and for tests).
    const ResolutionEntry* GetResolutionTable() const { return m_pResolutions; }
    int GetResolutionCount() const { return m_pResolutions ? m_nTableRows : 0; }
    int GetSupportedCount() const { return m_nSupported; }

    // The running object table's item name of a graph: "FilterGraph %08x
    // pid %08x", cut to the 128 wide characters of the buffer.
    static void FormatRotName(const void* graph, DWORD processId, OLECHAR (&name)[128]);

private:
    bool BindDevice(int nDevice);
    void SetUpRenderer(HWND hWnd);
    HRESULT ProbeResolutions();
    // False when the device's format in force has a size no camera
    // delivers; the size is then 0 x 0.
    bool ApplyCaptureFormat(HWND hWnd, int width, int height);
    HRESULT ConnectChain();
    HRESULT ConnectFilters(IBaseFilter* upstream, IBaseFilter* downstream);
    HRESULT RegisterInRot();
    void RemoveAllFilters();
    void ShowBuildMessage(const char* text);
    void ShowBusyMessage();

    ResolutionEntry* m_pResolutions = nullptr;
    int m_nDevice = 0;
    HWND m_hWnd = nullptr;
    int m_nSupported = -1;
    int m_nWidth = 0;
    int m_nHeight = 0;
    DWORD m_dwRotCookie = 0;
    IGraphBuilder* m_pGraph = nullptr;
    IMediaControl* m_pMediaControl = nullptr;
    IVMRWindowlessControl* m_pWindowless = nullptr;
    IPin* m_pCapturePin = nullptr;
    IBaseFilter* m_pCaptureFilter = nullptr;
    IBaseFilter* m_pColourConverter = nullptr;
    IBaseFilter* m_pRenderer = nullptr;
    IBaseFilter* m_pGrabberFilter = nullptr;
    ISampleGrabber* m_pSampleGrabber = nullptr;
    BYTE* m_pFrameBuffer = nullptr;
    int m_nFrameBufferSize = 0;
    int m_nTableRows = 0;
    std::string m_deviceName; // UTF-8, for the busy message
    std::string m_refusedCamera; // UTF-8, for the no-camera hint
    HRESULT m_hrFormat = S_OK; // what setting the chosen format answered
    HRESULT m_hrBind = S_OK; // what binding the chosen device answered
    bool m_bDeviceBusy = false;
    bool m_bStreaming = false; // the graph ran and has told of no loss since
};
