// The capture object's pixel and device-setting operations: the video
// processing amplifier, the renderer's current image and the photograph.

#include "camera/FrameSize.h"
#include "camera/LatestFrame.h"
#include "camera/VMR_Capture.h"
#include "platform/com/Com.h"
#include "platform/com/Kernel.h"

#include <cstring>
#include <vector>

HRESULT CVMR_Capture::SetProcAmpPercent(LONG property, int percent)
{
    if (!m_pCaptureFilter)
        return E_POINTER;
    IAMVideoProcAmp* amp = nullptr;
    HRESULT hr = m_pCaptureFilter->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(&amp));
    if (FAILED(hr))
        return hr;
    LONG min = 0, max = 0, step = 0, deflt = 0, caps = 0, value = 0, flags = 0;
    hr = amp->GetRange(property, &min, &max, &step, &deflt, &caps);
    if (SUCCEEDED(hr))
        hr = amp->Get(property, &value, &flags);
    if (SUCCEEDED(hr)) {
        // The product first, then a division truncating toward zero.
        auto target = static_cast<LONG>(min + static_cast<long long>(max - min) * percent / 100);
        hr = amp->Set(property, target, flags);
    }
    amp->Release();
    return hr;
}

int CVMR_Capture::GetProcAmpPercent(LONG property)
{
    if (!m_pCaptureFilter)
        return 0;
    IAMVideoProcAmp* amp = nullptr;
    if (FAILED(m_pCaptureFilter->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(&amp))))
        return 0;
    LONG min = 0, max = 0, step = 0, deflt = 0, caps = 0, value = 0, flags = 0;
    int percent = 0;
    // A range without width has no percentage: it reads as 0.
    if (SUCCEEDED(amp->GetRange(property, &min, &max, &step, &deflt, &caps))
        && SUCCEEDED(amp->Get(property, &value, &flags)) && max != min)
        percent = static_cast<int>(static_cast<long long>(value - min) * 100 / (max - min));
    amp->Release();
    return percent;
}

int CVMR_Capture::GrabRendererImage()
{
    if (!m_pWindowless)
        return -1;
    BYTE* dib = nullptr;
    if (m_pWindowless->GetCurrentImage(&dib) != S_OK || !dib)
        return -1;
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib, sizeof header);
    // An image of a size no camera delivers is not taken; the frame buffer
    // stays as it was.
    const std::int64_t bytes = FrameBytes24(header.biWidth, header.biHeight < 0 ? -header.biHeight : header.biHeight);
    if (bytes == 0) {
        CoTaskMemFree(dib);
        return -1;
    }
    const int size = static_cast<int>(bytes);
    if (!m_pFrameBuffer || m_nFrameBufferSize != size) {
        delete[] m_pFrameBuffer;
        m_pFrameBuffer = new BYTE[static_cast<std::size_t>(size)];
        m_nFrameBufferSize = size;
        g_latestFrame.pWorkBuffer = m_pFrameBuffer;
    }
    if (header.biBitCount == 32) {
        // Pixel k becomes pixel N - 1 - k without its fourth byte: the
        // image turned by 180 degrees.
        const BYTE* src = dib + header.biSize;
        std::size_t n = header.biSizeImage / 4;
        if (n > static_cast<std::size_t>(size / 3))
            n = static_cast<std::size_t>(size / 3);
        for (std::size_t k = 0; k < n; ++k) {
            BYTE* dst = m_pFrameBuffer + (n - 1 - k) * 3;
            dst[0] = src[k * 4];
            dst[1] = src[k * 4 + 1];
            dst[2] = src[k * 4 + 2];
        }
    }
    CoTaskMemFree(dib);
    return m_nFrameBufferSize;
}

int CVMR_Capture::GetFrameBuffer(BYTE** ppBuffer)
{
    if (ppBuffer && m_pFrameBuffer && m_nFrameBufferSize != 0)
        *ppBuffer = m_pFrameBuffer;
    return m_nFrameBufferSize;
}

int CVMR_Capture::SaveSnapshot(const char* path)
{
    // Without a picture (no camera, or no frame yet) nothing is written.
    if (GrabRendererImage() < 0)
        return 0;
    BYTE* pixels = nullptr;
    const int size = GetFrameBuffer(&pixels);
    const int w = GetWidth();
    const int h = GetHeight();
    if (!pixels || size <= 0 || w <= 0 || h <= 0 || static_cast<long long>(w) * h * 3 > size)
        return 0;

    BITMAPFILEHEADER file {};
    file.bfType = 0x4D42; // "BM"
    file.bfSize = static_cast<DWORD>(size) + 54;
    file.bfOffBits = 54;
    BITMAPINFOHEADER info {};
    info.biSize = 40;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;

    HANDLE f = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
        nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return 0;
    // Reversing the pixel order once more puts the renderer's image back
    // in its own order.
    std::vector<BYTE> out(static_cast<std::size_t>(size));
    for (int r = 0; r < h; ++r) {
        for (int i = 0; i < w; ++i) {
            const BYTE* s = pixels + (static_cast<std::size_t>(r) * w + i) * 3;
            BYTE* d = out.data() + (static_cast<std::size_t>(h - 1 - r) * w + (w - 1 - i)) * 3;
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
    DWORD written = 0;
    auto write = [&](const void* data, DWORD bytes) {
        return WriteFile(f, data, bytes, &written, nullptr) && written == bytes;
    };
    const bool wrote = write(&file, sizeof file) && write(&info, sizeof info)
        && write(out.data(), static_cast<DWORD>(size));
    // The file takes its name only when the close has flushed and renamed
    // it; a photograph that did not reach the disk whole is no photograph,
    // and the file that was there stays.
    const BOOL closed = CloseHandle(f);
    return wrote && closed ? static_cast<int>(written) : 0;
}
