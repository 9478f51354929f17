// The emulated camera's answers to V4L2 requests.

#include "platform/v4l2/EmulatedDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/videodev2.h>
#include <poll.h>

namespace v4l2 {

namespace {

constexpr std::uint32_t kOffsetStep = 0x100000; // buffer n is mapped at n × this
constexpr std::uint32_t kMaxBuffers = 8;

void FillFormat(v4l2_pix_format& pix, const CurrentFormat& f)
{
    pix.pixelformat = f.fourcc;
    pix.width = f.width;
    pix.height = f.height;
    pix.bytesperline = f.bytesPerLine;
    pix.sizeimage = f.sizeImage;
    pix.field = V4L2_FIELD_NONE;
}

CurrentFormat Describe(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height, std::uint32_t padding = 0)
{
    // Packed 4:2:2 has two bytes a pixel; compressed formats get that much
    // room too, as their frames are never larger.
    bool packed = fourcc == V4L2_PIX_FMT_YUYV;
    if (!packed)
        return { fourcc, width, height, 0, width * height * 2 };
    return { fourcc, width, height, width * 2 + padding, (width * 2 + padding) * height };
}

// Spreads packed rows written at the start of a buffer out to their padded
// places, last row first so that nothing is overwritten before it moved.
void PadRows(std::uint8_t* data, const CurrentFormat& f)
{
    const std::size_t packed = static_cast<std::size_t>(f.width) * 2;
    for (std::uint32_t y = f.height; y-- > 1;) {
        std::memmove(data + y * static_cast<std::size_t>(f.bytesPerLine), data + y * packed, packed);
        std::memset(data + y * static_cast<std::size_t>(f.bytesPerLine) + packed, 0xEE, f.bytesPerLine - packed);
    }
    std::memset(data + packed, 0xEE, f.bytesPerLine - packed);
}

// The default picture: a grey ramp that moves one step a frame.
void DefaultPicture(const CurrentFormat& f, std::uint64_t n, std::uint8_t* out)
{
    for (std::uint32_t y = 0; y < f.height; ++y) {
        std::uint8_t* row = out + static_cast<std::size_t>(y) * f.width * 2;
        for (std::uint32_t x = 0; x < f.width; ++x) {
            row[x * 2] = static_cast<std::uint8_t>(16 + (x + y + n) % 220);
            row[x * 2 + 1] = 128;
        }
    }
}

} // namespace

class EmulatedIo final : public DeviceIo {
public:
    EmulatedIo(std::shared_ptr<EmulatedDevice> device, int handle)
        : device_(std::move(device))
        , handle_(handle)
    {
    }
    ~EmulatedIo() override { device_->Close(handle_); }
    int Ioctl(unsigned long request, void* arg) override { return device_->Ioctl(handle_, request, arg); }
    void* Map(std::size_t length, std::uint32_t offset) override { return device_->Map(length, offset); }
    void Unmap(void* address, std::size_t) override { device_->Unmap(address); }
    short Poll(int timeoutMs) override { return device_->Poll(handle_, timeoutMs); }
    void Wake() override { device_->Wake(handle_); }

private:
    std::shared_ptr<EmulatedDevice> device_;
    int handle_;
};

EmulatedDevice::EmulatedDevice(std::string card, std::uint32_t deviceCaps, std::vector<EmulatedFormat> formats,
    std::vector<EmulatedControl> controls)
    : card_(std::move(card))
    , deviceCaps_(deviceCaps)
    , formats_(std::move(formats))
    , controls_(std::move(controls))
    , picture_(DefaultPicture)
{
    // The first size of the first format is in force at first.
    if (!formats_.empty()) {
        const EmulatedFormat& f = formats_.front();
        if (!f.sizes.empty())
            current_ = Describe(f.fourcc, f.sizes.front().width, f.sizes.front().height);
        else
            current_ = Describe(f.fourcc, f.maxWidth, f.maxHeight);
    }
}

std::shared_ptr<EmulatedDevice> EmulatedDevice::Camera(std::string card, std::vector<FrameSize> yuyvSizes,
    std::vector<EmulatedControl> controls)
{
    EmulatedFormat yuyv;
    yuyv.fourcc = V4L2_PIX_FMT_YUYV;
    yuyv.sizes = std::move(yuyvSizes);
    return std::make_shared<EmulatedDevice>(std::move(card), V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
        std::vector<EmulatedFormat> { yuyv }, std::move(controls));
}

void EmulatedDevice::SetPicture(Picture picture)
{
    std::lock_guard guard(lock_);
    picture_ = std::move(picture);
}

void EmulatedDevice::SetFramePeriod(std::chrono::microseconds period)
{
    std::lock_guard guard(lock_);
    period_ = period;
}

void EmulatedDevice::SetClock(std::function<std::chrono::microseconds()> clock)
{
    std::lock_guard guard(lock_);
    clock_ = std::move(clock);
}

void EmulatedDevice::ClockMoved()
{
    std::lock_guard guard(lock_);
    changed_.notify_all();
}

void EmulatedDevice::Stall(std::chrono::microseconds pause)
{
    std::lock_guard guard(lock_);
    if (clock_)
        nextTick_ = std::max(nextTick_, clock_() + pause);
    else
        nextFrame_ = std::max(nextFrame_, std::chrono::steady_clock::now() + pause);
    changed_.notify_all();
}

bool EmulatedDevice::FrameDue() const
{
    std::lock_guard guard(lock_);
    return clock_ && streaming_ && !unplugged_ && clock_() >= nextTick_;
}

void EmulatedDevice::SetSizedPicture(SizedPicture picture)
{
    std::lock_guard guard(lock_);
    sizedPicture_ = std::move(picture);
}

void EmulatedDevice::SetFaults(const EmulatedFaults& faults)
{
    std::lock_guard guard(lock_);
    faults_ = faults;
    // A camera mended of its EIO owes none still pending.
    if (faults_.eioTimes == 0)
        pendingEio_ = 0;
    if (buffers_.empty())
        current_ = Describe(current_.fourcc, current_.width, current_.height, faults_.rowPadding);
}

void EmulatedDevice::Replug()
{
    std::lock_guard guard(lock_);
    unplugged_ = false;
    firstLiveHandle_ = nextHandle_;
    owner_ = 0;
    streaming_ = false;
    queued_.clear();
    done_.clear();
    ReleaseBuffersLocked();
    faults_.vanishAfter = 0;
}

void EmulatedDevice::Unplug()
{
    std::lock_guard guard(lock_);
    UnplugLocked();
}

void EmulatedDevice::UnplugLocked()
{
    unplugged_ = true;
    // Buffers waiting for a picture come back marked bad.
    for (std::uint32_t i : queued_) {
        buffers_[i].error = true;
        buffers_[i].bytesUsed = 0;
        done_.push_back(i);
    }
    queued_.clear();
    changed_.notify_all();
}

bool EmulatedDevice::Unplugged() const
{
    std::lock_guard guard(lock_);
    return unplugged_;
}

std::uint64_t EmulatedDevice::FramesProduced() const
{
    std::lock_guard guard(lock_);
    return produced_;
}

int EmulatedDevice::OpenHandles() const
{
    std::lock_guard guard(lock_);
    return openHandles_;
}

std::uint64_t EmulatedDevice::StreamStarts() const
{
    std::lock_guard guard(lock_);
    return streamStarts_;
}

CurrentFormat EmulatedDevice::Current() const
{
    std::lock_guard guard(lock_);
    return current_;
}

std::int32_t EmulatedDevice::ControlValue(std::uint32_t id) const
{
    std::lock_guard guard(lock_);
    for (const EmulatedControl& c : controls_) {
        if (c.id == id)
            return c.value;
    }
    return 0;
}

const EmulatedFormat* EmulatedDevice::FindFormat(std::uint32_t fourcc) const
{
    for (const EmulatedFormat& f : formats_) {
        if (f.fourcc == fourcc)
            return &f;
    }
    return nullptr;
}

EmulatedControl* EmulatedDevice::FindControl(std::uint32_t id)
{
    for (EmulatedControl& c : controls_) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

int EmulatedDevice::Ioctl(int handle, unsigned long request, void* arg)
{
    std::lock_guard guard(lock_);
    if (DeadLocked(handle) && (request != VIDIOC_DQBUF || handle < firstLiveHandle_))
        return -ENODEV;
    if (faults_.busy && (request == VIDIOC_S_FMT || request == VIDIOC_REQBUFS || request == VIDIOC_STREAMON))
        return -EBUSY;
    const bool captures = (deviceCaps_ & V4L2_CAP_VIDEO_CAPTURE) != 0;
    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto* cap = static_cast<v4l2_capability*>(arg);
        std::memset(cap, 0, sizeof *cap);
        std::strncpy(reinterpret_cast<char*>(cap->driver), "emulated", sizeof cap->driver - 1);
        std::strncpy(reinterpret_cast<char*>(cap->card), card_.c_str(), sizeof cap->card - 1);
        cap->capabilities = deviceCaps_ | V4L2_CAP_DEVICE_CAPS;
        cap->device_caps = deviceCaps_;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto* desc = static_cast<v4l2_fmtdesc*>(arg);
        if (!captures || desc->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || desc->index >= formats_.size())
            return -EINVAL;
        desc->pixelformat = formats_[desc->index].fourcc;
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        auto* fs = static_cast<v4l2_frmsizeenum*>(arg);
        const EmulatedFormat* f = FindFormat(fs->pixel_format);
        if (!f)
            return -EINVAL;
        if (f->maxWidth != 0) {
            if (fs->index != 0)
                return -EINVAL;
            fs->type = f->continuous ? V4L2_FRMSIZE_TYPE_CONTINUOUS : V4L2_FRMSIZE_TYPE_STEPWISE;
            fs->stepwise = { f->minWidth, f->maxWidth, f->stepWidth, f->minHeight, f->maxHeight, f->stepHeight };
            return 0;
        }
        if (fs->index >= f->sizes.size())
            return -EINVAL;
        fs->type = V4L2_FRMSIZE_TYPE_DISCRETE;
        fs->discrete = { f->sizes[fs->index].width, f->sizes[fs->index].height };
        return 0;
    }
    case VIDIOC_ENUM_FRAMEINTERVALS: {
        auto* fi = static_cast<v4l2_frmivalenum*>(arg);
        const EmulatedFormat* f = FindFormat(fi->pixel_format);
        if (!f || fi->index != 0)
            return -EINVAL;
        std::uint32_t rate = 30;
        if (f->maxWidth == 0) {
            auto it = std::find(f->sizes.begin(), f->sizes.end(), FrameSize { fi->width, fi->height });
            if (it == f->sizes.end())
                return -EINVAL;
            auto at = static_cast<std::size_t>(it - f->sizes.begin());
            if (at < f->rates.size())
                rate = f->rates[at];
        }
        fi->type = V4L2_FRMIVAL_TYPE_DISCRETE;
        fi->discrete = { 1, rate };
        return 0;
    }
    case VIDIOC_G_FMT: {
        auto* f = static_cast<v4l2_format*>(arg);
        if (!captures || f->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return -EINVAL;
        FillFormat(f->fmt.pix, current_);
        return 0;
    }
    case VIDIOC_S_FMT:
        if (!captures || static_cast<v4l2_format*>(arg)->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return -EINVAL;
        return SetFormatLocked(arg);
    case VIDIOC_QUERYCTRL: {
        auto* q = static_cast<v4l2_queryctrl*>(arg);
        EmulatedControl* c = FindControl(q->id);
        if (!c)
            return -EINVAL;
        q->type = V4L2_CTRL_TYPE_INTEGER;
        q->minimum = c->minimum;
        q->maximum = c->maximum;
        q->step = c->step;
        q->default_value = c->defaultValue;
        q->flags = 0;
        return 0;
    }
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL: {
        auto* ctl = static_cast<v4l2_control*>(arg);
        EmulatedControl* c = FindControl(ctl->id);
        if (!c)
            return -EINVAL;
        if (request == VIDIOC_S_CTRL) {
            // Clamped to the range and rounded to the nearest step.
            std::int64_t v = std::clamp<std::int64_t>(ctl->value, c->minimum, c->maximum);
            std::int64_t step = c->step > 0 ? c->step : 1;
            v = c->minimum + (v - c->minimum + step / 2) / step * step;
            c->value = static_cast<std::int32_t>(std::min<std::int64_t>(v, c->maximum));
        }
        ctl->value = c->value;
        return 0;
    }
    default:
        return BufferRequest(handle, request, arg);
    }
}

int EmulatedDevice::SetFormatLocked(void* arg)
{
    auto* f = static_cast<v4l2_format*>(arg);
    if (!buffers_.empty())
        return -EBUSY;
    const EmulatedFormat* format = FindFormat(f->fmt.pix.pixelformat);
    if (!format)
        format = &formats_.front();
    std::uint32_t w = f->fmt.pix.width, h = f->fmt.pix.height;
    if (format->maxWidth != 0) {
        auto fit = [](std::uint32_t v, std::uint32_t lo, std::uint32_t hi, std::uint32_t step) {
            v = std::clamp(v, lo, hi);
            return step > 1 ? lo + (v - lo) / step * step : v;
        };
        w = fit(w, format->minWidth, format->maxWidth, format->continuous ? 1 : format->stepWidth);
        h = fit(h, format->minHeight, format->maxHeight, format->continuous ? 1 : format->stepHeight);
    } else {
        // The nearest discrete size, as drivers choose.
        auto distance = [&](const FrameSize& s) {
            return std::abs(static_cast<long>(s.width) - static_cast<long>(w))
                + std::abs(static_cast<long>(s.height) - static_cast<long>(h));
        };
        const FrameSize& best = *std::min_element(format->sizes.begin(), format->sizes.end(),
            [&](const FrameSize& a, const FrameSize& b) { return distance(a) < distance(b); });
        w = best.width;
        h = best.height;
    }
    current_ = Describe(format->fourcc, w, h, faults_.rowPadding);
    FillFormat(f->fmt.pix, current_);
    return 0;
}

int EmulatedDevice::BufferRequest(int handle, unsigned long request, void* arg)
{
    if (owner_ != 0 && owner_ != handle
        && (request == VIDIOC_REQBUFS || request == VIDIOC_QBUF || request == VIDIOC_DQBUF || request == VIDIOC_STREAMON
            || request == VIDIOC_STREAMOFF || request == VIDIOC_QUERYBUF))
        return -EBUSY;
    switch (request) {
    case VIDIOC_REQBUFS: {
        auto* req = static_cast<v4l2_requestbuffers*>(arg);
        if (req->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || req->memory != V4L2_MEMORY_MMAP)
            return -EINVAL;
        if (streaming_ && req->count != 0)
            return -EBUSY;
        streaming_ = false;
        queued_.clear();
        done_.clear();
        ReleaseBuffersLocked();
        owner_ = 0;
        if (req->count == 0)
            return 0;
        req->count = std::clamp<std::uint32_t>(req->count, 2, kMaxBuffers);
        buffers_.resize(req->count);
        for (Buffer& b : buffers_)
            b.data.assign(current_.sizeImage, 0);
        owner_ = handle;
        return 0;
    }
    case VIDIOC_QUERYBUF:
    case VIDIOC_QBUF:
    case VIDIOC_DQBUF: {
        auto* b = static_cast<v4l2_buffer*>(arg);
        if (b->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || b->memory != V4L2_MEMORY_MMAP)
            return -EINVAL;
        if (request == VIDIOC_DQBUF) {
            if (done_.empty())
                return unplugged_ ? -ENODEV : -EAGAIN;
            if (pendingEio_ > 0) {
                --pendingEio_;
                return -EIO;
            }
            std::uint32_t i = done_.front();
            done_.pop_front();
            b->index = i;
            b->bytesused = buffers_[i].bytesUsed;
            b->flags = buffers_[i].error ? V4L2_BUF_FLAG_ERROR : 0;
            b->length = static_cast<std::uint32_t>(buffers_[i].data.size());
            return 0;
        }
        if (b->index >= buffers_.size())
            return -EINVAL;
        if (request == VIDIOC_QUERYBUF) {
            b->length = static_cast<std::uint32_t>(buffers_[b->index].data.size());
            b->m.offset = b->index * kOffsetStep;
            return 0;
        }
        if (std::find(queued_.begin(), queued_.end(), b->index) != queued_.end())
            return -EINVAL;
        buffers_[b->index].error = false;
        queued_.push_back(b->index);
        changed_.notify_all();
        return 0;
    }
    case VIDIOC_STREAMON:
        if (buffers_.empty())
            return -EINVAL;
        streaming_ = true;
        ++streamStarts_;
        nextFrame_ = std::chrono::steady_clock::now() + period_;
        if (clock_)
            nextTick_ = clock_();
        changed_.notify_all();
        return 0;
    case VIDIOC_STREAMOFF:
        // Every buffer returns to the application.
        streaming_ = false;
        queued_.clear();
        done_.clear();
        return 0;
    default:
        return -ENOTTY;
    }
}

void* EmulatedDevice::Map(std::size_t length, std::uint32_t offset)
{
    std::lock_guard guard(lock_);
    std::uint32_t i = offset / kOffsetStep;
    if (unplugged_ || offset % kOffsetStep != 0 || i >= buffers_.size() || length > buffers_[i].data.size())
        return nullptr;
    mapped_.insert(buffers_[i].data.data());
    return buffers_[i].data.data();
}

void EmulatedDevice::Unmap(const void* address)
{
    std::lock_guard guard(lock_);
    auto at = mapped_.find(address);
    if (at == mapped_.end())
        return;
    mapped_.erase(at);
    if (mapped_.count(address) == 0)
        std::erase_if(orphans_, [&](const std::vector<std::uint8_t>& d) { return d.data() == address; });
}

void EmulatedDevice::ReleaseBuffersLocked()
{
    for (Buffer& b : buffers_) {
        if (mapped_.count(b.data.data()) != 0)
            orphans_.push_back(std::move(b.data)); // a moved vector keeps its memory
    }
    buffers_.clear();
}

std::chrono::microseconds EmulatedDevice::ProduceLocked()
{
    std::uint32_t i = queued_.front();
    queued_.pop_front();
    Buffer& b = buffers_[i];
    const std::uint64_t n = produced_;
    if (sizedPicture_) {
        b.bytesUsed = static_cast<std::uint32_t>(sizedPicture_(current_, n, b.data.data(), b.data.size()));
    } else {
        if (picture_)
            picture_(current_, n, b.data.data());
        if (current_.fourcc == V4L2_PIX_FMT_YUYV && current_.bytesPerLine > current_.width * 2)
            PadRows(b.data.data(), current_);
        b.bytesUsed = current_.sizeImage;
    }
    // Damaged buffers hold junk, so that showing one would be seen.
    const bool flagged = faults_.errorEvery && (n + 1) % faults_.errorEvery == 0;
    const bool cut = faults_.shortEvery && (n + 1) % faults_.shortEvery == 0;
    if (flagged || cut)
        std::memset(b.data.data(), 0, b.data.size());
    b.error = flagged;
    if (cut)
        b.bytesUsed /= 2;
    ++produced_;
    done_.push_back(i);
    if (faults_.eioTimes && n == faults_.eioAt)
        pendingEio_ = faults_.eioTimes;
    if (faults_.vanishAfter && produced_ >= faults_.vanishAfter)
        UnplugLocked();
    if (faults_.stallFor.count() > 0 && n == faults_.stallAfter)
        return faults_.stallFor;
    return std::chrono::microseconds(0);
}

short EmulatedDevice::Poll(int handle, int timeoutMs)
{
    std::unique_lock guard(lock_);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (DeadLocked(handle))
            return POLLERR | POLLHUP;
        if (woken_[handle]) {
            woken_[handle] = false;
            return 0;
        }
        if (handle == owner_ && !done_.empty())
            return POLLIN;
        auto now = std::chrono::steady_clock::now();
        bool canProduce = handle == owner_ && streaming_ && !queued_.empty();
        const bool due = clock_ ? clock_() >= nextTick_ : now >= nextFrame_;
        if (canProduce && due) {
            std::chrono::microseconds extra = ProduceLocked();
            nextFrame_ = now + period_ + extra;
            if (clock_) {
                const auto tick = clock_();
                while (nextTick_ <= tick)
                    nextTick_ += period_;
                nextTick_ += extra; // a stall lasts on the device's clock too
            }
            return POLLIN;
        }
        if (now >= deadline)
            return 0;
        // With a clock of its own the device is woken when it moves.
        changed_.wait_until(guard, canProduce && !clock_ ? std::min(deadline, nextFrame_) : deadline);
    }
}

void EmulatedDevice::Wake(int handle)
{
    std::lock_guard guard(lock_);
    woken_[handle] = true;
    changed_.notify_all();
}

void EmulatedDevice::Close(int handle)
{
    std::lock_guard guard(lock_);
    --openHandles_;
    woken_.erase(handle);
    // Closing the handle that held the buffers frees them.
    if (owner_ == handle) {
        owner_ = 0;
        streaming_ = false;
        queued_.clear();
        done_.clear();
        ReleaseBuffersLocked();
    }
}

void EmulatedDeviceSystem::Add(std::string path, std::shared_ptr<EmulatedDevice> device)
{
    std::lock_guard guard(lock_);
    // A device added at a node that exists takes its place, as a camera
    // plugged in again comes back at its node: the list keeps its order.
    for (auto& d : devices_) {
        if (d.first == path) {
            d.second = std::move(device);
            return;
        }
    }
    devices_.emplace_back(std::move(path), std::move(device));
}

std::vector<std::string> EmulatedDeviceSystem::Nodes()
{
    std::lock_guard guard(lock_);
    std::vector<std::string> nodes;
    // An unplugged camera's node is gone.
    for (auto& d : devices_) {
        if (!d.second->Unplugged())
            nodes.push_back(d.first);
    }
    return nodes;
}

std::shared_ptr<EmulatedDevice> EmulatedDeviceSystem::Find(const std::string& path)
{
    std::lock_guard guard(lock_);
    for (auto& d : devices_) {
        if (d.first == path)
            return d.second;
    }
    return nullptr;
}

std::unique_ptr<DeviceIo> EmulatedDeviceSystem::Open(const std::string& path, int& error)
{
    error = 0;
    std::shared_ptr<EmulatedDevice> device = Find(path);
    if (!device) {
        error = -ENOENT;
        return nullptr;
    }
    std::lock_guard guard(device->lock_);
    if (device->unplugged_) {
        error = -ENOENT; // an unplugged camera's node is gone
        return nullptr;
    }
    if (device->faults_.openError != 0) {
        error = -device->faults_.openError;
        return nullptr;
    }
    ++device->openHandles_;
    return std::make_unique<EmulatedIo>(device, device->nextHandle_++);
}

std::string EmulatedDeviceSystem::Name(const std::string& path)
{
    std::shared_ptr<EmulatedDevice> device = Find(path);
    return device ? device->card_ : std::string();
}

} // namespace v4l2
