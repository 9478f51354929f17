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
#include <set>

namespace v4l2 {

struct EmulatedFormat {
    std::uint32_t fourcc = 0;
    std::vector<FrameSize> sizes; // discrete sizes
    // Frames a second at each discrete size (the same index), 30 where none.
    std::vector<std::uint32_t> rates = {};
    // A stepwise (or, with step 1 and continuous set, continuous) range
    // instead of discrete sizes when maxWidth isn't 0.
    std::uint32_t minWidth = 0, maxWidth = 0, stepWidth = 0;
    std::uint32_t minHeight = 0, maxHeight = 0, stepHeight = 0;
    bool continuous = false;
};

// Ways a real driver misbehaves, for tests. Frame numbers count from 0.
struct EmulatedFaults {
    std::uint32_t rowPadding = 0; // bytes after each YUYV row (bytesperline > width × 2)
    std::uint32_t errorEvery = 0; // every n-th buffer comes back flagged bad, holding junk
    std::uint32_t shortEvery = 0; // every n-th buffer has half the bytes the format needs
    std::uint64_t stallAfter = 0; // after this frame ...
    std::chrono::milliseconds stallFor { 0 }; // ... no frame for this long
    std::uint64_t eioAt = 0; // when this frame is ready ...
    std::uint32_t eioTimes = 0; // ... so many dequeues answer EIO first
    bool busy = false; // another program streams: format and buffer requests answer EBUSY
    int openError = 0; // opening the node fails with this errno (EBUSY: held exclusively; EACCES: no permission)
    std::uint64_t vanishAfter = 0; // unplugged once this many frames were made (0: never)
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

    // For compressed formats: fills at most capacity bytes of a frame and
    // answers how many it used (the buffer's bytesused).
    using SizedPicture = std::function<std::size_t(const CurrentFormat& format, std::uint64_t frameNumber,
        std::uint8_t* out, std::size_t capacity)>;

    void SetPicture(Picture picture);
    void SetSizedPicture(SizedPicture picture);
    // Takes effect for the next format set (and the current one when no
    // buffers are held); faults without EIO end at once any EIO pending.
    void SetFaults(const EmulatedFaults& faults);
    // The node comes back; handles opened before the unplug stay dead.
    void Replug();
    void SetFramePeriod(std::chrono::microseconds period);
    // Frames follow this clock instead of the steady clock: the first as
    // streaming starts, then one whenever a frame period of the clock has
    // passed (periods missed are not made up). For a player that keeps
    // virtual time; it calls ClockMoved after moving the clock on, which
    // wakes a waiting poll. The clock is read on the streaming thread.
    void SetClock(std::function<std::chrono::microseconds()> clock);
    void ClockMoved();
    // No frame for this long from now (by the clock when there is one), then
    // frames as before: a camera that stalls.
    void Stall(std::chrono::microseconds pause);
    // With a clock: whether a frame is due and not yet made.
    bool FrameDue() const;
    void Unplug();

    bool Unplugged() const;
    // Observations for tests.
    std::uint64_t FramesProduced() const;
    int OpenHandles() const;
    // How many times streaming was started (VIDIOC_STREAMON accepted).
    std::uint64_t StreamStarts() const;
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
    void Unmap(const void* address);
    // Drops every buffer. Memory a handle still has mapped lives on until it
    // is unmapped, as a driver's does: a stream thread may still be reading
    // a frame it dequeued before the camera went away.
    void ReleaseBuffersLocked();
    short Poll(int handle, int timeoutMs);
    void Wake(int handle);
    void Close(int handle);
    const EmulatedFormat* FindFormat(std::uint32_t fourcc) const;
    EmulatedControl* FindControl(std::uint32_t id);
    // Fills the next queued buffer; answers an extra delay before the next.
    std::chrono::microseconds ProduceLocked();
    void UnplugLocked();
    bool DeadLocked(int handle) const { return unplugged_ || handle < firstLiveHandle_; }

    mutable std::mutex lock_;
    std::condition_variable changed_;
    const std::string card_;
    const std::uint32_t deviceCaps_;
    const std::vector<EmulatedFormat> formats_;
    std::vector<EmulatedControl> controls_;
    Picture picture_;
    SizedPicture sizedPicture_;
    EmulatedFaults faults_;
    std::uint32_t pendingEio_ = 0;
    int firstLiveHandle_ = 1;
    std::chrono::microseconds period_ { 1000 };
    CurrentFormat current_;
    bool unplugged_ = false;
    int nextHandle_ = 1;
    int openHandles_ = 0;
    int owner_ = 0; // the handle holding the buffers
    bool streaming_ = false;
    std::vector<Buffer> buffers_;
    std::multiset<const void*> mapped_;
    std::vector<std::vector<std::uint8_t>> orphans_;
    std::deque<std::uint32_t> queued_;
    std::deque<std::uint32_t> done_;
    std::map<int, bool> woken_;
    std::chrono::steady_clock::time_point nextFrame_;
    std::function<std::chrono::microseconds()> clock_;
    std::chrono::microseconds nextTick_ { 0 }; // with a clock: when the next frame is due
    std::uint64_t produced_ = 0;
    std::uint64_t streamStarts_ = 0;
};

class EmulatedDeviceSystem final : public DeviceSystem {
public:
    // Adds a node, or puts another device at a node already there (a
    // camera plugged in again).
    void Add(std::string path, std::shared_ptr<EmulatedDevice> device);
    std::vector<std::string> Nodes() override;
    std::unique_ptr<DeviceIo> Open(const std::string& path, int& error) override;
    std::string Name(const std::string& path) override;

private:
    std::shared_ptr<EmulatedDevice> Find(const std::string& path);

    std::mutex lock_;
    std::vector<std::pair<std::string, std::shared_ptr<EmulatedDevice>>> devices_;
};

} // namespace v4l2
