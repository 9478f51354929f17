// Looking for a camera the user may not open.

#include "camera/RefusedCamera.h"

#include "platform/v4l2/Device.h"

#include <cerrno>

std::string CameraRefusedForPermission()
{
    v4l2::DeviceSystem& system = v4l2::CurrentDeviceSystem();
    for (const std::string& node : system.Nodes()) {
        int error = 0;
        if (v4l2::Device::Open(node, error) || error != -EACCES)
            continue;
        const std::string name = system.Name(node);
        return name.empty() ? node : name;
    }
    return {};
}
