#pragma once

// CColorDialog: the common colour dialog. The custom colours the user mixes
// are kept for the life of the program and offered again by every colour
// dialog.

#include "platform/afx/Dialog.h"
#include "platform/window/Controls.h"

class CColorDialog : public CDialog {
public:
    // A non-zero initial colour is selected when the dialog opens.
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);

    // IDOK once the user picked a colour, else IDCANCEL.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc;
};
