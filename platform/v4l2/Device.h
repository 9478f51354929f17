#pragma once

// One V4L2 video capture node, spoken to through DeviceIo: capabilities,
// formats with their frame sizes, controls, and memory-mapped streaming.
// Every call answers 0 or a negated errno where it can fail.

#include "platform/v4l2/DeviceIo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace v4l2 {

struct FrameSize {
    std::uint32_t width;
    std::uint32_t height;
    bool operator==(const FrameSize&) const = default;
};

struct PixelFormat {
    std::uint32_t fourcc;
    std::vector<FrameSize> sizes;
};

struct CurrentFormat {
    std::uint32_t fourcc = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bytesPerLine = 0;
    std::uint32_t sizeImage = 0;
};

struct ControlRange {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t step = 0;
    std::int32_t defaultValue = 0;
};

struct Frame {
    std::uint32_t index = 0;
    const std::uint8_t* data = nullptr;
    std::size_t bytes = 0;
};

// A pixel format's four characters ("YUYV", "MJPG"), unprintable ones as '?'.
std::string FourCcText(std::uint32_t fourcc);

// Frame: a filled buffer to use and requeue. Timeout: nothing yet.
// Dropped: the driver flagged the buffer bad; it went back already.
// IoError: the dequeue failed with EIO, which may pass. Gone: unplugged.
enum class WaitResult { Frame, Timeout, Dropped, IoError, Gone };

class Device {
public:
    static std::unique_ptr<Device> Open(const std::string& path);
    // The same; on failure error is the negated errno of the open.
    static std::unique_ptr<Device> Open(const std::string& path, int& error);
    explicit Device(std::unique_ptr<DeviceIo> io);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    int QueryCapabilities(std::string& card, std::uint32_t& deviceCaps);
    // Whether the node captures video (a UVC camera's metadata node does not).
    bool CapturesVideo();
    // Formats in the driver's order, each with its frame sizes. Stepwise and
    // continuous ranges give the common sizes that fit, and the largest.
    std::vector<PixelFormat> Formats();
    // The highest frame rate the device reports for a format at a size
    // (frames a second), or 0 when it reports none.
    double MaxFrameRate(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height);
    int GetFormat(CurrentFormat& out);
    // The driver may adjust the request; out holds what it chose.
    int SetFormat(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height, CurrentFormat& out);

    int QueryControl(std::uint32_t id, ControlRange& out);
    int GetControl(std::uint32_t id, std::int32_t& value);
    int SetControl(std::uint32_t id, std::int32_t value);

    int StartStreaming(std::uint32_t bufferCount);
    // Dequeues the next filled buffer; Gone once the device went away.
    WaitResult NextFrame(int timeoutMs, Frame& out);
    int Requeue(const Frame& frame);
    void StopStreaming();
    void Wake() { io_->Wake(); }
    bool Streaming() const { return streaming_; }

private:
    std::vector<FrameSize> SizesOf(std::uint32_t fourcc);
    void ReleaseBuffers();

    struct Mapping {
        void* address;
        std::size_t length;
    };
    std::unique_ptr<DeviceIo> io_;
    std::vector<Mapping> buffers_;
    bool streaming_ = false;
};

} // namespace v4l2
