#pragma once

// CHoverButton: the owner-drawn push button of the skinned windows. Its face
// is one of three equal pictures cut side by side from one bitmap strip:
// normal, pressed, and highlighted while the pointer rests on it. A caller
// may hold it in the pressed picture (checked) to mark the active one of
// several choices. It carries its own tooltip, and draws no text, focus mark
// or disabled picture.

#include "platform/afx/BitmapButton.h"
#include "platform/afx/String.h"
#include "platform/afx/ToolTipCtrl.h"

class CHoverButton : public CBitmapButton {
public:
    CHoverButton() = default;

    // Takes the strip from the bitmap resource of that id (any strip held
    // before is freed) and sizes the button to one picture. Answers FALSE
    // when the resource is missing; the button then shows nothing.
    BOOL LoadStateStrip(UINT nBitmapId);
    // Sets the tooltip's text, adding the one tool (the button's client
    // area, id 1) the first time; a null text does nothing.
    void SetTooltipText(const CString* pText, BOOL bActivate = TRUE);
    void SetTooltipText(const char* text, BOOL bActivate = TRUE);
    // Shows the pressed picture whatever the mouse does (TRUE), or not.
    void SetChecked(BOOL bChecked);
    BOOL IsChecked() const { return m_bChecked; }
    // Creates the tooltip, inactive, if it does not exist yet.
    void EnsureTooltip();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    BOOL m_bHover = FALSE;
    int m_nStateWidth = 0;
    int m_nStateHeight = 0;
    CBitmap m_bmpStates;
    BOOL m_bTracking = FALSE;
    BOOL m_bChecked = FALSE;
    CToolTipCtrl m_ToolTip;
};
