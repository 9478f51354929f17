#pragma once

// What the capture filter's streaming thread tells the log: damaged and
// short buffers (rate-limited, with counts), stalls and their end, EIO
// retries, a lost camera, a closing count of the stream, and at the info
// level the frames a second received, handed on and dropped. Lives on the
// streaming thread, one per stream.

#include "platform/log/RateLimit.h"
#include "platform/log/RateReport.h"
#include "platform/v4l2/Device.h"

#include <string>

namespace v4l2 {

class StreamDiagnostics {
public:
    StreamDiagnostics(const std::string& path, const CurrentFormat& format);
    // Writes the stream's closing count.
    ~StreamDiagnostics();
    StreamDiagnostics(const StreamDiagnostics&) = delete;
    StreamDiagnostics& operator=(const StreamDiagnostics&) = delete;

    // A buffer holding a picture came (ending a stall).
    void Received();
    // The picture went on to the graph.
    void HandedOn();
    // The driver flagged a buffer bad.
    void Damaged();
    // A buffer too short for the format.
    void Short(std::size_t bytes, std::size_t needed);
    // A wait ended with no frame.
    void Timeout();
    // A dequeue failed with EIO: the attempt-th in a row of at most limit.
    void IoError(int attempt, int limit);
    // The stream ends without being stopped, on this negated errno
    // (ENODEV: the camera went away; EIO: it failed on every retry).
    void Lost(int result);

private:
    void Arrived();

    const std::string label_;
    logging::RateLimit damagedLimit_;
    logging::RateLimit shortLimit_;
    logging::RateLimit ioLimit_;
    logging::RateReport rates_;
    using Clock = std::chrono::steady_clock;
    std::uint64_t received_ = 0, handedOn_ = 0, damaged_ = 0, short_ = 0, ioErrors_ = 0;
    int ioInARow_ = 0;
    Clock::time_point lastFrame_; // or the stream's start
    Clock::time_point stallFrom_;
    bool stalled_ = false;
};

} // namespace v4l2
