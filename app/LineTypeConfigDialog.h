#pragma once

// The line type popup: four picture buttons, one per line type (free,
// straight, dashed, arrow). A press sets the palette's line type and asks
// the palette to close the popup; so does the pointer's leaving the popup
// after having been inside it. It never shows which line type is current.

#include "skin/BitmapDialog.h"
#include "skin/HoverButton.h"

class CInkveilDlg;

class CLineTypeConfigDialog : public CBitmapDialog {
public:
    enum {
        IDD = 179,
        IDB_SKIN = 182,
        IDC_FREE = 1013,
        IDC_STRAIGHT = 1014,
        IDC_DASHED = 1015,
        IDC_ARROW = 1016,
    };
    static constexpr int kButtons = 4;

    // A popup of that palette, which gets the line type chosen.
    explicit CLineTypeConfigDialog(CInkveilDlg* palette);
    ~CLineTypeConfigDialog() override;

    // In the order of the line types 0 to 3.
    CHoverButton m_btnTypes[kButtons];
    int m_bEntered = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnFree();
    afx_msg void OnStraight();
    afx_msg void OnDashed();
    afx_msg void OnArrow();
    DECLARE_MESSAGE_MAP()

private:
    // Marks the button of that line type alone, hands the type to the
    // palette and asks to be closed.
    void Choose(int lineType);

    CInkveilDlg* m_pPalette;
};
