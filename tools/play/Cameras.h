#pragma once

// The emulated cameras a script asks for, installed as the system's video
// device nodes in the order given: YUYV (or MJPG-only) cameras showing the
// ruled test page (the same picture at every frame, so that screenshots
// repeat exactly),
// cameras showing a BMP picture, the picture controls when asked for, and
// unplugging and plugging them in again at the same node. Frames follow the
// program's virtual clock, so that when they come never depends on how fast
// the machine is.

#include "platform/v4l2/EmulatedDevice.h"
#include "platform/win/WinTypes.h"
#include "tools/play/Script.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace play {

class Cameras {
public:
    // Reads the cameras' pictures (BMP files relative to scriptDir).
    // Answers false, with the line and the reason, when one can't be read.
    bool Prepare(const Script& script, const std::filesystem::path& scriptDir, ScriptError& error);

    v4l2::DeviceSystem& System() { return system_; }
    void Unplug(const std::string& name);
    void Plug(const std::string& name);
    // The camera sends no frame for ms milliseconds of the virtual clock.
    void Stall(const std::string& name, int ms);
    // Whether a plugged camera is open, so that its frames are on the way.
    bool AnyOpen() const;

    // The cameras make their frames by the program's virtual clock, in
    // milliseconds: the first as a camera starts streaming, then one a
    // frame period.
    void SetTime(DWORD ms);
    // Whether a camera owes a frame by the clock; frames made so far.
    bool AnyFrameDue() const;
    std::uint64_t FramesProduced() const;

private:
    struct Slot {
        Camera wanted;
        std::string node;
        // The YUYV frame at the camera's one size, for a still picture.
        std::shared_ptr<const std::vector<std::uint8_t>> still;
        int stillWidth = 0, stillHeight = 0;
        std::shared_ptr<v4l2::EmulatedDevice> device;
    };
    std::shared_ptr<v4l2::EmulatedDevice> Make(const Slot& slot) const;
    Slot* Find(const std::string& name);

    v4l2::EmulatedDeviceSystem system_;
    // The virtual time in microseconds, read on the cameras' threads.
    std::shared_ptr<std::atomic<std::int64_t>> clock_ = std::make_shared<std::atomic<std::int64_t>>(0);
    std::vector<Slot> slots_;
};

} // namespace play
