#pragma once

// The Sample Grabber's callback: receives every frame on the graph's
// streaming thread and publishes it in g_latestFrame. Its one instance,
// g_grabberCB, lives as long as the process; reference counting is not
// used on it.

#include "platform/dshow/DShow.h"

#include <cstdint>

class CSampleGrabberCB : public ISampleGrabberCB {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT SampleCB(double sampleTime, IMediaSample* sample) override;
    HRESULT BufferCB(double sampleTime, BYTE* buffer, LONG length) override;

    // Set by BuildGraph from the grabber's connected type, before the graph
    // runs; the streaming thread only reads them.
    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
};

extern CSampleGrabberCB g_grabberCB;
