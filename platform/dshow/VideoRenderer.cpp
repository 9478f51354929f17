// The renderer's input, its windowless settings and its current image.

#include "platform/dshow/VideoRenderer.h"

#include "platform/com/Com.h"
#include "platform/dshow/Sample.h"
#include "platform/dshow/TransformFilter.h"
#include "platform/window/WinUser.h"

#include <cstring>
#include <libyuv.h>

namespace dshow {

HRESULT VideoRenderer::Create(REFIID iid, void** out)
{
    auto* filter = new VideoRenderer;
    HRESULT hr = filter->BaseFilter::QueryInterface(iid, out);
    filter->BaseFilter::Release();
    return hr;
}

VideoRenderer::VideoRenderer()
{
    PinBehaviour in;
    in.check = [this](const AM_MEDIA_TYPE& t) { return CheckInput(t); };
    in.receive = [this](IMediaSample* s) { return Receive(s); };
    input_ = &AddPin(std::make_unique<Pin>(*this, PINDIR_INPUT, u"VMR Input0", std::move(in)));
}

HRESULT VideoRenderer::QueryExtra(REFIID iid, void** out)
{
    IUnknown* found = nullptr;
    if (iid == IVMRFilterConfig::kIid)
        found = static_cast<IVMRFilterConfig*>(this);
    // The windowless control exists only once the filter is windowless.
    else if (iid == IVMRWindowlessControl::kIid && mode_ == VMRMode_Windowless)
        found = static_cast<IVMRWindowlessControl*>(this);
    if (!found)
        return E_NOINTERFACE;
    AddRef();
    *out = found;
    return S_OK;
}

HRESULT VideoRenderer::SetRenderingMode(DWORD mode)
{
    if (mode != VMRMode_Windowed && mode != VMRMode_Windowless)
        return E_INVALIDARG;
    // The mode is fixed once the input is connected.
    if (input_->IsConnected())
        return VFW_E_WRONG_STATE;
    mode_ = mode;
    return S_OK;
}

HRESULT VideoRenderer::GetRenderingMode(DWORD* mode)
{
    if (!mode)
        return E_POINTER;
    *mode = mode_;
    return S_OK;
}

HRESULT VideoRenderer::SetVideoClippingWindow(HWND window)
{
    if (window && !IsWindow(window))
        return E_INVALIDARG;
    clippingWindow_ = window;
    return S_OK;
}

HRESULT VideoRenderer::SetVideoPosition(const RECT* source, const RECT* dest)
{
    if (!source && !dest)
        return E_POINTER;
    if (source)
        source_ = *source;
    if (dest)
        dest_ = *dest;
    return S_OK;
}

HRESULT VideoRenderer::GetVideoPosition(RECT* source, RECT* dest)
{
    if (!source && !dest)
        return E_POINTER;
    if (source)
        *source = source_;
    if (dest)
        *dest = dest_;
    return S_OK;
}

HRESULT VideoRenderer::GetNativeVideoSize(LONG* width, LONG* height, LONG* arWidth, LONG* arHeight)
{
    if (!input_->IsConnected())
        return VFW_E_NOT_CONNECTED;
    const BITMAPINFOHEADER& h = input_->Type().VideoInfo()->bmiHeader;
    LONG rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (width)
        *width = h.biWidth;
    if (height)
        *height = rows;
    if (arWidth)
        *arWidth = h.biWidth;
    if (arHeight)
        *arHeight = rows;
    return S_OK;
}

HRESULT VideoRenderer::GetCurrentImage(BYTE** dib)
{
    if (!dib)
        return E_POINTER;
    *dib = nullptr;
    std::lock_guard guard(imageLock_);
    if (!hasImage_)
        return E_FAIL;
    const std::size_t bytes = DibStride(imageWidth_, 32) * static_cast<std::size_t>(imageHeight_);
    auto* block = static_cast<BYTE*>(CoTaskMemAlloc(sizeof(BITMAPINFOHEADER) + bytes));
    if (!block)
        return E_OUTOFMEMORY;
    BITMAPINFOHEADER header {};
    header.biSize = sizeof header;
    header.biWidth = imageWidth_;
    header.biHeight = imageHeight_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(bytes);
    std::memcpy(block, &header, sizeof header);
    if (imageBits_ == 32)
        std::memcpy(block + sizeof header, image_.data(), bytes);
    else
        libyuv::RGB24ToARGB(image_.data(), static_cast<int>(DibStride(imageWidth_, 24)), block + sizeof header,
            imageWidth_ * 4, imageWidth_, imageHeight_);
    *dib = block;
    return S_OK;
}

HRESULT VideoRenderer::CheckInput(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* vih = MediaType::VideoInfoOf(type);
    if (type.majortype != MEDIATYPE_Video || !vih || vih->bmiHeader.biWidth <= 0 || vih->bmiHeader.biHeight == 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    const bool rgb32 = type.subtype == MEDIASUBTYPE_RGB32 && vih->bmiHeader.biBitCount == 32;
    const bool rgb24 = type.subtype == MEDIASUBTYPE_RGB24 && vih->bmiHeader.biBitCount == 24;
    return rgb32 || rgb24 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT VideoRenderer::Receive(IMediaSample* sample)
{
    const BITMAPINFOHEADER& h = input_->Type().VideoInfo()->bmiHeader;
    const LONG rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const std::size_t stride = DibStride(h.biWidth, h.biBitCount);
    const std::size_t bytes = stride * static_cast<std::size_t>(rows);
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    if (!data || static_cast<std::size_t>(sample->GetActualDataLength()) < bytes)
        return E_INVALIDARG;
    std::lock_guard guard(imageLock_);
    // A bottom-up frame in a buffer of the graph's own is taken as it is,
    // its place filled by the buffer of the frame before: nothing copied.
    const bool bottomUp = h.biHeight > 0;
    auto* own = dynamic_cast<Sample*>(sample);
    if (!bottomUp || !own || !own->Exchange(image_)) {
        // Allocated again only when the size changes.
        if (image_.size() != bytes)
            image_.resize(bytes);
        if (bottomUp) {
            std::memcpy(image_.data(), data, bytes);
        } else {
            // A top-down frame is kept bottom-up, the order GetCurrentImage gives.
            for (LONG y = 0; y < rows; ++y)
                std::memcpy(image_.data() + (rows - 1 - y) * stride, data + y * stride, stride);
        }
    }
    imageWidth_ = h.biWidth;
    imageHeight_ = rows;
    imageBits_ = h.biBitCount;
    hasImage_ = true;
    return S_OK;
}

} // namespace dshow
