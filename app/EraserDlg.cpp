#include "app/EraserDlg.h"

EraserDlg::EraserDlg(CWnd* parent)
    : CBitmapDialog(IDD, parent)
{
}

BOOL EraserDlg::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();
    LoadBackground(IDB_ERASER);
    // White is what the mask leaves outside the eraser.
    SetTransparentColor(RGB(255, 255, 255));
    SetShaped(TRUE);
    m_bTransparentStatics = TRUE;
    m_bDragAnywhere = TRUE;
    return TRUE;
}
