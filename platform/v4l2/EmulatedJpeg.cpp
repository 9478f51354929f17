// Encoding test frames and serving them from an emulated camera.

#include "platform/v4l2/EmulatedJpeg.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <turbojpeg.h>

namespace v4l2 {

std::vector<std::uint8_t> EncodeJpeg(const std::uint8_t* bgr, int width, int height, int quality)
{
    std::vector<std::uint8_t> out;
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitCompress(), tjDestroy);
    if (!handle)
        return out;
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    if (tjCompress2(handle.get(), bgr, width, width * 3, height, TJPF_BGR, &jpeg, &size, TJSAMP_422, quality, 0) == 0)
        out.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    return out;
}

std::vector<std::uint8_t> WithoutHuffmanTables(const std::vector<std::uint8_t>& jpeg)
{
    std::vector<std::uint8_t> out(jpeg.begin(), jpeg.begin() + std::min<std::size_t>(2, jpeg.size()));
    std::size_t i = 2;
    // Marker segments up to the start of scan carry their length; DHT
    // (FFC4) ones are skipped, the rest copied.
    while (i + 4 <= jpeg.size() && jpeg[i] == 0xFF && jpeg[i + 1] != 0xDA) {
        std::size_t length = (static_cast<std::size_t>(jpeg[i + 2]) << 8) | jpeg[i + 3];
        std::size_t next = std::min(jpeg.size(), i + 2 + length);
        if (jpeg[i + 1] != 0xC4)
            out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(i),
                jpeg.begin() + static_cast<std::ptrdiff_t>(next));
        i = next;
    }
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(i), jpeg.end());
    return out;
}

EmulatedDevice::SizedPicture JpegFrames(std::vector<std::vector<std::uint8_t>> frames)
{
    return [frames = std::move(frames)](const CurrentFormat&, std::uint64_t n, std::uint8_t* out,
               std::size_t capacity) -> std::size_t {
        if (frames.empty())
            return 0;
        const std::vector<std::uint8_t>& f = frames[n % frames.size()];
        std::size_t bytes = std::min(capacity, f.size());
        if (bytes != 0) // an empty frame (a camera that sends nothing) has no data to copy
            std::memcpy(out, f.data(), bytes);
        return bytes;
    };
}

} // namespace v4l2
