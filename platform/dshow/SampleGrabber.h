#pragma once

// The Sample Grabber: a pass-through filter that accepts the media type it
// was given (partly, GUID_NULL fields match anything), shows each sample to
// its callback on the streaming thread, optionally keeps a copy, and hands
// the sample on unchanged.

#include "platform/dshow/TransformFilter.h"

#include <mutex>

namespace dshow {

class SampleGrabber final : public TransformFilter, public ISampleGrabber {
public:
    static HRESULT Create(REFIID iid, void** out);

    HRESULT QueryInterface(REFIID iid, void** out) override { return TransformFilter::QueryInterface(iid, out); }
    ULONG AddRef() override { return TransformFilter::AddRef(); }
    ULONG Release() override { return TransformFilter::Release(); }

    HRESULT SetOneShot(BOOL oneShot) override;
    HRESULT SetMediaType(const AM_MEDIA_TYPE* type) override;
    HRESULT GetConnectedMediaType(AM_MEDIA_TYPE* out) override;
    HRESULT SetBufferSamples(BOOL buffer) override;
    HRESULT GetCurrentBuffer(LONG* size, LONG* buffer) override;
    HRESULT SetCallback(ISampleGrabberCB* callback, LONG which) override;

private:
    HRESULT QueryExtra(REFIID iid, void** out) override;
    HRESULT CheckInput(const AM_MEDIA_TYPE& type) override;
    std::vector<MediaType> OutputTypes(const MediaType& input) override;
    HRESULT Process(IMediaSample* sample) override;
    HRESULT OnStart() override;

    MediaType wanted_;
    // Settings change on the UI thread while samples flow; the lock keeps
    // each sample's view of them whole.
    std::mutex lock_;
    bool oneShot_ = false;
    bool done_ = false;
    bool bufferSamples_ = false;
    std::vector<BYTE> buffer_;
    std::size_t bufferLength_ = 0;
    ISampleGrabberCB* callback_ = nullptr;
    LONG which_ = 0;
};

} // namespace dshow
