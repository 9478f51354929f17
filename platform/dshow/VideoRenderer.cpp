// The renderer's input, its windowless settings and its current image.

#include "platform/dshow/VideoRenderer.h"

#include "platform/com/Com.h"
#include "platform/dshow/TransformFilter.h"
#include "platform/window/WinUser.h"

#include <cstring>

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
    const std::size_t bytes = image_.size();
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
    std::memcpy(block + sizeof header, image_.data(), bytes);
    *dib = block;
    return S_OK;
}

HRESULT VideoRenderer::CheckInput(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* vih = MediaType::VideoInfoOf(type);
    if (type.majortype != MEDIATYPE_Video || type.subtype != MEDIASUBTYPE_RGB32 || !vih)
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (vih->bmiHeader.biBitCount != 32 || vih->bmiHeader.biWidth <= 0 || vih->bmiHeader.biHeight == 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT VideoRenderer::Receive(IMediaSample* sample)
{
    const BITMAPINFOHEADER& h = input_->Type().VideoInfo()->bmiHeader;
    const LONG rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const std::size_t stride = DibStride(h.biWidth, 32);
    const std::size_t bytes = stride * static_cast<std::size_t>(rows);
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    if (!data || static_cast<std::size_t>(sample->GetActualDataLength()) < bytes)
        return E_INVALIDARG;
    std::lock_guard guard(imageLock_);
    // Allocated again only when the size changes.
    if (image_.size() != bytes)
        image_.resize(bytes);
    if (h.biHeight > 0) {
        std::memcpy(image_.data(), data, bytes);
    } else {
        // A top-down frame is kept bottom-up, the order GetCurrentImage gives.
        for (LONG y = 0; y < rows; ++y)
            std::memcpy(image_.data() + (rows - 1 - y) * stride, data + y * stride, stride);
    }
    imageWidth_ = h.biWidth;
    imageHeight_ = rows;
    hasImage_ = true;
    return S_OK;
}

} // namespace dshow
