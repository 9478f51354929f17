#pragma once

// The video capture filter over one V4L2 node. Its single output pin offers
// every format and frame size of the device as a media type (the format in
// force first), sets the device's format through IAMStreamConfig, and while
// the graph runs hands each frame on from a streaming thread of its own,
// straight from the device's mapped buffer. Brightness, contrast,
// saturation and the other amplifier settings map onto the device's
// controls through IAMVideoProcAmp.
//
// When the camera goes away while streaming, the thread ends by itself,
// tells the graph so, and the filter stays usable for stopping and tearing
// down.

#include "platform/dshow/BaseFilter.h"
#include "platform/log/RateLimit.h"
#include "platform/v4l2/Device.h"

#include <atomic>
#include <thread>

namespace v4l2 {

inline constexpr HRESULT E_PROP_ID_UNSUPPORTED = MakeHResult(0x80070490);

// The media type subtype of a V4L2 pixel format and back (0 when none).
GUID SubtypeOf(std::uint32_t fourcc);
std::uint32_t FourCcOf(const GUID& subtype);

class CaptureFilter final : public dshow::BaseFilter, public IAMVideoProcAmp {
public:
    // Opens the node; fails with the open's errno as a result (EBUSY when
    // another program holds the camera), or when it doesn't capture video.
    static HRESULT Create(const std::string& path, REFIID iid, void** out);

    HRESULT QueryInterface(REFIID iid, void** out) override { return BaseFilter::QueryInterface(iid, out); }
    ULONG AddRef() override { return BaseFilter::AddRef(); }
    ULONG Release() override { return BaseFilter::Release(); }

    HRESULT GetRange(LONG property, LONG* min, LONG* max, LONG* step, LONG* deflt, LONG* caps) override;
    HRESULT Set(LONG property, LONG value, LONG flags) override;
    HRESULT Get(LONG property, LONG* value, LONG* flags) override;

    // IAMStreamConfig of the output pin. Setting YUY2 at a size the camera
    // also sends as MJPG at a higher frame rate streams MJPG instead; the
    // graph then decodes it, and GetFormat reports the MJPG type.
    HRESULT SetFormat(AM_MEDIA_TYPE* type);
    HRESULT GetFormat(AM_MEDIA_TYPE** out);
    // Whether the streaming thread is running (it ends by itself on unplug).
    bool StreamAlive() const { return alive_.load(); }
    // Buffers too short for the format, dropped and requeued (any thread).
    std::uint64_t ShortFrames() const { return dropped_.load(); }

private:
    CaptureFilter(std::string path, std::unique_ptr<Device> device);
    ~CaptureFilter() override;

    HRESULT QueryExtra(REFIID iid, void** out) override;
    HRESULT OnStart() override;
    void OnStop() override;

    std::vector<dshow::MediaType> Types();
    dshow::MediaType TypeOf(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height) const;
    HRESULT CheckType(const AM_MEDIA_TYPE& type);
    // MJPG instead of YUYV when the camera sends it faster at the size.
    std::uint32_t FasterFormat(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height);
    HRESULT ApplyConnectionType();
    void Stream(CurrentFormat format);
    // Tells the graph the stream ended by itself (EC_DEVICE_LOST when the
    // camera went away, else EC_ERRORABORT with the failure).
    void TellGraphLost(int error);

    const std::string path_;
    std::unique_ptr<Device> device_;
    std::vector<PixelFormat> formats_;
    dshow::Pin* pin_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_ { false };
    std::atomic<bool> alive_ { false };
    std::atomic<std::uint64_t> dropped_ { 0 };
    std::vector<std::uint8_t> packed_;
    // A slider dragged over a control the camera refuses would log every step.
    logging::RateLimit controlLimit_;
};

} // namespace v4l2
