#pragma once

// The device system the program sees when it was asked to open one camera
// first: the system in force, with the chosen node listed first. The camera
// code binds the first device it lists, so nothing else needs to know.
// A node named through a link (/dev/v4l/by-id/...) replaces the node it
// points to rather than standing twice in the list. A path that is not
// there is listed first all the same; the device enumerator passes over a
// node it cannot open, so the first camera that is there opens instead.

#include "platform/v4l2/DeviceIo.h"

#include <string>

class PreferredDeviceSystem final : public v4l2::DeviceSystem {
public:
    PreferredDeviceSystem(v4l2::DeviceSystem& inner, std::string first);

    std::vector<std::string> Nodes() override;
    std::unique_ptr<v4l2::DeviceIo> Open(const std::string& path, int& error) override;
    std::string Name(const std::string& path) override;

private:
    v4l2::DeviceSystem& inner_;
    const std::string first_;
};
