// The camera toolbar: its making, skin, controls and place, its owner's
// view of it, and the adjustment panels it holds. Commands are in
// VideoConfigCommands.cpp; sliders, timers and tips in VideoConfigTimers.cpp.

#include "camera/VideoConfigDlg.h"

#include "camera/MainVideoView.h"
#include "camera/VideoConfigBSC.h"
#include "camera/VideoDlg.h"
#include "platform/afx/DataExchange.h"

namespace {

constexpr UINT IDB_SLIDER_CHANNEL = 169;
constexpr UINT IDB_SLIDER_THUMB = 166;

// The toolbar's picture is 1366 pixels wide; it stands this far above the
// desktop's bottom edge.
constexpr int kWidth = 1366;
constexpr int kAboveBottom = 120;

struct ButtonSkin {
    CHoverButton CVideoConfigDlg::*button;
    UINT strip;
    const char* tooltip;
};

// The hover buttons in the order they are set up, with their strips and
// tooltips.
constexpr ButtonSkin kButtons[] = {
    { &CVideoConfigDlg::m_btnAdjust, 164, "图像调整" },
    { &CVideoConfigDlg::m_btnHighDef, 167, "高清" },
    { &CVideoConfigDlg::m_btnHighSpeed, 168, "高速" },
    { &CVideoConfigDlg::m_btnZoomOut, 177, "缩小" },
    { &CVideoConfigDlg::m_btnZoomIn, 176, "放大" },
    { &CVideoConfigDlg::m_btnActualSize, 171, "实际大小" },
    { &CVideoConfigDlg::m_btnFitScreen, 172, "适合屏幕" },
    { &CVideoConfigDlg::m_btnRotateCcw, 178, "逆时针旋转" },
    { &CVideoConfigDlg::m_btnRotateCw, 173, "顺时针旋转" },
    { &CVideoConfigDlg::m_btnPhoto, 175, "抓图" },
};

void SetUpSlider(CBitmapSlider& slider, int minimum, int maximum)
{
    slider.SetChannelImage(IDB_SLIDER_CHANNEL, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
    slider.SetThumbImage(IDB_SLIDER_THUMB, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
    slider.SetRange(minimum, maximum, FALSE);
    slider.SetMargins(1, 0, 0, 0);
}

} // namespace

BEGIN_MESSAGE_MAP(CVideoConfigDlg, CBitmapDialog)
ON_BN_CLICKED(IDC_ADJUST, &CVideoConfigDlg::OnAdjust)
ON_BN_CLICKED(IDC_HIGH_DEF, &CVideoConfigDlg::OnHighDef)
ON_BN_CLICKED(IDC_HIGH_SPEED, &CVideoConfigDlg::OnHighSpeed)
ON_CONTROL(CBN_DROPDOWN, IDC_DEVICE, &CVideoConfigDlg::OnDeviceDropDown)
ON_CBN_SELCHANGE(IDC_DEVICE, &CVideoConfigDlg::OnDeviceChange)
ON_CONTROL(CBN_SELENDOK, IDC_DEVICE, &CVideoConfigDlg::OnDeviceChosen)
ON_CONTROL(CBN_CLOSEUP, IDC_DEVICE, &CVideoConfigDlg::OnDeviceCloseUp)
ON_BN_CLICKED(IDC_ZOOM_OUT, &CVideoConfigDlg::OnZoomOut)
ON_BN_CLICKED(IDC_ZOOM_IN, &CVideoConfigDlg::OnZoomIn)
ON_BN_CLICKED(IDC_ACTUAL_SIZE, &CVideoConfigDlg::OnActualSize)
ON_BN_CLICKED(IDC_FIT, &CVideoConfigDlg::OnFitScreen)
ON_BN_CLICKED(IDC_ROTATE_CCW, &CVideoConfigDlg::OnRotateCcw)
ON_BN_CLICKED(IDC_ROTATE_CW, &CVideoConfigDlg::OnRotateCw)
ON_BN_CLICKED(IDC_PHOTO, &CVideoConfigDlg::OnPhoto)
ON_MESSAGE(WM_ADJUST_PANEL_HIDDEN, &CVideoConfigDlg::OnPanelHidden)
ON_MESSAGE(WM_SLIDER_POSCHANGED, &CVideoConfigDlg::OnSliderPosChanged)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CVideoConfigDlg::CVideoConfigDlg(CWnd* pParent)
    : CBitmapDialog(IDD, pParent)
{
}

CVideoConfigDlg::~CVideoConfigDlg()
{
    // The window may still stand (its owner let the object go first); its
    // last messages no longer reach this class, so the wheel's way here is
    // cut now.
    ForgetWheelZooms();
    // Every panel still alive goes (its window may already have gone with
    // the toolbar's, which owned it), then the tip; then the members.
    for (auto& panel : m_panels)
        panel->DestroyWindow();
    m_panels.clear();
    m_pAdjustPanel = nullptr;
    CloseTip();
}

std::unique_ptr<CVideoConfigDlg> CVideoConfigDlg::Open(CWnd* parent)
{
    auto toolbar = std::make_unique<CVideoConfigDlg>();
    if (!toolbar->Create(IDD, parent))
        return nullptr;
    toolbar->ShowWindow(SW_SHOW);
    return toolbar;
}

void CVideoConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CBitmapDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADJUST, m_btnAdjust);
    DDX_Control(pDX, IDC_HIGH_DEF, m_btnHighDef);
    DDX_Control(pDX, IDC_HIGH_SPEED, m_btnHighSpeed);
    DDX_Control(pDX, IDC_ZOOM, m_sliderZoom);
    DDX_Control(pDX, IDC_RESOLUTION, m_sliderResolution);
    DDX_Control(pDX, IDC_DEVICE, m_comboDevice);
    DDX_Control(pDX, IDC_ZOOM_OUT, m_btnZoomOut);
    DDX_Control(pDX, IDC_ZOOM_IN, m_btnZoomIn);
    DDX_Control(pDX, IDC_ACTUAL_SIZE, m_btnActualSize);
    DDX_Control(pDX, IDC_FIT, m_btnFitScreen);
    DDX_Control(pDX, IDC_ROTATE_CW, m_btnRotateCw);
    DDX_Control(pDX, IDC_ROTATE_CCW, m_btnRotateCcw);
    DDX_Control(pDX, IDC_PHOTO, m_btnPhoto);
}

BOOL CVideoConfigDlg::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();

    if (CVMR_Capture* capture = Capture())
        capture->FillDeviceList(m_comboDevice.m_hWnd);
    m_comboDevice.SetCurSel(0);

    // Along the bottom of the desktop; on a screen 1366 pixels wide the
    // strip spans it.
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    SetWindowPos(&wndTopMost, desktop.right - kWidth, desktop.bottom - kAboveBottom, 0, 0, SWP_NOSIZE);

    ApplySkin(IDB_BACKGROUND, FALSE);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);

    for (const ButtonSkin& b : kButtons) {
        CHoverButton& button = this->*b.button;
        button.LoadStateStrip(b.strip);
        button.SetTooltipText(b.tooltip, TRUE);
    }
    // The resolution slider starts at 0, which shows step 4.
    SetUpSlider(m_sliderResolution, 0, 400);
    SetUpSlider(m_sliderZoom, 10, 600);
    m_sliderZoom.SetPos(100);

    // The view's wheel zooms reach this toolbar through the main window.
    if (CVideoDlg* main = MainVideoDlg())
        main->m_showZoom = [this](int percent) { ShowZoom(percent); };
    return TRUE;
}

void CVideoConfigDlg::OnDestroy()
{
    ForgetWheelZooms();
    CBitmapDialog::OnDestroy();
}

void CVideoConfigDlg::ForgetWheelZooms()
{
    if (CVideoDlg* main = MainVideoDlg())
        main->m_showZoom = nullptr;
}

CVideoStatic* CVideoConfigDlg::View() { return MainVideoView(); }

CVMR_Capture* CVideoConfigDlg::Capture()
{
    CVideoStatic* view = View();
    return view ? view->m_pCapture : nullptr;
}

void CVideoConfigDlg::OnAdjust()
{
    // Every press opens another panel above the pointer; the older ones
    // stay until they hide themselves.
    CPoint cursor;
    ::GetCursorPos(&cursor);
    auto panel = std::make_unique<CVideoConfigBSC>(cursor.x, cursor.y, nullptr);
    if (!panel->Create(CVideoConfigBSC::IDD, this))
        return;
    panel->ShowWindow(SW_SHOW);
    m_pAdjustPanel = panel.get();
    m_panels.push_back(std::move(panel));
}

LRESULT CVideoConfigDlg::OnPanelHidden(WPARAM, LPARAM lParam)
{
    const HWND hidden = reinterpret_cast<HWND>(lParam);
    for (auto it = m_panels.begin(); it != m_panels.end(); ++it) {
        if ((*it)->m_hWnd != hidden)
            continue;
        if (m_pAdjustPanel == it->get())
            m_pAdjustPanel = nullptr;
        (*it)->DestroyWindow();
        m_panels.erase(it);
        break;
    }
    return 0;
}

void CVideoConfigDlg::ShowZoom(int percent)
{
    m_nZoomPercent = percent;
    m_sliderZoom.SetPos(percent);
    SetTimer(kZoomTipTimer, 200);
}
