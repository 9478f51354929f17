// Double-buffered frame hand-over.

#include "camera/LatestFrame.h"

#include "camera/FrameRotation.h"

#include <cstring>

LatestFrame g_latestFrame;

void LatestFrame::Publish(const BYTE* pixels, std::int32_t length, std::int32_t width, std::int32_t height)
{
    if (!pixels || length < 0)
        return;
    // Only the streaming thread touches the back buffer, and readers never
    // look at it, so the copy runs outside the lock. The buffer is sized
    // again only when the frame length changes (a new format).
    std::vector<BYTE>& back = m_buffers[1 - m_front];
    if (back.size() != static_cast<std::size_t>(length))
        back.resize(static_cast<std::size_t>(length));
    if (length)
        std::memcpy(back.data(), pixels, static_cast<std::size_t>(length));

    const BITMAPINFOHEADER header = DibHeader24(width, height);
    std::lock_guard guard(m_lock);
    m_front = 1 - m_front;
    pFrame = m_buffers[m_front].data();
    nFrameLen = length;
    bih = header;
    ++nSerial;
}

void LatestFrame::ClearFrame()
{
    std::lock_guard guard(m_lock);
    pFrame = nullptr;
    ++nSerial;
    ++m_clears;
}

std::uint64_t LatestFrame::Clears()
{
    std::lock_guard guard(m_lock);
    return m_clears;
}
