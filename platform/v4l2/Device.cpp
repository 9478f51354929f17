// V4L2 requests in the order the kernel's documentation gives for capture
// with memory-mapped buffers.

#include "platform/v4l2/Device.h"

#include "platform/log/Log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/videodev2.h>
#include <poll.h>

namespace v4l2 {

namespace {

// Sizes offered from a stepwise or continuous range.
constexpr FrameSize kCommonSizes[] = {
    { 640, 480 },
    { 800, 600 },
    { 1024, 768 },
    { 1280, 720 },
    { 1280, 1024 },
    { 1600, 1200 },
    { 1920, 1080 },
    { 2048, 1536 },
    { 2592, 1944 },
    { 3840, 2160 },
};

bool OnGrid(std::uint32_t v, std::uint32_t min, std::uint32_t max, std::uint32_t step)
{
    return v >= min && v <= max && (step <= 1 || (v - min) % step == 0);
}

} // namespace

std::string FourCcText(std::uint32_t fourcc)
{
    std::string text;
    for (int i = 0; i < 4; ++i) {
        char c = static_cast<char>((fourcc >> (8 * i)) & 0xFF);
        text += c >= ' ' && c <= '~' ? c : '?';
    }
    return text;
}

std::unique_ptr<Device> Device::Open(const std::string& path)
{
    int error = 0;
    return Open(path, error);
}

std::unique_ptr<Device> Device::Open(const std::string& path, int& error)
{
    error = 0;
    std::unique_ptr<DeviceIo> io = CurrentDeviceSystem().Open(path, error);
    if (!io) {
        if (error == 0)
            error = -ENODEV; // a device system that gave no reason
        INKVEIL_LOG(Debug, "camera %s: open failed: %s", path.c_str(), std::strerror(-error));
        return nullptr;
    }
    return std::make_unique<Device>(std::move(io));
}

Device::Device(std::unique_ptr<DeviceIo> io)
    : io_(std::move(io))
{
}

Device::~Device() { StopStreaming(); }

int Device::QueryCapabilities(std::string& card, std::uint32_t& deviceCaps)
{
    v4l2_capability cap {};
    if (int r = io_->Ioctl(VIDIOC_QUERYCAP, &cap))
        return r;
    card.assign(reinterpret_cast<const char*>(cap.card),
        strnlen(reinterpret_cast<const char*>(cap.card), sizeof cap.card));
    deviceCaps = (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
    return 0;
}

bool Device::CapturesVideo()
{
    std::string card;
    std::uint32_t caps = 0;
    return QueryCapabilities(card, caps) == 0 && (caps & V4L2_CAP_VIDEO_CAPTURE) != 0;
}

std::vector<PixelFormat> Device::Formats()
{
    std::vector<PixelFormat> formats;
    for (std::uint32_t i = 0;; ++i) {
        v4l2_fmtdesc desc {};
        desc.index = i;
        desc.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (io_->Ioctl(VIDIOC_ENUM_FMT, &desc) != 0)
            break;
        formats.push_back({ desc.pixelformat, SizesOf(desc.pixelformat) });
    }
    return formats;
}

std::vector<FrameSize> Device::SizesOf(std::uint32_t fourcc)
{
    std::vector<FrameSize> sizes;
    for (std::uint32_t i = 0;; ++i) {
        v4l2_frmsizeenum fs {};
        fs.index = i;
        fs.pixel_format = fourcc;
        if (io_->Ioctl(VIDIOC_ENUM_FRAMESIZES, &fs) != 0)
            break;
        if (fs.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
            sizes.push_back({ fs.discrete.width, fs.discrete.height });
            continue;
        }
        // Stepwise and continuous ranges come at index 0 only.
        const v4l2_frmsize_stepwise& s = fs.stepwise;
        std::uint32_t xStep = fs.type == V4L2_FRMSIZE_TYPE_CONTINUOUS ? 1 : s.step_width;
        std::uint32_t yStep = fs.type == V4L2_FRMSIZE_TYPE_CONTINUOUS ? 1 : s.step_height;
        for (const FrameSize& c : kCommonSizes) {
            if (OnGrid(c.width, s.min_width, s.max_width, xStep) && OnGrid(c.height, s.min_height, s.max_height, yStep))
                sizes.push_back(c);
        }
        bool haveMax = std::any_of(sizes.begin(), sizes.end(),
            [&](const FrameSize& f) { return f.width == s.max_width && f.height == s.max_height; });
        if (!haveMax && s.max_width > 0 && s.max_height > 0)
            sizes.push_back({ s.max_width, s.max_height });
        break;
    }
    return sizes;
}

double Device::MaxFrameRate(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height)
{
    double best = 0;
    for (std::uint32_t i = 0;; ++i) {
        v4l2_frmivalenum fi {};
        fi.index = i;
        fi.pixel_format = fourcc;
        fi.width = width;
        fi.height = height;
        if (io_->Ioctl(VIDIOC_ENUM_FRAMEINTERVALS, &fi) != 0)
            break;
        // Intervals are seconds a frame; a range's shortest is its minimum.
        const v4l2_fract& f = fi.type == V4L2_FRMIVAL_TYPE_DISCRETE ? fi.discrete : fi.stepwise.min;
        if (f.numerator > 0)
            best = std::max(best, static_cast<double>(f.denominator) / f.numerator);
        if (fi.type != V4L2_FRMIVAL_TYPE_DISCRETE)
            break; // ranges come at index 0 only
    }
    return best;
}

int Device::GetFormat(CurrentFormat& out)
{
    v4l2_format f {};
    f.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (int r = io_->Ioctl(VIDIOC_G_FMT, &f))
        return r;
    out = { f.fmt.pix.pixelformat, f.fmt.pix.width, f.fmt.pix.height, f.fmt.pix.bytesperline, f.fmt.pix.sizeimage };
    return 0;
}

int Device::SetFormat(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height, CurrentFormat& out)
{
    v4l2_format f {};
    f.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    f.fmt.pix.pixelformat = fourcc;
    f.fmt.pix.width = width;
    f.fmt.pix.height = height;
    f.fmt.pix.field = V4L2_FIELD_NONE;
    if (int r = io_->Ioctl(VIDIOC_S_FMT, &f))
        return r;
    out = { f.fmt.pix.pixelformat, f.fmt.pix.width, f.fmt.pix.height, f.fmt.pix.bytesperline, f.fmt.pix.sizeimage };
    return 0;
}

int Device::QueryControl(std::uint32_t id, ControlRange& out)
{
    v4l2_queryctrl q {};
    q.id = id;
    if (int r = io_->Ioctl(VIDIOC_QUERYCTRL, &q))
        return r;
    if (q.flags & V4L2_CTRL_FLAG_DISABLED)
        return -EINVAL;
    out = { q.minimum, q.maximum, q.step, q.default_value };
    return 0;
}

int Device::GetControl(std::uint32_t id, std::int32_t& value)
{
    v4l2_control c {};
    c.id = id;
    if (int r = io_->Ioctl(VIDIOC_G_CTRL, &c))
        return r;
    value = c.value;
    return 0;
}

int Device::SetControl(std::uint32_t id, std::int32_t value)
{
    v4l2_control c {};
    c.id = id;
    c.value = value;
    return io_->Ioctl(VIDIOC_S_CTRL, &c);
}

int Device::StartStreaming(std::uint32_t bufferCount)
{
    StopStreaming();
    v4l2_requestbuffers req {};
    req.count = bufferCount;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    if (int r = io_->Ioctl(VIDIOC_REQBUFS, &req))
        return r;
    if (req.count == 0)
        return -ENOMEM;
    for (std::uint32_t i = 0; i < req.count; ++i) {
        v4l2_buffer b {};
        b.index = i;
        b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        b.memory = V4L2_MEMORY_MMAP;
        int r = io_->Ioctl(VIDIOC_QUERYBUF, &b);
        void* address = r == 0 ? io_->Map(b.length, b.m.offset) : nullptr;
        if (!address) {
            ReleaseBuffers();
            return r ? r : -ENOMEM;
        }
        buffers_.push_back({ address, b.length });
        if ((r = io_->Ioctl(VIDIOC_QBUF, &b)) != 0) {
            ReleaseBuffers();
            return r;
        }
    }
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (int r = io_->Ioctl(VIDIOC_STREAMON, &type)) {
        ReleaseBuffers();
        return r;
    }
    streaming_ = true;
    return 0;
}

WaitResult Device::NextFrame(int timeoutMs, Frame& out)
{
    short events = io_->Poll(timeoutMs);
    if (events & (POLLERR | POLLHUP | POLLNVAL))
        return WaitResult::Gone;
    if (!(events & POLLIN))
        return WaitResult::Timeout;
    v4l2_buffer b {};
    b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    b.memory = V4L2_MEMORY_MMAP;
    int r = io_->Ioctl(VIDIOC_DQBUF, &b);
    if (r == -EAGAIN)
        return WaitResult::Timeout;
    if (r == -EIO)
        return WaitResult::IoError;
    if (r != 0 || b.index >= buffers_.size())
        return WaitResult::Gone;
    out.index = b.index;
    out.data = static_cast<const std::uint8_t*>(buffers_[b.index].address);
    out.bytes = b.bytesused;
    // A buffer the driver marked bad carries no picture; it goes back.
    if (b.flags & V4L2_BUF_FLAG_ERROR) {
        if (Requeue(out) != 0)
            return WaitResult::Gone;
        return WaitResult::Dropped;
    }
    return WaitResult::Frame;
}

int Device::Requeue(const Frame& frame)
{
    v4l2_buffer b {};
    b.index = frame.index;
    b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    b.memory = V4L2_MEMORY_MMAP;
    return io_->Ioctl(VIDIOC_QBUF, &b);
}

void Device::StopStreaming()
{
    if (streaming_) {
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        io_->Ioctl(VIDIOC_STREAMOFF, &type); // fails harmlessly on a device that went away
        streaming_ = false;
    }
    ReleaseBuffers();
}

void Device::ReleaseBuffers()
{
    if (buffers_.empty())
        return;
    for (const Mapping& m : buffers_)
        io_->Unmap(m.address, m.length);
    buffers_.clear();
    v4l2_requestbuffers req {};
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    io_->Ioctl(VIDIOC_REQBUFS, &req);
}

} // namespace v4l2
