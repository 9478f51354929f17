#pragma once

// Loads the emulated camera's library at run time, for --demo, and holds the
// device system it makes for as long as the program runs. The library is
// looked for beside the executable (the build tree) and then where it
// installs, relative to the executable (${libdir}/inkveil/).

#include "platform/v4l2/DeviceIo.h"

#include <memory>
#include <string>
#include <vector>

class DemoCameraLoader {
public:
    // The library loaded and its device system made for the kind ("page",
    // "yuyv", "mjpg"); null with the reason in whyNot otherwise.
    static std::unique_ptr<DemoCameraLoader> Load(const std::string& kind, std::string& whyNot);
    // The places the library is looked for, in order, for an executable at
    // the path given.
    static std::vector<std::string> Candidates(const std::string& executable);
    ~DemoCameraLoader();
    DemoCameraLoader(const DemoCameraLoader&) = delete;
    DemoCameraLoader& operator=(const DemoCameraLoader&) = delete;

    v4l2::DeviceSystem& Devices() { return *system_; }
    // The file the library was loaded from.
    const std::string& Path() const { return path_; }

private:
    using Destroy = void (*)(v4l2::DeviceSystem*);
    DemoCameraLoader(void* handle, v4l2::DeviceSystem* system, Destroy destroy, std::string path);

    void* handle_;
    v4l2::DeviceSystem* system_;
    Destroy destroy_;
    std::string path_;
};
