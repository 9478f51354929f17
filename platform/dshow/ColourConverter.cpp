// RGB24 to RGB32 through libyuv; a format the next filter takes as it is
// passes through untouched.

#include "platform/dshow/ColourConverter.h"

#include <libyuv.h>

namespace dshow {

HRESULT ColourConverter::Create(REFIID iid, void** out)
{
    auto* filter = new ColourConverter;
    HRESULT hr = filter->QueryInterface(iid, out);
    filter->Release();
    return hr;
}

HRESULT ColourConverter::CheckInput(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* vih = MediaType::VideoInfoOf(type);
    if (type.majortype != MEDIATYPE_Video || !vih || vih->bmiHeader.biWidth <= 0 || vih->bmiHeader.biHeight == 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    bool rgb24 = type.subtype == MEDIASUBTYPE_RGB24 && vih->bmiHeader.biBitCount == 24;
    bool rgb32 = type.subtype == MEDIASUBTYPE_RGB32 && vih->bmiHeader.biBitCount == 32;
    return rgb24 || rgb32 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

std::vector<MediaType> ColourConverter::OutputTypes(const MediaType& input)
{
    const BITMAPINFOHEADER& in = input.VideoInfo()->bmiHeader;
    MediaType rgb32 = MediaType::Video(MEDIASUBTYPE_RGB32, in.biWidth, in.biHeight, 32, BI_RGB);
    if (in.biBitCount == 32)
        return { rgb32 };
    // The input's own format first: a renderer that takes 24-bit frames then
    // keeps them without a conversion of every frame.
    return { MediaType::Video(MEDIASUBTYPE_RGB24, in.biWidth, in.biHeight, 24, BI_RGB), rgb32 };
}

HRESULT ColourConverter::OutputConnected()
{
    const BITMAPINFOHEADER& out = Output().Type().VideoInfo()->bmiHeader;
    passThrough_ = out.biBitCount == Input().Type().VideoInfo()->bmiHeader.biBitCount;
    if (passThrough_)
        return S_OK;
    int height = out.biHeight < 0 ? -out.biHeight : out.biHeight;
    Output().OutputSample().Own(DibStride(out.biWidth, 32) * static_cast<std::size_t>(height));
    return S_OK;
}

HRESULT ColourConverter::Process(IMediaSample* sample)
{
    if (!Output().IsConnected())
        return S_OK;
    if (passThrough_)
        return Output().Deliver(sample);
    const BITMAPINFOHEADER& in = Input().Type().VideoInfo()->bmiHeader;
    const int width = in.biWidth;
    const int height = in.biHeight < 0 ? -in.biHeight : in.biHeight;
    const std::size_t srcStride = DibStride(width, in.biBitCount);
    BYTE* src = nullptr;
    sample->GetPointer(&src);
    if (!src || static_cast<std::size_t>(sample->GetActualDataLength()) < srcStride * height)
        return E_INVALIDARG;
    Sample& target = Output().OutputSample();
    BYTE* dst = nullptr;
    target.GetPointer(&dst);
    libyuv::RGB24ToARGB(src, static_cast<int>(srcStride), dst, width * 4, width, height);
    REFERENCE_TIME start = 0, end = 0;
    sample->GetTime(&start, &end);
    target.SetTimes(start, end);
    return Output().Deliver(&target);
}

} // namespace dshow
