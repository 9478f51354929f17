#pragma once

// The video view's off-screen surface for one paint or one mouse move. Like
// CMemDC it stands in for a target device context over an area (the whole
// control) and buffers only the part the target can show, with the area's
// coordinates, copying the buffer to the target in one block when it goes.
// Its buffer is the view's kept 32-bit bitmap (CFrameBuffer), whose memory
// the frame is written into directly; no buffer is made or filled per
// paint, so the caller fills it (FillSolidRect) when no frame covers it.
//
// The target must use the text mapping mode (one logical unit a pixel).

#include "camera/FrameBuffer.h"
#include "platform/afx/Dc.h"

class CFrameCanvas : public CDC {
public:
    CFrameCanvas(CDC* pDC, const RECT& rcArea, CFrameBuffer& buffer);
    // Copies the buffer to the same place on the target.
    ~CFrameCanvas() override;

    // The part of the area that is buffered (client coordinates); empty when
    // nothing of it can be seen or no buffer could be made.
    const CRect& GetBufferRect() const { return m_rcBuffer; }
    // The buffer's pixels: the first stands for the buffered part's
    // top-left corner.
    PixelRows Pixels() const { return m_buffer.Pixels(); }

private:
    CDC* m_pTargetDC;
    CFrameBuffer& m_buffer;
    CRect m_rcBuffer;
    CBitmap* m_pOldBitmap = nullptr;
};
