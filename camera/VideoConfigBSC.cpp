// The image adjustment panel: three sliders over the camera's brightness,
// saturation and contrast, and the half-second self-hide.

#include "camera/VideoConfigBSC.h"

#include "camera/MainVideoView.h"
#include "camera/VideoStatic.h"
#include "platform/afx/DataExchange.h"

namespace {

constexpr UINT IDB_CHANNEL = 165;
constexpr UINT IDB_THUMB = 166;

} // namespace

BEGIN_MESSAGE_MAP(CVideoConfigBSC, CBitmapDialog)
ON_MESSAGE(WM_SLIDER_POSCHANGED, &CVideoConfigBSC::OnSliderPosChanged)
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, &CVideoConfigBSC::OnMouseLeave)
ON_WM_TIMER()
END_MESSAGE_MAP()

CVideoConfigBSC::CVideoConfigBSC(int x, int y, CWnd* pParent)
    : CBitmapDialog(IDD, pParent)
    , m_xCursor(x)
    , m_yCursor(y)
{
}

CVideoConfigBSC::~CVideoConfigBSC() = default;

void CVideoConfigBSC::DoDataExchange(CDataExchange* pDX)
{
    CBitmapDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BRIGHTNESS, m_sliderBrightness);
    DDX_Control(pDX, IDC_SATURATION, m_sliderSaturation);
    DDX_Control(pDX, IDC_CONTRAST, m_sliderContrast);
}

BOOL CVideoConfigBSC::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();
    // Centred above the pointer, its lower edge 15 pixels above it with the
    // 200 by 145 picture; near a screen edge it may stand partly off screen.
    SetWindowPos(&wndTopMost, m_xCursor - 100, m_yCursor - 160, 0, 0, SWP_NOSIZE);
    ApplySkin(IDB_BACKGROUND, FALSE);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);

    CBitmapSlider* sliders[] = { &m_sliderBrightness, &m_sliderSaturation, &m_sliderContrast };
    for (CBitmapSlider* slider : sliders) {
        slider->SetChannelImage(IDB_CHANNEL, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        slider->SetThumbImage(IDB_THUMB, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
    }
    for (CBitmapSlider* slider : sliders) {
        slider->SetRange(0, 100, FALSE);
        slider->SetMargins(2, 3, 2, 0);
    }
    // Without a camera, or one without these controls, the view answers 0.
    if (CVideoStatic* view = MainVideoView()) {
        m_sliderBrightness.SetPos(view->GetBrightness());
        m_sliderSaturation.SetPos(view->GetSaturation());
        m_sliderContrast.SetPos(view->GetContrast());
    }
    return TRUE;
}

LRESULT CVideoConfigBSC::OnSliderPosChanged(WPARAM wParam, LPARAM)
{
    // The camera changes at a release or a key only; the positions a drag
    // passes through are not sent. A camera that refuses says nothing.
    CVideoStatic* view = MainVideoView();
    if (!view)
        return 0;
    switch (wParam) {
    case IDC_BRIGHTNESS:
        view->SetBrightness(m_sliderBrightness.GetPos());
        break;
    case IDC_SATURATION:
        view->SetSaturation(m_sliderSaturation.GetPos());
        break;
    case IDC_CONTRAST:
        view->SetContrast(m_sliderContrast.GetPos());
        break;
    default:
        break;
    }
    return 0;
}

void CVideoConfigBSC::OnMouseMove(UINT, CPoint)
{
    // Only a move over the panel's own surface asks to hear of the pointer
    // leaving, so a panel the pointer never entered stays open.
    KillTimer(kHideTimer);
    TRACKMOUSEEVENT tme {};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    tme.dwHoverTime = 0;
    _TrackMouseEvent(&tme);
    Default();
}

LRESULT CVideoConfigBSC::OnMouseLeave(WPARAM, LPARAM)
{
    // Also when the pointer moves onto a slider; the slider's own moves
    // then cancel the hide at once (PreTranslateMessage).
    SetTimer(kHideTimer, kHideDelayMs);
    return 0;
}

BOOL CVideoConfigBSC::PreTranslateMessage(MSG* pMsg)
{
    // Every queued message of the panel or its sliders passes here: any of
    // them but a repaint or the leave notice itself is activity.
    if (pMsg->message != WM_PAINT && pMsg->message != WM_MOUSELEAVE)
        KillTimer(kHideTimer);
    return CBitmapDialog::PreTranslateMessage(pMsg);
}

void CVideoConfigBSC::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHideTimer) {
        OnCancel();
        KillTimer(kHideTimer);
    }
    Default();
}

void CVideoConfigBSC::OnCancel()
{
    CBitmapDialog::OnCancel();
    // Posted, so that the owner destroys the panel only after the handler
    // that hid it has returned.
    if (HWND parent = ::GetParent(m_hWnd))
        ::PostMessage(parent, WM_ADJUST_PANEL_HIDDEN, 0, reinterpret_cast<LPARAM>(m_hWnd));
}
