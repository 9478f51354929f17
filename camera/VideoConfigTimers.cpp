// The toolbar's sliders, its three timers and the tips they show: a new
// capture size is applied once a burst of presses or a slider release has
// settled, and confirmed in a red tip over the HD button; a new zoom is
// confirmed in a tip over the zoom out button.

#include "camera/VideoConfigDlg.h"

#include "camera/VideoStatic.h"

namespace {

constexpr UINT kSliderStepDelayMs = 2000;
constexpr UINT kZoomTipAfterSliderMs = 200;
constexpr UINT kSizeTipMs = 5000;
constexpr UINT kZoomTipMs = 3000;
constexpr int kTipWidth = 90;
constexpr int kTipHeight = 20;

// The resolution slider shows step s at (4 - s) x 100: its left end is the
// high definition end. A position chooses the nearest step.
int StepAt(int position) { return 4 - (position + 50) / 100; }
int PositionOf(int step) { return (4 - step) * 100; }

} // namespace

LRESULT CVideoConfigDlg::OnSliderPosChanged(WPARAM wParam, LPARAM)
{
    // The position comes from the slider itself.
    switch (wParam) {
    case IDC_RESOLUTION:
        m_nResolutionStep = StepAt(m_sliderResolution.GetPos());
        SetTimer(kResolutionTimer, kSliderStepDelayMs);
        break;
    case IDC_ZOOM:
        m_nZoomPercent = m_sliderZoom.GetPos();
        if (CVideoStatic* view = View())
            view->SetZoomPercent(m_nZoomPercent);
        SetTimer(kZoomTipTimer, kZoomTipAfterSliderMs);
        break;
    default:
        break;
    }
    return 0;
}

void CVideoConfigDlg::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kResolutionTimer:
        KillTimer(kResolutionTimer);
        ApplyResolution();
        break;
    case kTipTimer:
        KillTimer(kTipTimer);
        CloseTip();
        break;
    case kZoomTipTimer:
        KillTimer(kZoomTipTimer);
        ShowZoomTip();
        break;
    default:
        break;
    }
    Default();
}

void CVideoConfigDlg::ApplyResolution()
{
    CVMR_Capture* capture = Capture();
    // A failed change (-1) asks for position 500, which the slider holds at
    // 400; the step chosen stays as it was.
    const int step = capture ? capture->SelectResolution(m_nResolutionStep) : -1;
    m_sliderResolution.SetPos(PositionOf(step));
    const int width = capture ? capture->GetWidth() : 0;
    const int height = capture ? capture->GetHeight() : 0;
    CString text;
    text.Format("%dx%d", width, height);
    if (CVideoStatic* view = View())
        view->SetVideoSize(width, height);

    const CRect button = ScreenRectOf(m_btnHighDef);
    CDialogTip& tip = ReplaceTip(text);
    // Shown with activation, then moved.
    tip.ShowWindow(SW_SHOW);
    tip.MoveWindow(button.left + 60, button.top - 30, kTipWidth, kTipHeight, TRUE);
    SetTimer(kTipTimer, kSizeTipMs);
}

void CVideoConfigDlg::ShowZoomTip()
{
    // The tip tells the true zoom, also beyond the slider's ends.
    CString text;
    text.Format("%d%%", m_nZoomPercent);
    const CRect button = ScreenRectOf(m_btnZoomOut);
    CDialogTip& tip = ReplaceTip(text);
    tip.SetWindowPos(&wndTopMost, button.left + 40, button.top - 30, kTipWidth, kTipHeight,
        SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetTimer(kTipTimer, kZoomTipMs);
    m_sliderZoom.SetPos(m_nZoomPercent);
}

CDialogTip& CVideoConfigDlg::ReplaceTip(const CString& text)
{
    CloseTip();
    m_pTip = std::make_unique<CDialogTip>(nullptr);
    m_pTip->Create(CDialogTip::IDD, nullptr);
    m_pTip->SetText(text);
    return *m_pTip;
}

void CVideoConfigDlg::CloseTip()
{
    if (!m_pTip)
        return;
    m_pTip->DestroyWindow();
    m_pTip.reset();
}

CRect CVideoConfigDlg::ScreenRectOf(const CWnd& control) const
{
    CRect r;
    control.GetWindowRect(&r);
    return r;
}
