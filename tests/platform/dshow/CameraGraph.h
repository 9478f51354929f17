#pragma once

// A whole capture graph over the first emulated camera, as the program
// builds it (capture filter → Sample Grabber taking RGB24 → Color Space
// Converter → windowless renderer), with a grabber callback that checks
// every frame handed on against the picture the camera was given.

#include "platform/com/ComObject.h"
#include "platform/dshow/DShow.h"

#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class FrameChecker final : public ISampleGrabberCB {
public:
    // The expected blue, green and red of the camera's pixel (x, y), y
    // counted from the top.
    using Expected = std::function<void(int x, int y, int bgr[3])>;

    FrameChecker(int width, int height, Expected expected, int tolerance);

    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT SampleCB(double, IMediaSample*) override { return S_OK; }
    HRESULT BufferCB(double time, BYTE* buffer, LONG length) override;

    int Good() const { return good_.load(); }
    int Bad() const { return bad_.load(); }
    int WorstDifference() const { return worst_.load(); }

private:
    const int width_, height_, tolerance_;
    Expected expected_;
    std::atomic<int> good_ { 0 }, bad_ { 0 }, worst_ { 0 };
};

class CameraGraph {
public:
    CameraGraph();
    ~CameraGraph();

    // Binds the first camera and sets its format when subtype isn't null.
    HRESULT Bind(const GUID* subtype = nullptr, int width = 0, int height = 0);
    // Connects the chain; answers the connection's result.
    HRESULT Connect();
    HRESULT Run(FrameChecker& checker);
    void Stop();
    // The names of the graph's filters in the order they were added.
    std::vector<std::u16string> FilterNames();
    IBaseFilter* Source() { return source_.Get(); }
    IBaseFilter* Find(const char16_t* name);
    // The events the graph has been told so far (code, first parameter),
    // read and so taken from it.
    std::vector<std::pair<LONG, LONG_PTR>> TakeEvents();
    // Waits up to timeoutMs for the checker to have seen frames good frames.
    bool WaitForFrames(const FrameChecker& checker, int frames, int timeoutMs);

private:
    com::ComPtr<IGraphBuilder> graph_;
    com::ComPtr<IBaseFilter> source_, grabberFilter_, colour_, renderer_;
    com::ComPtr<ISampleGrabber> grabber_;
};
