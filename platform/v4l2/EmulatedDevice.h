#pragma once

// A camera emulated at the level of V4L2 requests, for tests and for
// running the program without a camera: a card name and capabilities,
// formats with discrete or stepwise frame sizes, controls that clamp and
// round as drivers do, memory-mapped streaming that produces a frame per
// period from a picture function, and unplugging (queued buffers come back
// marked bad, then every request answers ENODEV and poll reports
// POLLERR | POLLHUP). EmulatedDeviceSystem lists such devices as nodes.

#include "platform/v4l2/Device.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

namespace v4l2 {

struct EmulatedFormat {
    std::uint32_t fourcc = 0;
    std::vector<FrameSize> sizes; // discrete sizes
    // A stepwise (or, with step 1 and continuous set, continuous) range
    // instead of discrete sizes when maxWidth isn't 0.
    std::uint32_t minWidth = 0, maxWidth = 0, stepWidth = 0;
    std::uint32_t minHeight = 0, maxHeight = 0, stepHeight = 0;
    bool continuous = false;
};

struct EmulatedControl {
    std::uint32_t id = 0;
    std::int32_t minimum = 0, maximum = 0, step = 1, defaultValue = 0;
    std::int32_t value = 0;
};

class EmulatedDevice {
public:
    // Fills one frame of the current format.
    using Picture = std::function<void(const CurrentFormat& format, std::uint64_t frameNumber, std::uint8_t* out)>;

    EmulatedDevice(std::string card, std::uint32_t deviceCaps, std::vector<EmulatedFormat> formats,
        std::vector<EmulatedControl> controls = {});

    // A camera with the usual capture capabilities and YUYV sizes.
    static std::shared_ptr<EmulatedDevice> Camera(std::string card, std::vector<FrameSize> yuyvSizes,
        std::vector<EmulatedControl> controls = {});

    void SetPicture(Picture picture);
    void SetFramePeriod(std::chrono::microseconds period);
    // Frames follow this clock instead of the steady clock: the first as
    // streaming starts, then one whenever a frame period of the clock has
    // passed (periods missed are not made up). For a player that keeps
    // virtual time; it calls ClockMoved after moving the clock on, which
    // wakes a waiting poll. The clock is read on the streaming thread.
    void SetClock(std::function<std::chrono::microseconds()> clock);
    void ClockMoved();
    // With a clock: whether a frame is due and not yet made.
    bool FrameDue() const;
    void Unplug();

    bool Unplugged() const;
    // Observations for tests.
    std::uint64_t FramesProduced() const;
    int OpenHandles() const;
    CurrentFormat Current() const;
    std::int32_t ControlValue(std::uint32_t id) const;

private:
    friend class EmulatedIo;
    friend class EmulatedDeviceSystem;
    struct Buffer {
        std::vector<std::uint8_t> data;
        std::uint32_t bytesUsed = 0;
        bool error = false;
    };

    int Ioctl(int handle, unsigned long request, void* arg);
    int SetFormatLocked(void* arg);
    int BufferRequest(int handle, unsigned long request, void* arg);
    void* Map(std::size_t length, std::uint32_t offset);
    short Poll(int handle, int timeoutMs);
    void Wake(int handle);
    void Close(int handle);
    const EmulatedFormat* FindFormat(std::uint32_t fourcc) const;
    EmulatedControl* FindControl(std::uint32_t id);
    void ProduceLocked();

    mutable std::mutex lock_;
    std::condition_variable changed_;
    const std::string card_;
    const std::uint32_t deviceCaps_;
    const std::vector<EmulatedFormat> formats_;
    std::vector<EmulatedControl> controls_;
    Picture picture_;
    std::chrono::microseconds period_ { 1000 };
    CurrentFormat current_;
    bool unplugged_ = false;
    int nextHandle_ = 1;
    int openHandles_ = 0;
    int owner_ = 0; // the handle holding the buffers
    bool streaming_ = false;
    std::vector<Buffer> buffers_;
    std::deque<std::uint32_t> queued_;
    std::deque<std::uint32_t> done_;
    std::map<int, bool> woken_;
    std::chrono::steady_clock::time_point nextFrame_;
    std::function<std::chrono::microseconds()> clock_;
    std::chrono::microseconds nextTick_ { 0 }; // with a clock: when the next frame is due
    std::uint64_t produced_ = 0;
};

class EmulatedDeviceSystem final : public DeviceSystem {
public:
    // Adds a node, or puts another device at a node already there (a
    // camera plugged in again).
    void Add(std::string path, std::shared_ptr<EmulatedDevice> device);
    std::vector<std::string> Nodes() override;
    std::unique_ptr<DeviceIo> Open(const std::string& path) override;

private:
    std::mutex lock_;
    std::vector<std::pair<std::string, std::shared_ptr<EmulatedDevice>>> devices_;
};

} // namespace v4l2
