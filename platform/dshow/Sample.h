#pragma once

// A media sample: a buffer with its data length and times. A pin keeps one
// and reuses it for every frame of a format, so nothing is allocated per
// frame; a capture pin instead points it at the device's own buffer.

#include "platform/com/ComObject.h"
#include "platform/dshow/DShow.h"

#include <vector>

namespace dshow {

class Sample final : public IMediaSample {
public:
    Sample() = default;

    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        return com::QueryInterfaceOf<IMediaSample>(this, iid, out);
    }
    INKVEIL_COM_REFCOUNT

    HRESULT GetPointer(BYTE** buffer) override;
    LONG GetSize() override { return static_cast<LONG>(size_); }
    HRESULT GetTime(REFERENCE_TIME* start, REFERENCE_TIME* end) override;
    LONG GetActualDataLength() override { return static_cast<LONG>(length_); }
    HRESULT SetActualDataLength(LONG length) override;

    // Makes the sample own a buffer of at least size bytes (grows only).
    BYTE* Own(std::size_t size);
    // Points the sample at memory it doesn't own.
    void Borrow(BYTE* data, std::size_t size);
    // Hands the sample's own buffer, with the frame in it, to a filter that
    // keeps the frame, taking that filter's spare buffer (grown to the same
    // size) in its place: the frame is kept without a copy, and the filter
    // that fills the sample fills the spare next time. Answers false, with
    // nothing exchanged, when the sample borrows its memory.
    bool Exchange(std::vector<BYTE>& spare);
    void SetTimes(REFERENCE_TIME start, REFERENCE_TIME end);

private:
    ~Sample() = default;
    com::RefCount refs_;
    std::vector<BYTE> owned_;
    BYTE* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t length_ = 0;
    REFERENCE_TIME start_ = 0;
    REFERENCE_TIME end_ = 0;
};

} // namespace dshow
