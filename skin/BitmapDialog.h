#pragma once

// CBitmapDialog: the base of every borderless, picture-shaped popup of the
// program. The whole look of the window comes from one background bitmap:
// the client area is painted from it instead of being erased, the window's
// outline can be cut down to the bitmap's pixels that are not of a key
// colour (so the window is invisible and click-through elsewhere), static
// controls show the picture through, and a press anywhere on the surface can
// move the window.
//
// A subclass calls, from its own OnInitDialog after the base one,
// LoadBackground, SetTransparentColor and then SetShaped(TRUE). The outline
// is computed at that moment and never again by itself, so the background
// and the key colour must be in place first.

#include "platform/afx/Bitmap.h"
#include "platform/afx/Dialog.h"

class CBitmapDialog : public CDialog {
public:
    CBitmapDialog(UINT templateId, CWnd* parent);
    ~CBitmapDialog() override;

    // Lets the previous background go and loads the bitmap resource of that
    // id as the new one. Answers FALSE, with no background, when there is no
    // such bitmap. The window's outline is not touched.
    BOOL LoadBackground(UINT bitmapId);
    // The key colour cut out of the outline; the outline is not touched.
    void SetTransparentColor(COLORREF color);
    // Turns the bitmap-shaped outline on or off and applies it at once.
    void SetShaped(BOOL shaped);
    // Deletes the background if the dialog owns it; afterwards the dialog
    // has no background and erases by default.
    void FreeBackground();
    // Builds the window's outline from the background (or the full window
    // rectangle when not shaped) and hands it to the window, which owns it
    // from then on.
    void UpdateRegion();
    // The skin every yellow-keyed popup takes in its OnInitDialog: the
    // background, transparent statics, dragging as asked, the yellow key and
    // the shaped outline, in that order.
    void ApplySkin(UINT bitmapId, BOOL dragAnywhere);

    // Pure yellow: what the skins' pictures paint where they are cut away.
    static constexpr COLORREF kKeyYellow = RGB(255, 255, 0);

    BOOL m_bShaped = FALSE;
    BOOL m_bTransparentStatics = TRUE;
    // The stock hollow brush given to static controls; never freed.
    HBRUSH m_hNullBrush = nullptr;
    // No default: a subclass sets it before it turns the shape on.
    COLORREF m_clrTransparent = 0;
    BOOL m_bDragAnywhere = FALSE;
    BOOL m_bOwnsBitmap = FALSE;
    BOOL m_bHasBitmap = FALSE;
    CBitmap* m_pBackground = nullptr;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    DECLARE_MESSAGE_MAP()
};
