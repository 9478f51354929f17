// The emulated camera's loadable library: the demonstration camera as the
// only video device.

#include "app/program/DemoCameraModule.h"

#include "app/program/DemoCamera.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <cstring>
#include <memory>

#define INKVEIL_DEMO_EXPORT __attribute__((visibility("default")))

extern "C" INKVEIL_DEMO_EXPORT v4l2::DeviceSystem* inkveil_demo_camera_create(const char* kind)
{
    std::shared_ptr<v4l2::EmulatedDevice> camera;
    if (!kind || std::strcmp(kind, "page") == 0)
        camera = demo::MakeDemoCamera();
    else if (std::strcmp(kind, "yuyv") == 0 || std::strcmp(kind, "mjpg") == 0)
        camera = demo::MakeBenchCamera(std::strcmp(kind, "mjpg") == 0);
    else
        return nullptr;
    auto devices = std::make_unique<v4l2::EmulatedDeviceSystem>();
    devices->Add("/dev/video0", std::move(camera));
    return devices.release();
}

extern "C" INKVEIL_DEMO_EXPORT void inkveil_demo_camera_destroy(v4l2::DeviceSystem* system) { delete system; }
