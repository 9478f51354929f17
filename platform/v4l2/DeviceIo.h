#pragma once

// The system calls the V4L2 capture source makes on a device node, behind an
// interface so that tests can put an emulated device in place of a camera.
// DeviceSystem lists and opens nodes; the one in use is the real one unless
// a test installs another with ScopedDeviceSystem.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace v4l2 {

class DeviceIo {
public:
    virtual ~DeviceIo() = default;
    // 0, or the negated errno.
    virtual int Ioctl(unsigned long request, void* arg) = 0;
    // The buffer at a QUERYBUF offset mapped into memory, or null.
    virtual void* Map(std::size_t length, std::uint32_t offset) = 0;
    virtual void Unmap(void* address, std::size_t length) = 0;
    // Waits up to timeoutMs for a filled buffer or an error: the poll
    // events (POLLIN, POLLERR, POLLHUP), 0 after the time, or after Wake.
    virtual short Poll(int timeoutMs) = 0;
    // Ends a Poll in progress on another thread at once.
    virtual void Wake() = 0;
};

class DeviceSystem {
public:
    virtual ~DeviceSystem() = default;
    // The video device nodes present, in a stable order.
    virtual std::vector<std::string> Nodes() = 0;
    // The node opened; else null, and error is the negated errno open(2)
    // gave (ENOENT, ENODEV, EACCES, EBUSY for a node another program holds
    // exclusively).
    virtual std::unique_ptr<DeviceIo> Open(const std::string& path, int& error) = 0;
    // The device's name as the driver gives it, read without opening the
    // node (which may refuse opening); empty when unknown.
    virtual std::string Name(const std::string& path) { return {}; }
};

DeviceSystem& CurrentDeviceSystem();

class ScopedDeviceSystem {
public:
    explicit ScopedDeviceSystem(DeviceSystem& system);
    ~ScopedDeviceSystem();
    ScopedDeviceSystem(const ScopedDeviceSystem&) = delete;
    ScopedDeviceSystem& operator=(const ScopedDeviceSystem&) = delete;

private:
    DeviceSystem* previous_;
};

} // namespace v4l2
