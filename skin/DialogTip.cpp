#include "skin/DialogTip.h"

#include "platform/afx/PaintDc.h"
#include "platform/gdi/Text.h"

#include <utility>

namespace {

// Pure yellow: the skins' key colour. The tip's picture has none of it, so
// its outline is the whole picture.
constexpr COLORREF kKeyColour = RGB(255, 255, 0);

} // namespace

BEGIN_MESSAGE_MAP(CDialogTip, CBitmapDialog)
ON_WM_PAINT()
END_MESSAGE_MAP()

CDialogTip::CDialogTip(CWnd* pParent)
    : CBitmapDialog(IDD, pParent)
{
}

void CDialogTip::SetText(CString strText) { m_strText = std::move(strText); }

BOOL CDialogTip::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();
    LoadBackground(IDB_BACKGROUND);
    m_bTransparentStatics = TRUE;
    m_bDragAnywhere = FALSE;
    SetTransparentColor(kKeyColour);
    SetShaped(TRUE);
    return TRUE;
}

void CDialogTip::OnPaint()
{
    // The picture comes from erasing; the text goes over it, centred on one
    // line at the top, neither wrapped nor centred vertically, so a text
    // wider than the tip is cut at both sides.
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    ::DrawText(dc.GetSafeHdc(), m_strText.GetString(), m_strText.GetLength(), &rc, DT_CENTER);
}
