// The camera report: the devices' own lists, then the graph's choice.

#include "camera/CameraReport.h"

#include "camera/VMR_Capture.h"
#include "platform/v4l2/Device.h"

#include <cerrno>
#include <cstdio>
#include <linux/videodev2.h>

namespace {

using v4l2::FourCcText;

std::string SizeText(std::uint32_t width, std::uint32_t height)
{
    char text[48];
    std::snprintf(text, sizeof text, "%ux%u", width, height);
    return text;
}

// Under a camera another program holds: opened at all, or streaming.
constexpr char kBusyOpenNote[] = "  busy: in use by another program, which must let it go before it can be read\n";
constexpr char kNoPermissionNote[] = "  no permission to open it (is the user in the video group?)\n";
constexpr char kBusyNote[] = "  chosen: none, another program is using the camera (busy)\n";

// Each format with its sizes and their highest frame rates, a line each.
std::string FormatsText(v4l2::Device& device)
{
    std::string out;
    for (const v4l2::PixelFormat& format : device.Formats()) {
        out += "  " + FourCcText(format.fourcc) + ":";
        for (const v4l2::FrameSize& size : format.sizes) {
            double rate = device.MaxFrameRate(format.fourcc, size.width, size.height);
            char fps[32] = "";
            if (rate > 0)
                std::snprintf(fps, sizeof fps, " @ %g fps", rate);
            out += " " + SizeText(size.width, size.height) + fps + ",";
        }
        if (out.back() == ',')
            out.pop_back();
        out += "\n";
    }
    return out;
}

// Whether another program streams from the camera: a driver then refuses
// even the format in force (EBUSY), which changes nothing otherwise.
bool InUseElsewhere(v4l2::Device& device)
{
    v4l2::CurrentFormat now, got;
    return device.GetFormat(now) == 0 && device.SetFormat(now.fourcc, now.width, now.height, got) == -EBUSY;
}

} // namespace

std::string CameraReport()
{
    std::string out;
    int index = 0; // the position the device enumerator gives the camera
    for (const std::string& node : v4l2::CurrentDeviceSystem().Nodes()) {
        int error = 0;
        std::unique_ptr<v4l2::Device> device = v4l2::Device::Open(node, error);
        // A camera another program holds exclusively opens for nobody else;
        // the device list has it all the same (choosing it says it's busy).
        if (!device && (error == -EBUSY || error == -EACCES)) {
            std::string name = v4l2::CurrentDeviceSystem().Name(node);
            out += node + ": " + (name.empty() ? "(name unknown)" : name) + "\n"
                + (error == -EBUSY ? kBusyOpenNote : kNoPermissionNote);
            // The device list has a busy node (choosing it says it's busy),
            // not one the user may not open.
            if (error == -EBUSY)
                ++index;
            continue;
        }
        std::string card;
        std::uint32_t caps = 0;
        if (!device || device->QueryCapabilities(card, caps) != 0 || !(caps & V4L2_CAP_VIDEO_CAPTURE))
            continue;
        out += node + ": " + card + "\n" + FormatsText(*device);
        // One that another program streams from refuses a new format: the
        // graph would say so in a message box, and there is no screen here.
        const bool busy = InUseElsewhere(*device);
        // The graph opens the node itself; this handle must not hold it.
        device.reset();
        if (busy) {
            out += kBusyNote;
            ++index;
            continue;
        }
        CVMR_Capture capture;
        HRESULT hr = capture.BuildGraph(index, nullptr);
        if (hr == S_OK) {
            v4l2::CurrentFormat streamed {};
            std::unique_ptr<v4l2::Device> again = v4l2::Device::Open(node);
            if (again)
                again->GetFormat(streamed);
            out += "  chosen: "
                + SizeText(static_cast<std::uint32_t>(capture.GetWidth()),
                    static_cast<std::uint32_t>(capture.GetHeight()))
                + (streamed.fourcc ? ", streamed as " + FourCcText(streamed.fourcc) : std::string()) + "\n";
        } else if (hr == CVMR_Capture::kDeviceBusy) {
            out += kBusyNote;
        } else {
            char text[64];
            std::snprintf(text, sizeof text, "  chosen: none, the capture graph failed (0x%08X)\n",
                static_cast<unsigned>(hr));
            out += text;
        }
        capture.TearDownGraph();
        ++index;
    }
    if (out.empty())
        out = "No video capture device was found.\n";
    return out;
}
