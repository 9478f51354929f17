// The grabber callback.

#include "camera/SampleGrabberCB.h"

#include "camera/LatestFrame.h"

CSampleGrabberCB g_grabberCB;

HRESULT CSampleGrabberCB::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_ISampleGrabberCB || iid == IID_IUnknown) {
        // The object is static: no reference is added.
        *out = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG CSampleGrabberCB::AddRef() { return 2; }
ULONG CSampleGrabberCB::Release() { return 1; }

HRESULT CSampleGrabberCB::SampleCB(double, IMediaSample*)
{
    // The graph selects BufferCB; samples are not looked at.
    return S_OK;
}

HRESULT CSampleGrabberCB::BufferCB(double, BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    g_latestFrame.Publish(buffer, length, m_nWidth, m_nHeight);
    return S_OK;
}
