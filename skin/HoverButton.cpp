#include "skin/HoverButton.h"

namespace {

// The strip holds its three pictures in this order, left to right.
enum StatePicture { kNormal = 0, kPressed = 1, kHighlighted = 2 };

// The tooltip's one tool covers the whole button.
constexpr UINT_PTR kToolId = 1;

} // namespace

BEGIN_MESSAGE_MAP(CHoverButton, CBitmapButton)
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

BOOL CHoverButton::LoadStateStrip(UINT nBitmapId)
{
    // The palette swaps strips on the same button when a toggle changes; the
    // strip it held is the button's own and goes here.
    m_bmpStates.DeleteObject();
    HANDLE loaded = ::LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(nBitmapId), IMAGE_BITMAP, 0, 0,
        LR_LOADMAP3DCOLORS);
    BITMAP info {};
    if (!loaded || !m_bmpStates.Attach(static_cast<HGDIOBJ>(loaded)) || !m_bmpStates.GetBitmap(&info)) {
        m_bmpStates.DeleteObject();
        m_nStateWidth = m_nStateHeight = 0;
        return FALSE;
    }
    m_nStateHeight = info.bmHeight;
    m_nStateWidth = info.bmWidth / 3;
    // A null place in the stacking order also brings the button to the top
    // of its siblings, as it always has.
    SetWindowPos(nullptr, 0, 0, m_nStateWidth, m_nStateHeight, SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

void CHoverButton::SetTooltipText(const CString* pText, BOOL bActivate)
{
    if (pText)
        SetTooltipText(pText->GetString(), bActivate);
}

void CHoverButton::SetTooltipText(const char* text, BOOL bActivate)
{
    if (!text)
        return;
    EnsureTooltip();
    if (m_ToolTip.GetToolCount() == 0) {
        CRect rc;
        GetClientRect(&rc);
        m_ToolTip.AddTool(this, text, &rc, kToolId);
    }
    m_ToolTip.UpdateTipText(text, this, kToolId);
    m_ToolTip.Activate(bActivate);
}

void CHoverButton::SetChecked(BOOL bChecked)
{
    m_bChecked = bChecked;
    Invalidate(TRUE);
}

void CHoverButton::EnsureTooltip()
{
    if (m_ToolTip.GetSafeHwnd())
        return;
    m_ToolTip.Create(this, 0);
    // Inactive until a text is given.
    m_ToolTip.Activate(FALSE);
}

BOOL CHoverButton::PreTranslateMessage(MSG* pMsg)
{
    EnsureTooltip();
    m_ToolTip.RelayEvent(pMsg);
    return CBitmapButton::PreTranslateMessage(pMsg);
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!m_bmpStates.GetSafeHandle())
        return;
    // Pressed and checked win over the highlight; the disabled and focus
    // bits are ignored.
    int picture = kNormal;
    if ((lpDrawItemStruct->itemState & ODS_SELECTED) || m_bChecked)
        picture = kPressed;
    else if (m_bHover)
        picture = kHighlighted;

    // Plain handles: buttons are drawn often, and wrappers of the objects a
    // fresh memory context holds would pile up until the program is idle.
    HDC memory = ::CreateCompatibleDC(lpDrawItemStruct->hDC);
    if (!memory)
        return;
    HGDIOBJ old = ::SelectObject(memory, m_bmpStates.GetSafeHandle());
    ::BitBlt(lpDrawItemStruct->hDC, 0, 0, m_nStateWidth, m_nStateHeight, memory, picture * m_nStateWidth, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void CHoverButton::OnMouseMove(UINT nFlags, CPoint point)
{
    // Hover and leave are asked for once per visit of the pointer.
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme {};
        tme.cbSize = sizeof tme;
        tme.dwFlags = TME_HOVER | TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = 1;
        m_bTracking = ::_TrackMouseEvent(&tme);
    }
    CBitmapButton::OnMouseMove(nFlags, point);
}

void CHoverButton::OnMouseHover(UINT, CPoint)
{
    m_bHover = TRUE;
    Invalidate(TRUE);
}

void CHoverButton::OnMouseLeave()
{
    m_bTracking = FALSE;
    m_bHover = FALSE;
    Invalidate(TRUE);
}
