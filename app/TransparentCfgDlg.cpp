#include "app/TransparentCfgDlg.h"

#include "app/InkveilApp.h"
#include "app/PopupLeave.h"
#include "draw/DrawSettings.h"
#include "platform/afx/ClientDc.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/PaintDc.h"
#include "platform/gdiplus/GdiPlusFlat.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(CTransparentCfgDlg, CBitmapDialog)
ON_MESSAGE(WM_SLIDER_POSCHANGED, &CTransparentCfgDlg::OnSliderPosChanged)
ON_WM_PAINT()
ON_BN_CLICKED(CTransparentCfgDlg::IDC_OK, &CTransparentCfgDlg::OnOkButton)
ON_BN_CLICKED(CTransparentCfgDlg::IDC_CANCEL, &CTransparentCfgDlg::OnCancelButton)
END_MESSAGE_MAP()

namespace {

// The preview: a 20-pixel bar across the white box, the percentage centred
// on it.
constexpr REAL kBarWidth = 20.0f;
constexpr POINT kBarFrom { 140, 85 };
constexpr POINT kBarTo { 210, 85 };
constexpr RectF kLabel { 140.0f, 75.0f, 70.0f, 20.0f };
constexpr REAL kLabelSize = 15.0f;
// The text hint the label is drawn with.
constexpr TextRenderingHint kLabelHint = static_cast<TextRenderingHint>(4);

} // namespace

CTransparentCfgDlg::CTransparentCfgDlg(CWnd* palette)
    : CBitmapDialog(IDD, palette)
{
}

CTransparentCfgDlg::~CTransparentCfgDlg()
{
    if (m_hWnd)
        DestroyWindow();
}

void CTransparentCfgDlg::DoDataExchange(CDataExchange* pDX)
{
    CBitmapDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OK, m_btnOk);
    DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_SLIDER, m_slider);
}

BOOL CTransparentCfgDlg::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();
    // Keyed but not shaped: the popup keeps its plain rectangle.
    LoadBackground(IDB_SKIN);
    m_bTransparentStatics = TRUE;
    m_bDragAnywhere = FALSE;
    SetTransparentColor(RGB(255, 255, 0));

    m_slider.SetChannelImage(IDB_CHANNEL, TRUE, SLIDER_KEY_FROM_PIXEL);
    m_slider.SetThumbImage(IDB_THUMB, TRUE, SLIDER_KEY_FROM_PIXEL);
    m_slider.SetRange(0, 100, FALSE);
    m_slider.SetMargins(0, 0, 0, 0);
    m_slider.SetPos(InkveilApp()->m_nAlphaPercent);

    m_btnOk.LoadStateStrip(IDB_OK);
    m_btnOk.SetTooltipText("确定", TRUE);
    m_btnCancel.LoadStateStrip(IDB_CANCEL);
    m_btnCancel.SetTooltipText("取消", TRUE);
    return TRUE;
}

BOOL CTransparentCfgDlg::PreTranslateMessage(MSG* pMsg)
{
    CheckPopupLeave(this, m_bEntered);
    return CBitmapDialog::PreTranslateMessage(pMsg);
}

LRESULT CTransparentCfgDlg::OnSliderPosChanged(WPARAM wParam, LPARAM)
{
    if (wParam == IDC_SLIDER)
        Invalidate(TRUE);
    return 0;
}

void CTransparentCfgDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawPreview(m_slider.GetPos());
}

void CTransparentCfgDlg::DrawPreview(int percent)
{
    const CInkveilApp* app = InkveilApp();
    const ARGB colour = ArgbFromColorRef(AlphaFromPercent(percent), app ? app->m_crColor : 0);

    GpPen* pen = nullptr;
    GdipCreatePen1(colour, kBarWidth, UnitWorld, &pen);
    CClientDC dc(this);
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(dc.m_hDC, &graphics);
    GdipDrawLineI(graphics, pen, kBarFrom.x, kBarFrom.y, kBarTo.x, kBarTo.y);

    GpFontFamily* family = nullptr;
    GdipCreateFontFamilyFromName(u"宋体", nullptr, &family);
    GpFont* font = nullptr;
    GdipCreateFont(family, kLabelSize, FontStyleRegular, UnitPixel, &font);
    GpSolidFill* brush = nullptr;
    GdipCreateSolidFill(0xFF000000, &brush);
    GpStringFormat* format = nullptr;
    GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
    GdipSetTextRenderingHint(graphics, kLabelHint);

    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    // The label is digits and a percent sign: each byte is its own UTF-16
    // unit in any ANSI code page.
    WCHAR wide[16] = {};
    for (int i = 0; text[i] && i < 15; ++i)
        wide[i] = static_cast<WCHAR>(static_cast<unsigned char>(text[i]));
    GdipDrawString(graphics, wide, -1, font, &kLabel, format, reinterpret_cast<GpBrush*>(brush));

    GdipDeleteStringFormat(format);
    GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush));
    GdipDeleteFont(font);
    GdipDeleteFontFamily(family);
    GdipDeleteGraphics(graphics);
    GdipDeletePen(pen);
}

void CTransparentCfgDlg::OnOkButton()
{
    InkveilApp()->m_nAlphaPercent = m_slider.GetPos();
    OnOK();
}

void CTransparentCfgDlg::OnCancelButton() { OnCancel(); }
