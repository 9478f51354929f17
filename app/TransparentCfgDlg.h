#pragma once

// The opacity popup: a slider from 0 to 100 percent, a preview bar in the
// drawing colour at the chosen opacity with the percentage written on it,
// OK (which stores the percentage for strokes begun afterwards) and
// Cancel. The preview follows the thumb when it is released or moved by a
// key, not while it is dragged. Like the line type popup, it asks the
// palette to close it once the pointer leaves it after having been inside.

#include "skin/BitmapDialog.h"
#include "skin/BitmapSlider.h"
#include "skin/HoverButton.h"

class CTransparentCfgDlg : public CBitmapDialog {
public:
    enum {
        IDD = 180,
        IDB_SKIN = 188,
        IDB_OK = 189,
        IDB_CANCEL = 190,
        IDB_CHANNEL = 191,
        IDB_THUMB = 192,
        IDC_OK = 1022,
        IDC_CANCEL = 1023,
        IDC_SLIDER = 1024,
    };

    explicit CTransparentCfgDlg(CWnd* palette);
    ~CTransparentCfgDlg() override;

    int m_bEntered = 0;
    CHoverButton m_btnOk;
    CHoverButton m_btnCancel;
    CBitmapSlider m_slider;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg LRESULT OnSliderPosChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg void OnOkButton();
    afx_msg void OnCancelButton();
    DECLARE_MESSAGE_MAP()

private:
    // The bar and the percentage for that position, over the preview box.
    void DrawPreview(int percent);
};
