// Emulated cameras, combo boxes and frame waiting for the camera tests.

#include "tests/camera/CameraTestSupport.h"

#include "platform/com/Com.h"
#include "platform/com/ComObject.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/ControlStyles.h"
#include "platform/window/Controls.h"

#include <chrono>
#include <thread>

namespace test {

CameraTest::CameraTest()
    : use_(devices)
{
    ws::ctl::EnsureControlClasses();
    parent_ = CreateWindowEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr,
        nullptr);
    driver.Pump();
}

CameraTest::~CameraTest() { DestroyWindow(parent_); }

std::shared_ptr<v4l2::EmulatedDevice> CameraTest::AddCamera(std::string card, std::vector<v4l2::FrameSize> yuyvSizes,
    std::vector<v4l2::EmulatedControl> controls)
{
    auto camera = v4l2::EmulatedDevice::Camera(std::move(card), std::move(yuyvSizes), std::move(controls));
    AddDevice(camera);
    return camera;
}

void CameraTest::AddDevice(std::shared_ptr<v4l2::EmulatedDevice> device)
{
    devices.Add("/dev/video" + std::to_string(next_++), std::move(device));
}

HWND CameraTest::MakeCombo()
{
    HWND combo = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 200, 200, parent_,
        nullptr, nullptr, nullptr);
    driver.Pump();
    return combo;
}

std::vector<std::string> CameraTest::ComboItems(HWND combo)
{
    std::vector<std::string> items;
    auto count = SendMessage(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

bool CameraTest::WaitFor(const std::function<bool()>& pred)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (pred())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return pred();
}

bool CameraTest::WaitForFrame(int length)
{
    return WaitFor([length] {
        auto lock = g_latestFrame.Lock();
        return g_latestFrame.pFrame != nullptr && g_latestFrame.nFrameLen == length;
    });
}

std::vector<BYTE> CameraTest::FrameCopy()
{
    auto lock = g_latestFrame.Lock();
    if (!g_latestFrame.pFrame)
        return {};
    return std::vector<BYTE>(g_latestFrame.pFrame, g_latestFrame.pFrame + g_latestFrame.nFrameLen);
}

v4l2::EmulatedDevice::Picture GreyPicture(std::vector<BYTE> lumas)
{
    return [lumas](const v4l2::CurrentFormat& f, std::uint64_t, std::uint8_t* out) {
        std::size_t pixels = static_cast<std::size_t>(f.width) * f.height;
        for (std::size_t i = 0; i < pixels; ++i) {
            out[i * 2] = lumas[i % lumas.size()];
            out[i * 2 + 1] = 128;
        }
    };
}

std::string RegisteredGraphName()
{
    com::ComPtr<IRunningObjectTable> rot;
    GetRunningObjectTable(0, rot.Out());
    com::ComPtr<IEnumMoniker> names;
    rot->EnumRunning(names.Out());
    com::ComPtr<IMoniker> m;
    std::string found;
    while (names->Next(1, m.Out(), nullptr) == S_OK) {
        LPOLESTR name = nullptr;
        m->GetDisplayName(nullptr, nullptr, &name);
        std::string text;
        for (LPOLESTR p = name; *p; ++p)
            text += static_cast<char>(*p);
        CoTaskMemFree(name);
        if (text.rfind("!FilterGraph ", 0) == 0)
            found = text;
    }
    return found;
}

} // namespace test
