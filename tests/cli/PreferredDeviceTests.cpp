// The chosen camera first: what the system device enumerator lists, and
// therefore which camera the program's capture graph binds, when the device
// system in force puts one node first.

#include "app/program/PreferredDeviceSystem.h"
#include "platform/com/Com.h"
#include "platform/dshow/DShow.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The friendly names of the video input devices, in the enumerator's order.
std::vector<std::u16string> ListedCameras()
{
    std::vector<std::u16string> names;
    ICreateDevEnum* create = nullptr;
    if (CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
            reinterpret_cast<void**>(&create))
        != S_OK)
        return names;
    IEnumMoniker* monikers = nullptr;
    if (create->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0) == S_OK) {
        IMoniker* moniker = nullptr;
        while (monikers->Next(1, &moniker, nullptr) == S_OK) {
            IPropertyBag* bag = nullptr;
            if (moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag)) == S_OK) {
                VARIANT name;
                VariantInit(&name);
                if (bag->Read(u"FriendlyName", &name, nullptr) == S_OK)
                    names.emplace_back(name.bstrVal);
                VariantClear(&name);
                bag->Release();
            }
            moniker->Release();
        }
        monikers->Release();
    }
    create->Release();
    return names;
}

class PreferredDeviceTest : public ::testing::Test {
public:
    PreferredDeviceTest() { CoInitialize(nullptr); }
    ~PreferredDeviceTest() override { CoUninitialize(); }

    void AddCamera(const std::string& path, const std::string& name)
    {
        devices.Add(path, v4l2::EmulatedDevice::Camera(name, { { 640, 480 } }));
    }

    std::vector<std::u16string> ListedWithFirst(const std::string& first)
    {
        PreferredDeviceSystem preferred(devices, first);
        v4l2::ScopedDeviceSystem use(preferred);
        return ListedCameras();
    }

    v4l2::EmulatedDeviceSystem devices;
};

TEST_F(PreferredDeviceTest, TheChosenCameraIsListedFirstAndTheOthersKeepTheirOrder)
{
    AddCamera("/dev/video0", "A");
    AddCamera("/dev/video2", "B");
    AddCamera("/dev/video4", "C");
    struct Case {
        const char* first;
        std::vector<std::u16string> listed;
    };
    const Case cases[] = {
        { "/dev/video0", { u"A", u"B", u"C" } },
        { "/dev/video2", { u"B", u"A", u"C" } },
        { "/dev/video4", { u"C", u"A", u"B" } },
        // A node that is not there is passed over: the first camera there
        // opens, as without the option.
        { "/dev/video9", { u"A", u"B", u"C" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListedWithFirst(c.first), c.listed) << c.first;
}

TEST_F(PreferredDeviceTest, ANodeNamedThroughALinkStandsOnceAtTheFront)
{
    // Two real files stand for two device nodes, so that one can be named
    // through a link as /dev/v4l/by-id names a camera.
    const std::filesystem::path dir = std::filesystem::temp_directory_path()
        / ("inkveil-preferred-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string first = (dir / "video0").string(), second = (dir / "video2").string();
    std::ofstream(first).put('\0');
    std::ofstream(second).put('\0');
    const std::filesystem::path link = dir / "usb-camera-B";
    std::filesystem::create_symlink(second, link);
    AddCamera(first, "A");
    AddCamera(second, "B");

    PreferredDeviceSystem preferred(devices, link.string());
    EXPECT_EQ(preferred.Nodes(), (std::vector<std::string> { link.string(), first }));
    std::filesystem::remove_all(dir);
}

TEST_F(PreferredDeviceTest, OpeningAndNamingGoToTheSystemInForce)
{
    AddCamera("/dev/video0", "A");
    PreferredDeviceSystem preferred(devices, "/dev/video0");
    int error = 1;
    EXPECT_NE(preferred.Open("/dev/video0", error), nullptr);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(preferred.Open("/dev/video1", error), nullptr);
    EXPECT_EQ(error, -ENOENT) << "open's errno comes through";
    EXPECT_EQ(preferred.Name("/dev/video0"), "A");
}

} // namespace
