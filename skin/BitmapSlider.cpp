#include "skin/BitmapSlider.h"

#include "platform/afx/PaintDc.h"
#include "skin/MemDC.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CBitmapSlider, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CBitmapSlider::~CBitmapSlider() = default;

// ---- Images ----------------------------------------------------------------

BOOL CBitmapSlider::LoadKeyedImage(UINT nId, BOOL bKeyed, COLORREF crKey, int xKey, int yKey, CBitmap& image,
    CBitmap& mask)
{
    // The image is replaced only once the new one is there, so a failed
    // load leaves the slider as it was.
    HBITMAP loaded = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(nId));
    if (!loaded)
        return FALSE;
    image.DeleteObject();
    image.Attach(loaded);
    if (bKeyed)
        MakeMask(image, mask, crKey, xKey, yKey);
    else
        mask.DeleteObject();
    return TRUE;
}

BOOL CBitmapSlider::SetChannelImage(UINT nId, BOOL bKeyed, COLORREF crKey, int xKey, int yKey)
{
    if (nId == 0) {
        m_bmpChannel.DeleteObject();
        m_bmpChannelMask.DeleteObject();
        m_bHasChannel = FALSE;
        return TRUE;
    }
    if (!LoadKeyedImage(nId, bKeyed, crKey, xKey, yKey, m_bmpChannel, m_bmpChannelMask))
        return FALSE;
    BITMAP info {};
    m_bmpChannel.GetBitmap(&info);
    m_cxChannel = info.bmWidth;
    m_cyChannel = info.bmHeight;
    SetWindowPos(nullptr, 0, 0, m_cxChannel, m_cyChannel, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(&m_rcClient);
    m_bChannelKeyed = bKeyed;
    m_bHasChannel = TRUE;
    return TRUE;
}

BOOL CBitmapSlider::SetThumbImage(UINT nId, BOOL bKeyed, COLORREF crKey, int xKey, int yKey)
{
    if (nId == 0) {
        m_bmpThumb.DeleteObject();
        m_bmpThumbMask.DeleteObject();
        m_bmpThumbBg.DeleteObject();
        m_xThumbBg = m_yThumbBg = -1;
        m_bHasThumb = FALSE;
        return TRUE;
    }
    if (!LoadKeyedImage(nId, bKeyed, crKey, xKey, yKey, m_bmpThumb, m_bmpThumbMask))
        return FALSE;
    BITMAP info {};
    m_bmpThumb.GetBitmap(&info);
    m_cxThumb = info.bmWidth;
    m_cyThumb = info.bmHeight;
    if (!m_bHasChannel) {
        GetClientRect(&m_rcClient);
        m_cxChannel = m_rcClient.Width();
        m_cyChannel = m_rcClient.Height();
    }
    m_bThumbKeyed = bKeyed;
    m_bHasThumb = TRUE;
    return TRUE;
}

void CBitmapSlider::MakeMask(CBitmap& bitmap, CBitmap& mask, COLORREF crKey, int xKey, int yKey)
{
    BITMAP info {};
    bitmap.GetBitmap(&info);
    mask.DeleteObject();
    mask.CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);

    CDC image;
    CDC monochrome;
    image.CreateCompatibleDC(nullptr);
    monochrome.CreateCompatibleDC(nullptr);
    HGDIOBJ oldImage = ::SelectObject(image, bitmap.GetSafeHandle());
    HGDIOBJ oldMask = ::SelectObject(monochrome, mask.GetSafeHandle());

    // No real colour has its high byte set: that value asks for the colour
    // of the image's own pixel at the key point.
    if (crKey == SLIDER_KEY_FROM_PIXEL)
        crKey = image.GetPixel(xKey, yKey);

    // Colour to monochrome turns the background colour into 1, every other
    // colour into 0.
    image.SetBkColor(crKey);
    monochrome.BitBlt(0, 0, info.bmWidth, info.bmHeight, &image, 0, 0, SRCCOPY);
    // Monochrome to colour turns 1 into the background colour (black) and 0
    // into the text colour (white): the key-coloured pixels go black, the
    // others keep their colour.
    image.SetTextColor(RGB(255, 255, 255));
    image.SetBkColor(RGB(0, 0, 0));
    image.BitBlt(0, 0, info.bmWidth, info.bmHeight, &monochrome, 0, 0, SRCAND);

    ::SelectObject(image, oldImage);
    ::SelectObject(monochrome, oldMask);
}

void CBitmapSlider::DrawImage(CDC& dest, int x, int y, int cx, int cy, CDC& src, int xSrc, int ySrc, CBitmap* pMask,
    BOOL bKeyed)
{
    if (!bKeyed || !pMask || !pMask->GetSafeHandle()) {
        dest.BitBlt(x, y, cx, cy, &src, xSrc, ySrc, SRCCOPY);
        return;
    }
    CDC maskDc;
    maskDc.CreateCompatibleDC(&dest);
    HGDIOBJ old = ::SelectObject(maskDc, pMask->GetSafeHandle());
    // The mask turns into black (0) and white (1) through the destination's
    // text and background colours: 1 keeps the destination's pixel, 0 clears
    // it for the image, whose key pixels are black and so add nothing.
    COLORREF oldText = dest.SetTextColor(RGB(0, 0, 0));
    COLORREF oldBack = dest.SetBkColor(RGB(255, 255, 255));
    dest.BitBlt(x, y, cx, cy, &maskDc, xSrc, ySrc, SRCAND);
    dest.BitBlt(x, y, cx, cy, &src, xSrc, ySrc, SRCPAINT);
    dest.SetTextColor(oldText);
    dest.SetBkColor(oldBack);
    ::SelectObject(maskDc, old);
}

void CBitmapSlider::SaveThumbBackground(CDC& dc, int x, int y, int cx, int cy, CBitmap& bitmap)
{
    // A saved block of the same size is written over rather than replaced:
    // where the buffer holds no pixels (outside the part being painted) the
    // block keeps what was saved before, which is still what lies there.
    BITMAP info {};
    if (!bitmap.GetSafeHandle() || !bitmap.GetBitmap(&info) || info.bmWidth != cx || info.bmHeight != cy) {
        bitmap.DeleteObject();
        bitmap.CreateCompatibleBitmap(&dc, cx, cy);
    }
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    HGDIOBJ old = ::SelectObject(memory, bitmap.GetSafeHandle());
    memory.BitBlt(0, 0, cx, cy, &dc, x, y, SRCCOPY);
    ::SelectObject(memory, old);
}

void CBitmapSlider::RestoreThumbBackground(CDC& dc, int x, int y, int cx, int cy, CBitmap& bitmap)
{
    if (!bitmap.GetSafeHandle())
        return;
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    HGDIOBJ old = ::SelectObject(memory, bitmap.GetSafeHandle());
    dc.BitBlt(x, y, cx, cy, &memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
}

// ---- Geometry and position -------------------------------------------------

void CBitmapSlider::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    m_nRangeMin = nMin;
    m_nRangeMax = nMax;
    if (bRedraw)
        Invalidate(TRUE);
}

void CBitmapSlider::SetMargins(int nLeft, int nTop, int nRight, int nBottom)
{
    m_nMarginLeft = nLeft;
    m_nMarginTop = nTop;
    m_nMarginRight = nRight;
    m_nMarginBottom = nBottom;
}

void CBitmapSlider::SetPos(int nPos)
{
    m_nPos = nPos;
    if (m_nPos > m_nRangeMax)
        m_nPos = m_nRangeMax;
    if (m_nPos < m_nRangeMin)
        m_nPos = m_nRangeMin;
    Invalidate(TRUE);
}

int CBitmapSlider::TrackLength() const { return m_cxChannel - m_nMarginRight - m_cxThumb - m_nMarginLeft; }

int CBitmapSlider::PosToPixel(int nPos) const
{
    // An empty range or a channel with no room to travel keeps the thumb at
    // the track's left end.
    int length = TrackLength();
    int offset = 0;
    if (m_nRangeMax > m_nRangeMin && length > 0) {
        double ratio = (static_cast<double>(nPos) - m_nRangeMin) / (static_cast<double>(m_nRangeMax) - m_nRangeMin);
        offset = static_cast<int>(ratio * length);
    }
    return offset + m_nMarginLeft + m_cxThumb / 2;
}

int CBitmapSlider::PixelToPos(int x) const
{
    int length = TrackLength();
    if (m_nRangeMax <= m_nRangeMin || length <= 0)
        return m_nRangeMin;
    double along = static_cast<double>(x - m_cxThumb / 2 - m_nMarginLeft) / length;
    return static_cast<int>(along * (static_cast<double>(m_nRangeMax) - m_nRangeMin) + m_nRangeMin);
}

void CBitmapSlider::PostToParent(UINT message) const
{
    ::PostMessage(::GetParent(m_hWnd), message, static_cast<WPARAM>(GetDlgCtrlID()), m_nPos);
}

// ---- Mouse -----------------------------------------------------------------

void CBitmapSlider::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    SetFocus();
    m_bDragging = TRUE;
    // A press on the thumb keeps the grab point under the pointer; a press
    // elsewhere on the channel puts the thumb's centre there.
    int d = point.x - PosToPixel(m_nPos);
    m_nGrabOffset = std::abs(d) > m_cxThumb / 2 ? 0 : d;
    TrackTo(point.x);
    Invalidate(TRUE);
    Default();
}

void CBitmapSlider::OnMouseMove(UINT, CPoint point)
{
    if (!m_bDragging)
        return;
    TrackTo(point.x);
    Default();
}

void CBitmapSlider::TrackTo(int x)
{
    int c = x - m_nGrabOffset;
    int first = m_nMarginLeft + m_cxThumb / 2;
    int last = m_cxChannel - m_nMarginRight - m_cxThumb / 2;
    if (c < first)
        c = first;
    if (c > last)
        c = last;
    if (c == PosToPixel(m_nPos))
        return;
    // Not every pixel of the track maps back to itself through a position
    // (pixel 26 of a 77-pixel track over 0 to 400 gives position 98, whose
    // own pixel is 25), so a pixel that names the position the slider
    // already has is no move: the pointer stays within one column.
    int pos = PixelToPos(c);
    if (pos == m_nPos)
        return;
    SetPos(pos);
    PostToParent(WM_SLIDER_TRACK);
}

void CBitmapSlider::OnLButtonUp(UINT, CPoint)
{
    // Every release that reaches the control reports, also one whose press
    // began elsewhere.
    ::ReleaseCapture();
    m_bDragging = FALSE;
    Invalidate(TRUE);
    PostToParent(WM_SLIDER_POSCHANGED);
    Default();
}

// ---- Keyboard and focus ----------------------------------------------------

UINT CBitmapSlider::OnGetDlgCode()
{
    // Tab stays with the dialog's navigation; every other key comes here.
    if (::GetKeyState(VK_TAB) & KEY_DOWN_BIT)
        return static_cast<UINT>(Default());
    return DLGC_WANTALLKEYS;
}

void CBitmapSlider::OnKeyDown(UINT nChar, UINT, UINT)
{
    int pos = m_nPos;
    bool handled = true;
    switch (nChar) {
    case VK_PRIOR:
        pos = m_nPos - m_nPageStep;
        break;
    case VK_NEXT:
        pos = m_nPos + m_nPageStep;
        break;
    case VK_END:
        pos = m_nRangeMax;
        break;
    case VK_HOME:
        pos = m_nRangeMin;
        break;
    case VK_LEFT:
    case VK_UP:
        pos = m_nPos - 1;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        pos = m_nPos + 1;
        break;
    default:
        handled = false;
        break;
    }
    if (handled) {
        // Reported also when the position stays (Home at the minimum).
        SetPos(pos);
        PostToParent(WM_SLIDER_POSCHANGED);
    }
    Default();
}

void CBitmapSlider::OnSetFocus(CWnd* pOldWnd)
{
    CStatic::OnSetFocus(pOldWnd);
    m_bFocused = TRUE;
    Invalidate(TRUE);
}

void CBitmapSlider::OnKillFocus(CWnd*)
{
    Default();
    m_bFocused = FALSE;
    Invalidate(TRUE);
}

// ---- Painting and lifetime -------------------------------------------------

BOOL CBitmapSlider::OnEraseBkgnd(CDC*) { return TRUE; }

void CBitmapSlider::OnPaint()
{
    CPaintDC dc(this);
    // With a keyed channel (or none) the dialog's picture shows through, so
    // the buffer starts from what is on screen, old thumb included.
    const BOOL seeThrough = m_bChannelKeyed || !m_bHasChannel;
    CMemDC buffer(&dc, m_rcClient, seeThrough);
    CDC work;
    work.CreateCompatibleDC(&buffer);
    HGDIOBJ old = ::GetCurrentObject(work, OBJ_BITMAP);

    // DrawFocusRect inverts: drawing it again takes the old one away. An
    // opaque channel covers it anyway.
    if (m_bFocusDrawn && seeThrough) {
        buffer.DrawFocusRect(&m_rcClient);
        m_bFocusDrawn = FALSE;
    }
    if (m_bHasChannel) {
        ::SelectObject(work, m_bmpChannel.GetSafeHandle());
        DrawImage(buffer, 0, 0, m_cxChannel, m_cyChannel, work, 0, 0, &m_bmpChannelMask, m_bChannelKeyed);
    }
    // The picture under the old thumb goes back before the new one is drawn.
    if (m_xThumbBg != -1) {
        RestoreThumbBackground(buffer, m_xThumbBg, m_yThumbBg, m_cxThumb, m_cyThumb, m_bmpThumbBg);
        m_xThumbBg = -1;
    }
    if (m_bHasThumb) {
        int x = PosToPixel(m_nPos) - m_cxThumb / 2;
        int y = m_nMarginTop;
        if (seeThrough) {
            m_xThumbBg = x;
            m_yThumbBg = y;
            SaveThumbBackground(buffer, x, y, m_cxThumb, m_cyThumb, m_bmpThumbBg);
        }
        ::SelectObject(work, m_bmpThumb.GetSafeHandle());
        DrawImage(buffer, x, y, m_cxThumb, m_cyThumb, work, 0, 0, &m_bmpThumbMask, m_bThumbKeyed);
    }
    if (m_bFocused) {
        buffer.DrawFocusRect(&m_rcClient);
        m_bFocusDrawn = TRUE;
    }
    ::SelectObject(work, old);
}

void CBitmapSlider::OnDestroy()
{
    CStatic::OnDestroy();
    m_bmpChannel.DeleteObject();
    m_bmpChannelMask.DeleteObject();
    m_bmpThumb.DeleteObject();
    m_bmpThumbMask.DeleteObject();
    m_bmpThumbBg.DeleteObject();
    m_bHasChannel = m_bHasThumb = FALSE;
    m_xThumbBg = -1;
}
