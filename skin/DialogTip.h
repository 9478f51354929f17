#pragma once

// CDialogTip: a small passive popup that shows one short line of white text
// centred at the top of a red picture, for a few seconds (the toolbar's new
// capture size or zoom). It takes no input and has no controls; its owner
// creates one for every message, sets the text, places and shows it, and
// destroys it when the message is done.

#include "platform/afx/String.h"
#include "skin/BitmapDialog.h"

class CDialogTip : public CBitmapDialog {
public:
    // The popup's template and its red picture.
    enum { IDD = 106, IDB_BACKGROUND = 170 };

    explicit CDialogTip(CWnd* pParent = nullptr);

    // Sets the text shown; the owner sets it before it shows the tip, so
    // nothing is repainted here.
    void SetText(CString strText);

    BOOL OnInitDialog() override;

    CString m_strText;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
