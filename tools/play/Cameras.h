#pragma once

// The emulated cameras a script asks for, installed as the system's video
// device nodes in the order given: YUYV cameras showing the ruled test page
// (the same picture at every frame, so that screenshots repeat exactly),
// cameras showing a BMP picture, the picture controls when asked for, and
// unplugging and plugging them in again at the same node.

#include "platform/v4l2/EmulatedDevice.h"
#include "tools/play/Script.h"

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
    // Whether a plugged camera is open, so that its frames are on the way.
    bool AnyOpen() const;

private:
    struct Slot {
        Camera spec;
        std::string node;
        // The YUYV frame at the camera's one size, for a still picture.
        std::shared_ptr<const std::vector<std::uint8_t>> still;
        int stillWidth = 0, stillHeight = 0;
        std::shared_ptr<v4l2::EmulatedDevice> device;
    };
    std::shared_ptr<v4l2::EmulatedDevice> Make(const Slot& slot) const;
    Slot* Find(const std::string& name);

    v4l2::EmulatedDeviceSystem system_;
    std::vector<Slot> slots_;
};

} // namespace play
