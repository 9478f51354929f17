#pragma once

// CMemDC: an off-screen device context for flicker-free painting. It stands
// in for a target device context over an area of it: everything drawn into
// it with the target's logical coordinates lands in a buffer bitmap, and
// when the object goes the buffer reaches the target in one block copy.
//
// Only the part of the area that the target can show is buffered: the area
// is cut down to the target's clip box (for a paint context, the part of
// the window that is being painted and can be seen). An area many times the
// size of the screen, such as a zoomed picture, therefore costs no more than
// its visible part, while drawing still uses the whole area's coordinates;
// what falls outside the buffer is simply clipped away.

#include "platform/afx/Dc.h"

class CMemDC : public CDC {
public:
    // Buffers the area (logical units of the target) over the target. With
    // copyBackground the buffer starts as the target's current content of
    // the area, otherwise it is filled with the target's background colour.
    CMemDC(CDC* pDC, const RECT& rcArea, BOOL bCopyBackground);
    // Copies the buffer to the same place on the target.
    ~CMemDC() override;

    // The area as given, and the part of it that is buffered (both logical
    // units); the latter is empty when nothing of the area can be seen.
    const CRect& GetArea() const { return m_rcArea; }
    const CRect& GetBufferRect() const { return m_rcBuffer; }

    // The part of the area (logical units of the target) that the target
    // can show: the area cut down to the target's clip box. Other
    // off-screen surfaces buffer the same part.
    static CRect VisiblePart(CDC* pDC, const RECT& rcArea);

protected:
    CDC* m_pTargetDC;
    CRect m_rcArea;
    CRect m_rcBuffer;
    CBitmap m_bmpBuffer;
    CBitmap* m_pOldBitmap = nullptr;
};
