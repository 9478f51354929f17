// The video view's off-screen surface over its kept bitmap.

#include "camera/FrameCanvas.h"

#include "skin/MemDC.h"

#include <cassert>

CFrameCanvas::CFrameCanvas(CDC* pDC, const RECT& rcArea, CFrameBuffer& buffer)
    : m_pTargetDC(pDC)
    , m_buffer(buffer)
{
    assert(pDC && pDC->GetSafeHdc());
    assert(pDC->GetMapMode() == MM_TEXT);
    CreateCompatibleDC(pDC);
    const CRect visible = CMemDC::VisiblePart(pDC, rcArea);
    if (!visible.IsRectEmpty() && buffer.Fit(visible.Width(), visible.Height())) {
        m_pOldBitmap = SelectObject(buffer.Bitmap());
        m_rcBuffer = visible;
    }
    // The buffer's top-left pixel stands for the visible part's top-left
    // corner, so drawing with the area's coordinates lands where it belongs.
    SetWindowOrg(m_rcBuffer.left, m_rcBuffer.top);
}

CFrameCanvas::~CFrameCanvas()
{
    if (!m_rcBuffer.IsRectEmpty())
        m_pTargetDC->BitBlt(m_rcBuffer.left, m_rcBuffer.top, m_rcBuffer.Width(), m_rcBuffer.Height(), this,
            m_rcBuffer.left, m_rcBuffer.top, SRCCOPY);
    // The kept bitmap leaves this context before the context is deleted.
    if (m_pOldBitmap)
        SelectObject(m_pOldBitmap);
    DeleteDC();
}
