#pragma once

// The Video Mixing Renderer in windowless mode. It takes 32- or 24-bit RGB
// frames and keeps the latest one as it came, for GetCurrentImage, which
// gives it as 32-bit RGB: a 24-bit frame is widened only when asked for, not
// every frame. It does not paint into its
// clipping window: the program's video view paints the picture itself, and
// a second painter would make it flicker.

#include "platform/dshow/BaseFilter.h"

#include <mutex>
#include <vector>

namespace dshow {

class VideoRenderer final : public BaseFilter, public IVMRFilterConfig, public IVMRWindowlessControl {
public:
    static HRESULT Create(REFIID iid, void** out);

    HRESULT QueryInterface(REFIID iid, void** out) override { return BaseFilter::QueryInterface(iid, out); }
    ULONG AddRef() override { return BaseFilter::AddRef(); }
    ULONG Release() override { return BaseFilter::Release(); }

    HRESULT SetRenderingMode(DWORD mode) override;
    HRESULT GetRenderingMode(DWORD* mode) override;

    HRESULT SetVideoClippingWindow(HWND window) override;
    HRESULT SetVideoPosition(const RECT* source, const RECT* dest) override;
    HRESULT GetVideoPosition(RECT* source, RECT* dest) override;
    HRESULT GetNativeVideoSize(LONG* width, LONG* height, LONG* arWidth, LONG* arHeight) override;
    HRESULT GetCurrentImage(BYTE** dib) override;

private:
    VideoRenderer();
    HRESULT QueryExtra(REFIID iid, void** out) override;
    HRESULT CheckInput(const AM_MEDIA_TYPE& type);
    HRESULT Receive(IMediaSample* sample);

    Pin* input_;
    DWORD mode_ = VMRMode_Windowed;
    HWND clippingWindow_ = nullptr;
    RECT source_ {};
    RECT dest_ {};
    // The latest frame, bottom-up rows of imageBits_ bits a pixel, copied in
    // on the streaming thread and read on the user-interface thread.
    std::mutex imageLock_;
    std::vector<BYTE> image_;
    LONG imageWidth_ = 0;
    LONG imageHeight_ = 0;
    WORD imageBits_ = 32;
    bool hasImage_ = false;
};

} // namespace dshow
