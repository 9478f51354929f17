// The video view's kept composition bitmap.

#include "camera/FrameBuffer.h"

bool CFrameBuffer::Fit(int width, int height)
{
    if (m_pBits && width == m_nWidth && height == m_nHeight)
        return true;
    m_bitmap.DeleteObject();
    m_pBits = nullptr;
    m_nWidth = m_nHeight = 0;
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    if (!m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)) || !bits) {
        m_bitmap.DeleteObject();
        return false;
    }
    m_pBits = static_cast<std::uint32_t*>(bits);
    m_nWidth = width;
    m_nHeight = height;
    return true;
}
