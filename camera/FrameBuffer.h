#pragma once

// The memory the video view composes a picture in: a 32-bit top-down
// device-independent bitmap section, kept from one paint to the next and
// made again only when the visible part of the view changes size. Frames
// are written straight into its memory; the overlay is drawn over them
// through a device context it is selected into.

#include "camera/TurnedStretch.h"
#include "platform/afx/Bitmap.h"

class CFrameBuffer {
public:
    CFrameBuffer() = default;
    CFrameBuffer(const CFrameBuffer&) = delete;
    CFrameBuffer& operator=(const CFrameBuffer&) = delete;

    // Makes the bitmap width x height unless it is that already. Answers
    // false, and holds no bitmap, when none can be made.
    bool Fit(int width, int height);

    CBitmap* Bitmap() { return &m_bitmap; }
    // The bitmap's pixels, top row first.
    PixelRows Pixels() const { return PixelRows { m_pBits, m_nWidth }; }

private:
    CBitmap m_bitmap;
    std::uint32_t* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
