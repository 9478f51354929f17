#include "skin/MemDC.h"

#include <cassert>

CMemDC::CMemDC(CDC* pDC, const RECT& rcArea, BOOL bCopyBackground)
    : m_pTargetDC(pDC)
    , m_rcArea(rcArea)
{
    assert(pDC && pDC->GetSafeHdc());
    CreateCompatibleDC(pDC);

    const CRect visible = VisiblePart(pDC, m_rcArea);

    // The buffer is sized in device units; the mapping mode is the target's,
    // so that logical coordinates mean the same in both.
    CRect device = visible;
    pDC->LPtoDP(&device);
    if (!device.IsRectEmpty() && m_bmpBuffer.CreateCompatibleBitmap(pDC, device.Width(), device.Height()))
        m_pOldBitmap = SelectObject(&m_bmpBuffer);
    SetMapMode(pDC->GetMapMode());
    pDC->DPtoLP(&device);
    m_rcBuffer = m_pOldBitmap ? device : CRect();

    // The buffer's top-left pixel stands for the visible part's top-left
    // corner, so drawing with the area's coordinates lands where it belongs
    // and whatever lies outside the visible part is clipped by the bitmap.
    SetWindowOrg(m_rcBuffer.left, m_rcBuffer.top);
    if (m_rcBuffer.IsRectEmpty())
        return;
    if (bCopyBackground)
        BitBlt(m_rcBuffer.left, m_rcBuffer.top, m_rcBuffer.Width(), m_rcBuffer.Height(), pDC, m_rcBuffer.left,
            m_rcBuffer.top, SRCCOPY);
    else
        FillSolidRect(&m_rcBuffer, pDC->GetBkColor());
}

CRect CMemDC::VisiblePart(CDC* pDC, const RECT& rcArea)
{
    // Only what the target can show is worth a buffer: a paint context's
    // clip box is the visible part of what is being painted, a memory
    // context's is its bitmap.
    CRect clip;
    if (pDC->GetClipBox(&clip) == ERROR)
        clip.SetRectEmpty();
    CRect visible;
    if (!visible.IntersectRect(rcArea, clip))
        visible.SetRectEmpty();
    return visible;
}

CMemDC::~CMemDC()
{
    if (!m_rcBuffer.IsRectEmpty())
        m_pTargetDC->BitBlt(m_rcBuffer.left, m_rcBuffer.top, m_rcBuffer.Width(), m_rcBuffer.Height(), this,
            m_rcBuffer.left, m_rcBuffer.top, SRCCOPY);
    if (m_pOldBitmap)
        SelectObject(m_pOldBitmap);
    m_bmpBuffer.DeleteObject();
    DeleteDC();
}
