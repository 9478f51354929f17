#include "app/program/DemoCamera.h"

#include "platform/v4l2/EmulatedJpeg.h"

#include <cstring>
#include <libyuv.h>

#include <linux/videodev2.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace demo {

Yuv FromRgb(int r, int g, int b)
{
    const int y = ((66 * r + 129 * g + 25 * b + 128) >> 8) + 16;
    const int u = ((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128;
    const int v = ((112 * r - 94 * g - 18 * b + 128) >> 8) + 128;
    auto clamp = [](int c) { return static_cast<std::uint8_t>(std::clamp(c, 0, 255)); };
    return Yuv { clamp(y), clamp(u), clamp(v) };
}

namespace {

// The colour of one pixel of the page at frame n, in a picture of
// width x height; without the mark, the same at every frame.
Yuv PagePixel(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height, std::uint64_t n,
    bool movingMark)
{
    static const Yuv desk = FromRgb(96, 84, 70);
    static const Yuv paper = FromRgb(246, 244, 236);
    static const Yuv rule = FromRgb(170, 196, 226);
    static const Yuv ink = FromRgb(40, 48, 80);
    static const Yuv mark = FromRgb(220, 60, 40);

    // The page: a margin of desk around it.
    const std::uint32_t mx = width / 10, my = height / 12;
    if (x < mx || x >= width - mx || y < my || y >= height - my)
        return desk;
    // The moving mark: a square that crosses the page once every four
    // seconds at 30 frames a second.
    const std::uint32_t side = std::max<std::uint32_t>(8, height / 12);
    const std::uint32_t travel = width - 2 * mx - side;
    const std::uint32_t markX = mx + static_cast<std::uint32_t>((n * travel / 120) % travel);
    const std::uint32_t markY = height - my - 2 * side;
    if (movingMark && x >= markX && x < markX + side && y >= markY && y < markY + side)
        return mark;
    // Ruled lines, and "writing" on the first few: short dark strokes.
    const std::uint32_t pitch = std::max<std::uint32_t>(6, height / 16);
    const std::uint32_t row = (y - my) / pitch, inRow = (y - my) % pitch;
    if (inRow == pitch - 1)
        return rule;
    if (row >= 1 && row <= 5 && inRow >= pitch / 3 && inRow < pitch - 2) {
        const std::uint32_t word = (x - mx) / (pitch * 2);
        const std::uint32_t inWord = (x - mx) % (pitch * 2);
        const std::uint32_t lineEnd = (width - 2 * mx) * (6 + row) / 12;
        if (x - mx < lineEnd && inWord < pitch * 3 / 2 && (word * 7 + row * 3) % 5 != 0)
            return ink;
    }
    return paper;
}

} // namespace

void DrawPage(const v4l2::CurrentFormat& f, std::uint64_t n, std::uint8_t* out, bool movingMark)
{
    for (std::uint32_t y = 0; y < f.height; ++y) {
        std::uint8_t* row = out + static_cast<std::size_t>(y) * f.bytesPerLine;
        for (std::uint32_t x = 0; x + 1 < f.width; x += 2) {
            const Yuv a = PagePixel(x, y, f.width, f.height, n, movingMark);
            const Yuv b = PagePixel(x + 1, y, f.width, f.height, n, movingMark);
            row[x * 2] = a.y;
            row[x * 2 + 1] = static_cast<std::uint8_t>((a.u + b.u) / 2);
            row[x * 2 + 2] = b.y;
            row[x * 2 + 3] = static_cast<std::uint8_t>((a.v + b.v) / 2);
        }
    }
}

std::vector<v4l2::EmulatedControl> PictureControls()
{
    return {
        { V4L2_CID_BRIGHTNESS, -64, 64, 1, 0, 0 },
        { V4L2_CID_CONTRAST, 0, 95, 1, 32, 32 },
        { V4L2_CID_SATURATION, 0, 128, 1, 64, 64 },
    };
}

std::shared_ptr<v4l2::EmulatedDevice> MakeDemoCamera()
{
    auto camera = v4l2::EmulatedDevice::Camera("Demo Document Camera", { { 1280, 720 }, { 640, 480 } },
        PictureControls());
    camera->SetPicture(
        [](const v4l2::CurrentFormat& f, std::uint64_t n, std::uint8_t* out) { DrawPage(f, n, out, true); });
    camera->SetFramePeriod(std::chrono::microseconds(33333));
    return camera;
}

std::vector<std::uint8_t> PageJpeg(std::uint32_t w, std::uint32_t h, std::uint64_t n, bool movingMark, int quality)
{
    const v4l2::CurrentFormat yuyv { V4L2_PIX_FMT_YUYV, w, h, w * 2, w * h * 2 };
    std::vector<std::uint8_t> frame(yuyv.sizeImage);
    DrawPage(yuyv, n, frame.data(), movingMark);
    std::vector<std::uint8_t> argb(static_cast<std::size_t>(w) * h * 4), bgr(static_cast<std::size_t>(w) * h * 3);
    const int iw = static_cast<int>(w), ih = static_cast<int>(h);
    libyuv::YUY2ToARGB(frame.data(), iw * 2, argb.data(), iw * 4, iw, ih);
    libyuv::ARGBToRGB24(argb.data(), iw * 4, bgr.data(), iw * 3, iw, ih);
    return v4l2::EncodeJpeg(bgr.data(), iw, ih, quality);
}

std::shared_ptr<v4l2::EmulatedDevice> MakeBenchCamera(bool mjpg)
{
    constexpr std::uint32_t w = 1920, h = 1080;
    const v4l2::CurrentFormat yuyv { V4L2_PIX_FMT_YUYV, w, h, w * 2, w * h * 2 };
    std::vector<std::vector<std::uint8_t>> frames;
    for (std::uint64_t n : { 0, 60 }) {
        std::vector<std::uint8_t> frame(yuyv.sizeImage);
        if (mjpg)
            frame = PageJpeg(w, h, n, true, 85);
        else
            DrawPage(yuyv, n, frame.data(), true);
        frames.push_back(std::move(frame));
    }
    v4l2::EmulatedFormat format;
    format.fourcc = mjpg ? V4L2_PIX_FMT_MJPEG : V4L2_PIX_FMT_YUYV;
    format.sizes = { { w, h } };
    auto camera = std::make_shared<v4l2::EmulatedDevice>("Bench Document Camera",
        V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING, std::vector<v4l2::EmulatedFormat> { format });
    camera->SetSizedPicture(v4l2::JpegFrames(std::move(frames))); // serves any frames in turn
    camera->SetFramePeriod(std::chrono::microseconds(33333));
    return camera;
}

} // namespace demo
