#include "skin/BitmapDialog.h"

#include "skin/SkinRuns.h"

#include <algorithm>
#include <cstring>

BEGIN_MESSAGE_MAP(CBitmapDialog, CDialog)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

// Platform trackbars keep their ordinary background even when the other
// static controls let the skin show through.
constexpr const char* kTrackbarClass = "msctls_trackbar32";

// The size of a rectangle moved to the origin.
RECT AtOrigin(const RECT& r) { return RECT { 0, 0, r.right - r.left, r.bottom - r.top }; }

} // namespace

CBitmapDialog::CBitmapDialog(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent)
    , m_hNullBrush(static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)))
{
}

CBitmapDialog::~CBitmapDialog() { FreeBackground(); }

BOOL CBitmapDialog::LoadBackground(UINT bitmapId)
{
    FreeBackground();
    HBITMAP loaded = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(bitmapId));
    if (!loaded)
        return FALSE;
    m_pBackground = new CBitmap;
    m_pBackground->Attach(loaded);
    m_bOwnsBitmap = TRUE;
    m_bHasBitmap = TRUE;
    return TRUE;
}

void CBitmapDialog::SetTransparentColor(COLORREF color) { m_clrTransparent = color; }

void CBitmapDialog::SetShaped(BOOL shaped)
{
    m_bShaped = shaped;
    UpdateRegion();
}

void CBitmapDialog::ApplySkin(UINT bitmapId, BOOL dragAnywhere)
{
    LoadBackground(bitmapId);
    m_bTransparentStatics = TRUE;
    m_bDragAnywhere = dragAnywhere;
    SetTransparentColor(kKeyYellow);
    SetShaped(TRUE);
}

void CBitmapDialog::FreeBackground()
{
    if (m_bOwnsBitmap) {
        m_pBackground->DeleteObject();
        delete m_pBackground;
        m_pBackground = nullptr;
        m_bOwnsBitmap = FALSE;
    }
    m_bHasBitmap = FALSE;
}

void CBitmapDialog::UpdateRegion()
{
    if (!m_hWnd)
        return;
    CRect window;
    GetWindowRect(&window);
    const RECT windowBox = AtOrigin(window);

    // Without a background there is nothing to cut the outline from, so a
    // shaped dialog keeps its whole rectangle rather than vanishing.
    if (!m_bShaped || !m_bHasBitmap || !m_pBackground) {
        SetWindowRgn(::CreateRectRgnIndirect(&windowBox), TRUE);
        return;
    }

    // The outline starts as the part of the window outside a client-sized
    // rectangle at the top left: nothing for a frameless popup, the frame's
    // right and bottom band for a framed window.
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    const RECT clientBox = AtOrigin(client);
    HRGN region = ::CreateRectRgnIndirect(&windowBox);
    HRGN clientRgn = ::CreateRectRgnIndirect(&clientBox);
    ::CombineRgn(region, region, clientRgn, RGN_XOR);

    const skin::BitmapColors picture = skin::ReadBitmapColors(*m_pBackground);
    const int scanWidth = std::min(picture.width, static_cast<int>(clientBox.right));
    const int scanHeight = std::min(picture.height, static_cast<int>(clientBox.bottom));
    // One rectangle one pixel high per run; the rows come top to bottom and
    // the runs left to right, which the region appends cheaply.
    for (const skin::Run& run :
        skin::FindRuns(picture.colors.data(), picture.width, scanWidth, scanHeight, m_clrTransparent)) {
        ::SetRectRgn(clientRgn, run.left, run.y, run.right, run.y + 1);
        ::CombineRgn(region, region, clientRgn, RGN_OR);
    }
    ::DeleteObject(clientRgn);
    SetWindowRgn(region, TRUE);
}

BOOL CBitmapDialog::OnEraseBkgnd(CDC* dc)
{
    if (!m_bHasBitmap || !m_pBackground)
        return CDialog::OnEraseBkgnd(dc);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(m_pBackground);
    dc->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return TRUE;
}

void CBitmapDialog::OnLButtonDown(UINT flags, CPoint point)
{
    CDialog::OnLButtonDown(flags, point);
    // Posted, not sent: the press is over by the time the window system
    // starts its caption drag, exactly as if the caption had been pressed.
    if (m_bDragAnywhere)
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

HBRUSH CBitmapDialog::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if (!m_bTransparentStatics || ctlColor != CTLCOLOR_STATIC || !wnd)
        return brush;
    char className[256] = {};
    ::GetClassName(wnd->m_hWnd, className, 255);
    if (std::strcmp(className, kTrackbarClass) == 0)
        return brush;
    dc->SetBkMode(TRANSPARENT);
    return m_hNullBrush;
}
