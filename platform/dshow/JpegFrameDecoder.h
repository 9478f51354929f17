#pragma once

// Decodes one motion-JPEG frame at a time into bottom-up BGR rows, with one
// TurboJPEG handle kept for the whole stream. A frame is decoded only when
// it is whole: it must start with the start-of-image marker, end with the
// end-of-image marker (trailing zero padding allowed, as some cameras fill
// their buffers) and have the stream's size; anything else, or a decoder
// error, drops the frame. The one decoder warning that leaves a picture
// whole, stray bytes between segments (some cameras add them), is not an
// error; the others mean rows were filled in rather than decoded. Frames without Huffman tables decode,
// as the library supplies the standard ones.

#include <cstddef>
#include <cstdint>

namespace dshow {

class JpegFrameDecoder {
public:
    enum class Result { Decoded, Truncated, WrongSize, Corrupt };

    JpegFrameDecoder();
    ~JpegFrameDecoder();
    JpegFrameDecoder(const JpegFrameDecoder&) = delete;
    JpegFrameDecoder& operator=(const JpegFrameDecoder&) = delete;

    // Decodes data into width × height BGR rows of dstStride bytes, the
    // picture's top row last. On anything but Decoded the target may hold
    // part of a picture and must not be shown.
    Result Decode(const std::uint8_t* data, std::size_t bytes, std::uint8_t* dst, std::size_t dstStride, int width,
        int height);

    // Frames decoded and dropped since the decoder was made.
    std::uint64_t Decoded() const { return decoded_; }
    std::uint64_t Dropped() const { return dropped_; }

private:
    Result DecodeWhole(const std::uint8_t* data, std::size_t bytes, std::uint8_t* dst, std::size_t dstStride,
        int width, int height);

    void* handle_;
    std::uint64_t decoded_ = 0;
    std::uint64_t dropped_ = 0;
};

} // namespace dshow
