#pragma once

// Converts packed YUY2 frames (top-down) into 24-bit RGB DIB frames
// (bottom-up, blue-green-red), with BT.601 limited-range coefficients as
// capture converters use. The graph builder inserts it between a camera
// and a filter that takes RGB24.

#include "platform/dshow/TransformFilter.h"

#include <vector>

namespace dshow {

class Yuy2Converter final : public TransformFilter {
public:
    static HRESULT Create(REFIID iid, void** out);

    // The conversion itself, for callers with their own buffers: the source
    // is width × height YUY2 (srcStride bytes a row, top-down), the target
    // bottom-up RGB24 rows of dstStride bytes. scratch holds width × 4 ×
    // kBandRows bytes.
    static constexpr int kBandRows = 16;
    static void Convert(const BYTE* src, std::size_t srcStride, BYTE* dst, std::size_t dstStride, int width, int height,
        BYTE* scratch);

private:
    HRESULT CheckInput(const AM_MEDIA_TYPE& type) override;
    std::vector<MediaType> OutputTypes(const MediaType& input) override;
    HRESULT Process(IMediaSample* sample) override;
    HRESULT OutputConnected() override;

    std::vector<BYTE> scratch_;
};

} // namespace dshow
