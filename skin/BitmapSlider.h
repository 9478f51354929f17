#pragma once

// CBitmapSlider: a horizontal slider drawn wholly from two bitmaps, a
// channel (the track, which also gives the control its size) and a thumb
// that slides along it. Either can be drawn through a colour key, so that the
// dialog's own picture shows through its key-coloured pixels. The user drags
// the thumb or moves it with the keyboard, and the parent hears of it by
// posted messages. Every paint goes through one off-screen buffer, so the
// thumb never flickers.
//
// It sits in a dialog template as a static control with SS_NOTIFY (so that
// it gets mouse input) and is bound by data exchange; setting the channel
// image sizes it.

#include "platform/afx/Bitmap.h"
#include "platform/afx/Static.h"

// Posted to the parent during a drag each time the thumb moves: wParam the
// control's id, lParam the new position.
inline constexpr UINT WM_SLIDER_TRACK = WM_USER + 0x24D1;
// Posted to the parent at the release of the left button and after each key
// the slider handles: wParam the control's id, lParam the position.
inline constexpr UINT WM_SLIDER_POSCHANGED = WM_USER + 0x24D2;

// A key colour that means "the colour of the image's pixel at the key point".
inline constexpr COLORREF SLIDER_KEY_FROM_PIXEL = 0xFF000000;

class CBitmapSlider : public CStatic {
public:
    CBitmapSlider() = default;
    ~CBitmapSlider() override;

    // Loads the channel from the bitmap resource of that id (0 removes it)
    // and sizes the control to it. With bKeyed the channel is drawn through
    // the key colour; SLIDER_KEY_FROM_PIXEL takes the key from the pixel at
    // (xKey, yKey). Answers FALSE, keeping the image it had, when the
    // resource is missing.
    BOOL SetChannelImage(UINT nId, BOOL bKeyed = FALSE, COLORREF crKey = SLIDER_KEY_FROM_PIXEL, int xKey = 0,
        int yKey = 0);
    // The same for the thumb.
    BOOL SetThumbImage(UINT nId, BOOL bKeyed = FALSE, COLORREF crKey = SLIDER_KEY_FROM_PIXEL, int xKey = 0,
        int yKey = 0);

    // Sets the range; the position is not brought into it.
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    int GetRangeMin() const { return m_nRangeMin; }
    int GetRangeMax() const { return m_nRangeMax; }
    // Margins of the track inside the channel, in pixels. The bottom margin
    // is kept but the horizontal layout does not use it.
    void SetMargins(int nLeft, int nTop, int nRight, int nBottom);
    // Moves the thumb, held within the range (the minimum wins when the
    // range is inverted), and repaints. Posts nothing.
    void SetPos(int nPos);
    int GetPos() const { return m_nPos; }

protected:
    // The x of the thumb's centre for a position, and the position under a
    // thumb centre, both in client pixels.
    int PosToPixel(int nPos) const;
    int PixelToPos(int x) const;

    // Builds the monochrome mask of a bitmap (1 where the key colour is) and
    // blackens the key-coloured pixels of the bitmap itself, so that the
    // pair draws with SRCAND then SRCPAINT.
    static void MakeMask(CBitmap& bitmap, CBitmap& mask, COLORREF crKey, int xKey, int yKey);
    // Copies a block of the source to the destination; keyed, through the
    // mask, so that the destination shows where the key colour was.
    static void DrawImage(CDC& dest, int x, int y, int cx, int cy, CDC& src, int xSrc, int ySrc, CBitmap* pMask,
        BOOL bKeyed);
    // Keeps the destination's block under the thumb, and puts it back.
    static void SaveThumbBackground(CDC& dc, int x, int y, int cx, int cy, CBitmap& bitmap);
    static void RestoreThumbBackground(CDC& dc, int x, int y, int cx, int cy, CBitmap& bitmap);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    int m_nRangeMax = 100;
    int m_nRangeMin = 0;
    int m_nPos = 0;
    int m_nPageStep = 20;
    CRect m_rcClient;
    int m_cxChannel = 0;
    int m_cyChannel = 0;
    int m_cxThumb = 0;
    int m_cyThumb = 0;
    int m_nMarginLeft = 0;
    int m_nMarginRight = 0;
    int m_nMarginTop = 0;
    int m_nMarginBottom = 0;
    int m_xThumbBg = -1;
    int m_yThumbBg = -1;
    int m_nGrabOffset = 0;
    BOOL m_bChannelKeyed = FALSE;
    BOOL m_bThumbKeyed = FALSE;
    BOOL m_bHasThumb = FALSE;
    BOOL m_bHasChannel = FALSE;
    BOOL m_bDragging = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bFocusDrawn = FALSE;
    CBitmap m_bmpChannel;
    CBitmap m_bmpChannelMask;
    CBitmap m_bmpThumb;
    CBitmap m_bmpThumbMask;
    CBitmap m_bmpThumbBg;

private:
    // Loads an image and its mask for SetChannelImage and SetThumbImage.
    static BOOL LoadKeyedImage(UINT nId, BOOL bKeyed, COLORREF crKey, int xKey, int yKey, CBitmap& image,
        CBitmap& mask);
    // Moves the thumb's centre towards the pointer during a drag.
    void TrackTo(int x);
    // The track length: the pixels the thumb's centre can travel.
    int TrackLength() const;
    void PostToParent(UINT message) const;
};
