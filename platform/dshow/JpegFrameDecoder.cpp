// Motion-JPEG frames through TurboJPEG, checked for wholeness first: the
// library reads a truncated frame as a warning and fills the rest with
// grey, which must never reach the screen.

#include "platform/dshow/JpegFrameDecoder.h"

#include <cassert>
#include <cstring>
#include <turbojpeg.h>

namespace dshow {

namespace {

// The length of the frame up to and including its end-of-image marker,
// or 0 when it has none (a cut-off frame).
std::size_t WholeLength(const std::uint8_t* data, std::size_t bytes)
{
    if (bytes < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return 0;
    std::size_t end = bytes;
    while (end > 4 && data[end - 1] == 0)
        --end;
    return data[end - 2] == 0xFF && data[end - 1] == 0xD9 ? end : 0;
}

} // namespace

JpegFrameDecoder::JpegFrameDecoder() : handle_(tjInitDecompress()) { }

JpegFrameDecoder::~JpegFrameDecoder()
{
    if (handle_)
        tjDestroy(static_cast<tjhandle>(handle_));
}

JpegFrameDecoder::Result JpegFrameDecoder::Decode(const std::uint8_t* data, std::size_t bytes, std::uint8_t* dst,
    std::size_t dstStride, int width, int height)
{
    Result r = DecodeWhole(data, bytes, dst, dstStride, width, height);
    if (r == Result::Decoded)
        ++decoded_;
    else
        ++dropped_;
    return r;
}

JpegFrameDecoder::Result JpegFrameDecoder::DecodeWhole(const std::uint8_t* data, std::size_t bytes,
    std::uint8_t* dst, std::size_t dstStride, int width, int height)
{
    assert(dst && width > 0 && height > 0);
    if (!handle_)
        return Result::Corrupt;
    auto* handle = static_cast<tjhandle>(handle_);
    std::size_t length = data ? WholeLength(data, bytes) : 0;
    if (length == 0)
        return Result::Truncated;
    int w = 0, h = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle, data, static_cast<unsigned long>(length), &w, &h, &subsampling, &colourspace) != 0)
        return Result::Corrupt;
    if (w != width || h != height)
        return Result::WrongSize;
    if (tjDecompress2(handle, data, static_cast<unsigned long>(length), dst, width, static_cast<int>(dstStride),
            height, TJPF_BGR, TJFLAG_BOTTOMUP | TJFLAG_FASTDCT)
        != 0) {
        // Of the warnings, only stray bytes between segments leave the
        // picture whole; a marker or end met inside the scan data means
        // the rest of the rows were filled in, not decoded.
        if (tjGetErrorCode(handle) != TJERR_WARNING || !std::strstr(tjGetErrorStr2(handle), "extraneous bytes"))
            return Result::Corrupt;
    }
    return Result::Decoded;
}

} // namespace dshow
