// The decoders side by side with the libraries they stand on, on the same
// frames in one run: MJPG at 1080p and 8 MP through the stream's decoder
// against TurboJPEG's own tjDecompress2 to BGR (with the same flags, so the
// difference is the decoder's checks and bookkeeping), and YUY2 to RGB24 at
// 1080p through the converter against libyuv's two whole-frame calls.

#include "platform/dshow/JpegFrameDecoder.h"
#include "platform/dshow/TransformFilter.h"
#include "platform/dshow/Yuy2Converter.h"
#include "platform/v4l2/Device.h"
#include "platform/v4l2/EmulatedJpeg.h"

#include <benchmark/benchmark.h>

#include <libyuv.h>
#include <linux/videodev2.h>
#include <turbojpeg.h>
#include <vector>

namespace {

// A picture with edges and gradients, so that the JPEG carries real
// detail (a flat picture would decode unrealistically fast).
std::vector<std::uint8_t> CameraJpeg(int w, int h)
{
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &bgr[(static_cast<std::size_t>(y) * w + x) * 3];
            bool ink = ((x / 7) * (y / 11)) % 13 == 0;
            p[0] = static_cast<std::uint8_t>(ink ? 30 : 200 + x % 40);
            p[1] = static_cast<std::uint8_t>(ink ? 30 : 210 + y % 30);
            p[2] = static_cast<std::uint8_t>(ink ? 40 : 220 + (x ^ y) % 30);
        }
    }
    return v4l2::EncodeJpeg(bgr.data(), w, h, 85);
}

void BM_MjpgFrameDecoder(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const std::vector<std::uint8_t> jpeg = CameraJpeg(w, h);
    std::vector<std::uint8_t> dst(dshow::DibStride(w, 24) * h);
    dshow::JpegFrameDecoder decoder;
    for (auto _ : state) {
        auto r = decoder.Decode(jpeg.data(), jpeg.size(), dst.data(), dshow::DibStride(w, 24), w, h);
        benchmark::DoNotOptimize(r);
    }
    if (decoder.Dropped() != 0)
        state.SkipWithError("frames were dropped");
    state.SetItemsProcessed(state.iterations());
}

void BM_MjpgTjDecompress2(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const std::vector<std::uint8_t> jpeg = CameraJpeg(w, h);
    std::vector<std::uint8_t> dst(dshow::DibStride(w, 24) * h);
    tjhandle handle = tjInitDecompress();
    for (auto _ : state) {
        int r = tjDecompress2(handle, jpeg.data(), jpeg.size(), dst.data(), w, static_cast<int>(dshow::DibStride(w, 24)),
            h, TJPF_BGR, TJFLAG_BOTTOMUP | TJFLAG_FASTDCT);
        benchmark::DoNotOptimize(r);
    }
    tjDestroy(handle);
    state.SetItemsProcessed(state.iterations());
}

void BM_Yuy2Converter(benchmark::State& state)
{
    const int w = 1920, h = 1080;
    std::vector<std::uint8_t> src(static_cast<std::size_t>(w) * h * 2);
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = static_cast<std::uint8_t>(i * 7 + i / 3840);
    std::vector<std::uint8_t> dst(dshow::DibStride(w, 24) * h);
    std::vector<std::uint8_t> scratch(static_cast<std::size_t>(w) * 4 * dshow::Yuy2Converter::kBandRows);
    for (auto _ : state) {
        dshow::Yuy2Converter::Convert(src.data(), w * 2, dst.data(), dshow::DibStride(w, 24), w, h, scratch.data());
        benchmark::DoNotOptimize(dst.data());
    }
}

// libyuv has no YUY2 to RGB24 call: a whole 32-bit frame, then packed, the
// second call walking up for the DIB's bottom-up rows.
void BM_Yuy2LibyuvWholeFrame(benchmark::State& state)
{
    const int w = 1920, h = 1080;
    std::vector<std::uint8_t> src(static_cast<std::size_t>(w) * h * 2);
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = static_cast<std::uint8_t>(i * 7 + i / 3840);
    std::vector<std::uint8_t> argb(static_cast<std::size_t>(w) * h * 4);
    std::vector<std::uint8_t> dst(dshow::DibStride(w, 24) * h);
    const int stride = static_cast<int>(dshow::DibStride(w, 24));
    for (auto _ : state) {
        libyuv::YUY2ToARGB(src.data(), w * 2, argb.data(), w * 4, w, h);
        libyuv::ARGBToRGB24(argb.data(), w * 4, dst.data() + static_cast<std::size_t>(h - 1) * stride, -stride, w, h);
        benchmark::DoNotOptimize(dst.data());
    }
}

// What the emulated camera of bench/pipeline.sh costs for one 1080p frame:
// copying a frame made at start into a buffer, dequeuing and requeuing it.
void BM_EmulatedCameraFrame(benchmark::State& state)
{
    const bool mjpg = state.range(0) != 0;
    const std::uint32_t w = 1920, h = 1080;
    v4l2::EmulatedFormat format;
    format.fourcc = mjpg ? V4L2_PIX_FMT_MJPEG : V4L2_PIX_FMT_YUYV;
    format.sizes = { { w, h } };
    auto camera = std::make_shared<v4l2::EmulatedDevice>(
        "Bench", V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING, std::vector<v4l2::EmulatedFormat> { format });
    std::vector<std::uint8_t> frame = mjpg ? CameraJpeg(static_cast<int>(w), static_cast<int>(h))
                                           : std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 2, 128);
    camera->SetSizedPicture(v4l2::JpegFrames({ frame }));
    camera->SetFramePeriod(std::chrono::microseconds(0));
    v4l2::EmulatedDeviceSystem system;
    system.Add("/dev/video0", camera);
    v4l2::ScopedDeviceSystem use(system);
    auto device = v4l2::Device::Open("/dev/video0");
    device->StartStreaming(4);
    for (auto _ : state) {
        v4l2::Frame f;
        if (device->NextFrame(1000, f) != v4l2::WaitResult::Frame) {
            state.SkipWithError("no frame");
            break;
        }
        device->Requeue(f);
    }
    device->StopStreaming();
}

BENCHMARK(BM_EmulatedCameraFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MjpgFrameDecoder)->Args({ 1920, 1080 })->Args({ 3264, 2448 })->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MjpgTjDecompress2)->Args({ 1920, 1080 })->Args({ 3264, 2448 })->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Yuy2Converter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Yuy2LibyuvWholeFrame)->Unit(benchmark::kMillisecond);

} // namespace
