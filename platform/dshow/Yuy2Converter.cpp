// YUY2 to RGB24 through libyuv, a band of rows at a time so that the
// intermediate 32-bit rows stay in the cache.

#include "platform/dshow/Yuy2Converter.h"

#include <libyuv.h>

namespace dshow {

HRESULT Yuy2Converter::Create(REFIID iid, void** out)
{
    auto* filter = new Yuy2Converter;
    HRESULT hr = filter->QueryInterface(iid, out);
    filter->Release();
    return hr;
}

void Yuy2Converter::Convert(const BYTE* src, std::size_t srcStride, BYTE* dst, std::size_t dstStride, int width,
    int height, BYTE* scratch)
{
    const int scratchStride = width * 4;
    for (int y = 0; y < height; y += kBandRows) {
        int rows = height - y < kBandRows ? height - y : kBandRows;
        libyuv::YUY2ToARGB(src + y * srcStride, static_cast<int>(srcStride), scratch, scratchStride, width, rows);
        // Source row y lands on target row height - 1 - y: walk up.
        BYTE* target = dst + static_cast<std::size_t>(height - 1 - y) * dstStride;
        libyuv::ARGBToRGB24(scratch, scratchStride, target, -static_cast<int>(dstStride), width, rows);
    }
}

HRESULT Yuy2Converter::CheckInput(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* vih = MediaType::VideoInfoOf(type);
    if (type.majortype != MEDIATYPE_Video || type.subtype != MEDIASUBTYPE_YUY2 || !vih)
        return VFW_E_TYPE_NOT_ACCEPTED;
    // Two pixels share one chroma pair.
    if (vih->bmiHeader.biWidth <= 0 || vih->bmiHeader.biWidth % 2 != 0 || vih->bmiHeader.biHeight == 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

std::vector<MediaType> Yuy2Converter::OutputTypes(const MediaType& input)
{
    const BITMAPINFOHEADER& in = input.VideoInfo()->bmiHeader;
    int height = in.biHeight < 0 ? -in.biHeight : in.biHeight;
    return { MediaType::Video(MEDIASUBTYPE_RGB24, in.biWidth, height, 24, BI_RGB) };
}

HRESULT Yuy2Converter::OutputConnected()
{
    const BITMAPINFOHEADER& out = Output().Type().VideoInfo()->bmiHeader;
    scratch_.assign(static_cast<std::size_t>(out.biWidth) * 4 * kBandRows, 0);
    Output().OutputSample().Own(DibStride(out.biWidth, 24) * static_cast<std::size_t>(out.biHeight));
    return S_OK;
}

HRESULT Yuy2Converter::Process(IMediaSample* sample)
{
    // Without a downstream filter the frame has nowhere to go.
    if (!Output().IsConnected())
        return S_OK;
    const BITMAPINFOHEADER& out = Output().Type().VideoInfo()->bmiHeader;
    const int width = out.biWidth;
    const int height = out.biHeight;
    const std::size_t srcStride = static_cast<std::size_t>(width) * 2;
    BYTE* src = nullptr;
    sample->GetPointer(&src);
    if (!src || static_cast<std::size_t>(sample->GetActualDataLength()) < srcStride * height)
        return E_INVALIDARG;
    Sample& target = Output().OutputSample();
    BYTE* dst = nullptr;
    target.GetPointer(&dst);
    Convert(src, srcStride, dst, DibStride(width, 24), width, height, scratch_.data());
    REFERENCE_TIME start = 0, end = 0;
    sample->GetTime(&start, &end);
    target.SetTimes(start, end);
    return Output().Deliver(&target);
}

} // namespace dshow
