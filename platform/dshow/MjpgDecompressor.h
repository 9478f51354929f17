#pragma once

// Decompresses motion-JPEG frames into 24-bit RGB DIB frames (bottom-up,
// blue-green-red) of the same size. The graph builder inserts it between a
// camera that streams MJPG and a filter that takes RGB24. Damaged frames
// are dropped and counted, never handed on half decoded.

#include "platform/dshow/JpegFrameDecoder.h"
#include "platform/dshow/TransformFilter.h"
#include "platform/log/RateLimit.h"
#include "platform/log/RateReport.h"

#include <atomic>
#include <memory>

namespace dshow {

class MjpgDecompressor final : public TransformFilter {
public:
    static HRESULT Create(REFIID iid, void** out);

    // Frames dropped as damaged since the output connected (any thread).
    std::uint64_t DroppedFrames() const { return dropped_.load(); }

private:
    HRESULT CheckInput(const AM_MEDIA_TYPE& type) override;
    std::vector<MediaType> OutputTypes(const MediaType& input) override;
    HRESULT Process(IMediaSample* sample) override;
    HRESULT OutputConnected() override;

    std::unique_ptr<JpegFrameDecoder> decoder_;
    std::atomic<std::uint64_t> dropped_ { 0 };
    logging::RateLimit dropLimit_;
    // At the info level: frames a second decoded and dropped (streaming thread).
    logging::RateReport rates_ { "frame rate: MJPG decoder", { "decoded", "dropped" } };
};

} // namespace dshow
