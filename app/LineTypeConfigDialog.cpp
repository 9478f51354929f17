#include "app/LineTypeConfigDialog.h"

#include "app/InkveilDlg.h"
#include "app/PopupLeave.h"
#include "draw/DrawSettings.h"
#include "platform/afx/DataExchange.h"

BEGIN_MESSAGE_MAP(CLineTypeConfigDialog, CBitmapDialog)
ON_BN_CLICKED(CLineTypeConfigDialog::IDC_FREE, &CLineTypeConfigDialog::OnFree)
ON_BN_CLICKED(CLineTypeConfigDialog::IDC_STRAIGHT, &CLineTypeConfigDialog::OnStraight)
ON_BN_CLICKED(CLineTypeConfigDialog::IDC_DASHED, &CLineTypeConfigDialog::OnDashed)
ON_BN_CLICKED(CLineTypeConfigDialog::IDC_ARROW, &CLineTypeConfigDialog::OnArrow)
END_MESSAGE_MAP()

namespace {

// Each button's picture strip and tooltip, by line type.
struct Look {
    UINT strip;
    const char* tip;
};
constexpr Look kLooks[CLineTypeConfigDialog::kButtons] = {
    { 183, "任意" },
    { 184, "直线" },
    { 185, "虚线" },
    { 186, "箭头" },
};

} // namespace

CLineTypeConfigDialog::CLineTypeConfigDialog(CInkveilDlg* palette)
    : CBitmapDialog(IDD, palette)
    , m_pPalette(palette)
{
}

CLineTypeConfigDialog::~CLineTypeConfigDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

void CLineTypeConfigDialog::DoDataExchange(CDataExchange* pDX)
{
    CBitmapDialog::DoDataExchange(pDX);
    for (int i = 0; i < kButtons; ++i)
        DDX_Control(pDX, IDC_FREE + i, m_btnTypes[i]);
}

BOOL CLineTypeConfigDialog::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();
    LoadBackground(IDB_SKIN);
    m_bTransparentStatics = TRUE;
    m_bDragAnywhere = FALSE;
    SetTransparentColor(RGB(255, 255, 0));
    SetShaped(TRUE);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    for (int i = 0; i < kButtons; ++i) {
        m_btnTypes[i].LoadStateStrip(kLooks[i].strip);
        m_btnTypes[i].SetTooltipText(kLooks[i].tip, TRUE);
    }
    return TRUE;
}

BOOL CLineTypeConfigDialog::PreTranslateMessage(MSG* pMsg)
{
    CheckPopupLeave(this, m_bEntered);
    return CBitmapDialog::PreTranslateMessage(pMsg);
}

void CLineTypeConfigDialog::Choose(int lineType)
{
    for (int i = 0; i < kButtons; ++i)
        m_btnTypes[i].SetChecked(i == lineType);
    if (m_pPalette)
        m_pPalette->SetLineType(lineType);
    RequestPopupClose(this);
}

void CLineTypeConfigDialog::OnFree() { Choose(LINE_FREE); }
void CLineTypeConfigDialog::OnStraight() { Choose(LINE_STRAIGHT); }
void CLineTypeConfigDialog::OnDashed() { Choose(LINE_DASHED); }
void CLineTypeConfigDialog::OnArrow() { Choose(LINE_ARROW); }
