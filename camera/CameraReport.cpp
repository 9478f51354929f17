// The camera report: the devices' own lists, then the graph's choice.

#include "camera/CameraReport.h"

#include "camera/VMR_Capture.h"
#include "platform/v4l2/Device.h"

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

} // namespace

std::string CameraReport()
{
    std::string out;
    int index = 0; // the position the device enumerator gives the camera
    for (const std::string& node : v4l2::CurrentDeviceSystem().Nodes()) {
        std::unique_ptr<v4l2::Device> device = v4l2::Device::Open(node);
        std::string card;
        std::uint32_t caps = 0;
        if (!device || device->QueryCapabilities(card, caps) != 0 || !(caps & V4L2_CAP_VIDEO_CAPTURE))
            continue;
        out += node + ": " + card + "\n";
        for (const v4l2::PixelFormat& format : device->Formats()) {
            out += "  " + FourCcText(format.fourcc) + ":";
            for (const v4l2::FrameSize& size : format.sizes) {
                double rate = device->MaxFrameRate(format.fourcc, size.width, size.height);
                char fps[32] = "";
                if (rate > 0)
                    std::snprintf(fps, sizeof fps, " @ %g fps", rate);
                out += " " + SizeText(size.width, size.height) + fps + ",";
            }
            if (out.back() == ',')
                out.pop_back();
            out += "\n";
        }
        // The graph opens the node itself; this handle must not hold it.
        device.reset();
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
            out += "  chosen: none, another program is using the camera\n";
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
