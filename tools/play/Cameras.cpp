#include "tools/play/Cameras.h"

#include "app/program/DemoCamera.h"
#include "platform/gdi/BmpFile.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <linux/videodev2.h>
#include <mutex>

namespace play {

namespace {

// A picture that is the same at every frame: made once for each format the
// camera is asked for, then copied. A YUYV one fills the frame the format
// describes; an MJPG one makes a frame of its own length.
class FixedPicture {
public:
    using Fill = std::function<void(const v4l2::CurrentFormat&, std::uint8_t*)>;
    using Make = std::function<std::vector<std::uint8_t>(const v4l2::CurrentFormat&)>;
    explicit FixedPicture(Fill fill)
        : FixedPicture([fill = std::move(fill)](const v4l2::CurrentFormat& f) {
            std::vector<std::uint8_t> frame(f.sizeImage, 0);
            fill(f, frame.data());
            return frame;
        })
    {
    }
    explicit FixedPicture(Make make)
        : state_(std::make_shared<State>())
    {
        state_->make = std::move(make);
    }

    void operator()(const v4l2::CurrentFormat& f, std::uint64_t, std::uint8_t* out) const
    {
        const std::vector<std::uint8_t>& frame = FrameFor(f);
        std::memcpy(out, frame.data(), std::min<std::size_t>(frame.size(), f.sizeImage));
    }
    std::size_t operator()(const v4l2::CurrentFormat& f, std::uint64_t, std::uint8_t* out, std::size_t capacity) const
    {
        const std::vector<std::uint8_t>& frame = FrameFor(f);
        const std::size_t n = std::min(frame.size(), capacity);
        if (n > 0)
            std::memcpy(out, frame.data(), n);
        return n;
    }

private:
    // Called on the camera's streaming thread, one at a time (under the
    // device's lock); the lock here keeps the frame whole all the same.
    const std::vector<std::uint8_t>& FrameFor(const v4l2::CurrentFormat& f) const
    {
        std::lock_guard guard(state_->lock);
        if (f.width != state_->format.width || f.height != state_->format.height
            || f.sizeImage != state_->format.sizeImage || f.bytesPerLine != state_->format.bytesPerLine) {
            state_->format = f;
            state_->frame = state_->make(f);
        }
        return state_->frame;
    }

private:
    struct State {
        std::mutex lock;
        Make make;
        v4l2::CurrentFormat format;
        std::vector<std::uint8_t> frame;
    };
    std::shared_ptr<State> state_;
};

// A picture's YUYV frame, its width cut to an even number of pixels.
std::vector<std::uint8_t> YuyvOf(const gdi::Surface& picture, int width, int height)
{
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(width) * height * 2);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = frame.data() + static_cast<std::size_t>(y) * width * 2;
        for (int x = 0; x + 1 < width; x += 2) {
            auto yuv = [&](int px) {
                const std::uint32_t p = picture.At(px, y);
                return demo::FromRgb(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                    static_cast<int>(p & 0xFF));
            };
            const demo::Yuv a = yuv(x), b = yuv(x + 1);
            row[x * 2] = a.y;
            row[x * 2 + 1] = static_cast<std::uint8_t>((a.u + b.u) / 2);
            row[x * 2 + 2] = b.y;
            row[x * 2 + 3] = static_cast<std::uint8_t>((a.v + b.v) / 2);
        }
    }
    return frame;
}

} // namespace

bool Cameras::Prepare(const Script& script, const std::filesystem::path& scriptDir, ScriptError& error)
{
    std::vector<Camera> wantedCameras = script.cameras;
    if (wantedCameras.empty() && !script.noCamera)
        wantedCameras.push_back(DefaultCamera());
    for (const Camera& wanted : wantedCameras) {
        Slot slot;
        slot.wanted = wanted;
        slot.node = "/dev/video" + std::to_string(slots_.size());
        if (!wanted.stillFile.empty()) {
            const std::filesystem::path file = scriptDir / wanted.stillFile;
            std::unique_ptr<gdi::Surface> picture = gdi::ReadBmpFile(file.string());
            if (!picture || picture->Width() < 16 || picture->Height() < 16) {
                error.line = wanted.line;
                error.message = "camera-still: " + file.string()
                    + (picture ? " is smaller than 16x16" : " can't be read as a BMP picture");
                return false;
            }
            slot.stillWidth = picture->Width() & ~1;
            slot.stillHeight = picture->Height();
            slot.still = std::make_shared<const std::vector<std::uint8_t>>(
                YuyvOf(*picture, slot.stillWidth, slot.stillHeight));
        }
        slot.device = Make(slot);
        system_.Add(slot.node, slot.device);
        slots_.push_back(std::move(slot));
    }
    return true;
}

std::shared_ptr<v4l2::EmulatedDevice> Cameras::Make(const Slot& slot) const
{
    const Camera& wanted = slot.wanted;
    std::vector<v4l2::EmulatedControl> controls;
    if (wanted.controls)
        controls = demo::PictureControls();
    std::shared_ptr<v4l2::EmulatedDevice> device;
    if (slot.still) {
        device = v4l2::EmulatedDevice::Camera(wanted.name,
            { { static_cast<std::uint32_t>(slot.stillWidth), static_cast<std::uint32_t>(slot.stillHeight) } },
            controls);
        auto still = slot.still;
        device->SetPicture(FixedPicture([still](const v4l2::CurrentFormat& f, std::uint8_t* out) {
            // The camera has the picture's size only; the rows are packed.
            if (f.sizeImage >= still->size())
                std::memcpy(out, still->data(), still->size());
        }));
    } else {
        std::vector<v4l2::FrameSize> sizes;
        for (const CameraSize& s : wanted.sizes)
            sizes.push_back({ static_cast<std::uint32_t>(s.width), static_cast<std::uint32_t>(s.height) });
        if (wanted.mjpg) {
            // MJPG only, as many cameras send at their large sizes.
            v4l2::EmulatedFormat mjpg;
            mjpg.fourcc = V4L2_PIX_FMT_MJPEG;
            mjpg.sizes = sizes;
            device = std::make_shared<v4l2::EmulatedDevice>(wanted.name, V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
                std::vector<v4l2::EmulatedFormat> { mjpg }, controls);
            device->SetSizedPicture(FixedPicture(FixedPicture::Make(
                [](const v4l2::CurrentFormat& f) { return demo::PageJpeg(f.width, f.height, 0, false, 90); })));
        } else {
            device = v4l2::EmulatedDevice::Camera(wanted.name, sizes, controls);
            device->SetPicture(FixedPicture(
                [](const v4l2::CurrentFormat& f, std::uint8_t* out) { demo::DrawPage(f, 0, out, false); }));
        }
    }
    device->SetFramePeriod(std::chrono::microseconds(1000000 / wanted.fps));
    device->SetClock([clock = clock_] { return std::chrono::microseconds(clock->load()); });
    return device;
}

Cameras::Slot* Cameras::Find(const std::string& name)
{
    for (Slot& s : slots_)
        if (s.wanted.name == name)
            return &s;
    return nullptr;
}

void Cameras::Unplug(const std::string& name)
{
    if (Slot* s = Find(name))
        s->device->Unplug();
}

void Cameras::Stall(const std::string& name, int ms)
{
    if (Slot* s = Find(name))
        s->device->Stall(std::chrono::milliseconds(ms));
}

void Cameras::Plug(const std::string& name)
{
    // A camera plugged in again is a new device at its old node.
    if (Slot* s = Find(name)) {
        s->device = Make(*s);
        system_.Add(s->node, s->device);
    }
}

bool Cameras::AnyOpen() const
{
    for (const Slot& s : slots_)
        if (!s.device->Unplugged() && s.device->OpenHandles() > 0)
            return true;
    return false;
}

} // namespace play

namespace play {

void Cameras::SetTime(DWORD ms)
{
    clock_->store(static_cast<std::int64_t>(ms) * 1000);
    for (const Slot& s : slots_)
        s.device->ClockMoved();
}

bool Cameras::AnyFrameDue() const
{
    for (const Slot& s : slots_)
        if (s.device->FrameDue())
            return true;
    return false;
}

std::uint64_t Cameras::FramesProduced() const
{
    std::uint64_t n = 0;
    for (const Slot& s : slots_)
        n += s.device->FramesProduced();
    return n;
}

} // namespace play
