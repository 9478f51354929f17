#pragma once

// What the camera tests share: emulated cameras installed as the system's
// device nodes, the headless screen (for combo boxes and message boxes),
// YUYV pictures made by the test, and waiting for frames to arrive.

#include "camera/LatestFrame.h"
#include "camera/VMR_Capture.h"
#include "platform/headless/Driver.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace test {

class CameraTest : public ::testing::Test {
public:
    CameraTest();
    ~CameraTest() override;

    // Adds a camera as the next /dev/videoN node.
    std::shared_ptr<v4l2::EmulatedDevice> AddCamera(std::string card, std::vector<v4l2::FrameSize> yuyvSizes,
        std::vector<v4l2::EmulatedControl> controls = {});
    void AddDevice(std::shared_ptr<v4l2::EmulatedDevice> device);

    // A drop-down combo box to list devices in.
    HWND MakeCombo();
    std::vector<std::string> ComboItems(HWND combo);

    // Waits (up to a generous limit) until pred holds; answers whether it did.
    static bool WaitFor(const std::function<bool()>& pred);
    // Waits for a published frame of this many bytes.
    static bool WaitForFrame(int length);
    // Frames published so far, counted by reading the record under its lock.
    static std::vector<BYTE> FrameCopy();

    headless::Driver driver;
    v4l2::EmulatedDeviceSystem devices;

private:
    v4l2::ScopedDeviceSystem use_;
    HWND parent_ = nullptr;
    int next_ = 0;
};

// A YUYV picture where pixel i of the frame has luma lumas[i % size],
// chroma neutral: exact greys after conversion.
v4l2::EmulatedDevice::Picture GreyPicture(std::vector<BYTE> lumas);

// The item name the capture graph registered in the running object table,
// or "" when none is registered.
std::string RegisteredGraphName();

} // namespace test
