// MJPG to RGB24: each frame decoded straight into the output sample.

#include "platform/dshow/MjpgDecompressor.h"

#include "platform/log/Log.h"

namespace dshow {

HRESULT MjpgDecompressor::Create(REFIID iid, void** out)
{
    auto* filter = new MjpgDecompressor;
    HRESULT hr = filter->QueryInterface(iid, out);
    filter->Release();
    return hr;
}

HRESULT MjpgDecompressor::CheckInput(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* vih = MediaType::VideoInfoOf(type);
    if (type.majortype != MEDIATYPE_Video || type.subtype != MEDIASUBTYPE_MJPG || !vih)
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (vih->bmiHeader.biWidth <= 0 || vih->bmiHeader.biHeight == 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

std::vector<MediaType> MjpgDecompressor::OutputTypes(const MediaType& input)
{
    const BITMAPINFOHEADER& in = input.VideoInfo()->bmiHeader;
    int height = in.biHeight < 0 ? -in.biHeight : in.biHeight;
    return { MediaType::Video(MEDIASUBTYPE_RGB24, in.biWidth, height, 24, BI_RGB) };
}

HRESULT MjpgDecompressor::OutputConnected()
{
    const BITMAPINFOHEADER& out = Output().Type().VideoInfo()->bmiHeader;
    Output().OutputSample().Own(DibStride(out.biWidth, 24) * static_cast<std::size_t>(out.biHeight));
    // One decoder for the stream: its tables and buffers are reused.
    decoder_ = std::make_unique<JpegFrameDecoder>();
    dropped_.store(0);
    rates_.Restart();
    return S_OK;
}

HRESULT MjpgDecompressor::Process(IMediaSample* sample)
{
    if (!Output().IsConnected() || !decoder_)
        return S_OK;
    const BITMAPINFOHEADER& out = Output().Type().VideoInfo()->bmiHeader;
    BYTE* src = nullptr;
    sample->GetPointer(&src);
    LONG length = sample->GetActualDataLength();
    Sample& target = Output().OutputSample();
    BYTE* dst = nullptr;
    target.GetPointer(&dst);
    JpegFrameDecoder::Result r = decoder_->Decode(src, length > 0 ? static_cast<std::size_t>(length) : 0, dst,
        DibStride(out.biWidth, 24), out.biWidth, out.biHeight);
    if (r != JpegFrameDecoder::Result::Decoded) {
        // The last whole picture stays on screen; the stream goes on.
        const std::uint64_t dropped = dropped_.fetch_add(1) + 1;
        const char* why = r == JpegFrameDecoder::Result::Truncated ? "cut short"
            : r == JpegFrameDecoder::Result::WrongSize             ? "of another size than the stream's"
                                                                   : "damaged";
        INKVEIL_LOG_LIMITED(dropLimit_, Warn, "MJPG frame of %ld bytes %s, dropped (%llu so far)",
            static_cast<long>(length), why, static_cast<unsigned long long>(dropped));
        rates_.Count(1);
        rates_.Tick();
        return S_OK;
    }
    rates_.Count(0);
    rates_.Tick();
    REFERENCE_TIME start = 0, end = 0;
    sample->GetTime(&start, &end);
    target.SetTimes(start, end);
    return Output().Deliver(&target);
}

} // namespace dshow
