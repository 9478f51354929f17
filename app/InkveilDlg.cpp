// The palette window itself: its start-up, its tooltips, auto-hide at the
// right screen edge, closing and destruction. The commands that choose
// tools and settings are in PaletteCommands.cpp.

#include "app/InkveilDlg.h"

#include "app/EraserDlg.h"
#include "app/InkveilApp.h"
#include "app/LineTypeConfigDialog.h"
#include "app/SavePicture.h"
#include "app/TransparentCfgDlg.h"
#include "board/MyWnd.h"
#include "camera/VideoConfigDlg.h"
#include "camera/VideoDlg.h"
#include "platform/afx/ClientDc.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/Menu.h"
#include "platform/afx/PaintDc.h"

BEGIN_MESSAGE_MAP(CInkveilDlg, CBitmapDialog)
ON_WM_TIMER()
ON_MESSAGE(WM_DOCK_CHECK, &CInkveilDlg::OnDockCheck)
ON_MESSAGE(WM_CLOSE_POPUP, &CInkveilDlg::OnClosePopup)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DESTROY()
ON_BN_CLICKED(CInkveilDlg::IDC_CLOSE, &CInkveilDlg::OnCloseButton)
ON_BN_CLICKED(CInkveilDlg::IDC_MIN, &CInkveilDlg::OnMin)
ON_BN_CLICKED(CInkveilDlg::IDC_SAVE, &CInkveilDlg::OnSave)
ON_BN_CLICKED(CInkveilDlg::IDC_PEN, &CInkveilDlg::OnPen)
ON_BN_CLICKED(CInkveilDlg::IDC_LINE, &CInkveilDlg::OnLine)
ON_BN_CLICKED(CInkveilDlg::IDC_RECTANGLE, &CInkveilDlg::OnRectangle)
ON_BN_CLICKED(CInkveilDlg::IDC_RECTFILL, &CInkveilDlg::OnRectFill)
ON_BN_CLICKED(CInkveilDlg::IDC_CIRCLE, &CInkveilDlg::OnCircle)
ON_BN_CLICKED(CInkveilDlg::IDC_CIRCLEFILL, &CInkveilDlg::OnCircleFill)
ON_BN_CLICKED(CInkveilDlg::IDC_ELLIPSE, &CInkveilDlg::OnEllipse)
ON_BN_CLICKED(CInkveilDlg::IDC_ELLIPSEFILL, &CInkveilDlg::OnEllipseFill)
ON_BN_CLICKED(CInkveilDlg::IDC_ERASE, &CInkveilDlg::OnErase)
ON_BN_CLICKED(CInkveilDlg::IDC_COLOR, &CInkveilDlg::OnColor)
ON_CBN_SELCHANGE(CInkveilDlg::IDC_WIDTH, &CInkveilDlg::OnSelchangeWidth)
ON_BN_CLICKED(CInkveilDlg::IDC_LINE_TYPE, &CInkveilDlg::OnLineTypeButton)
ON_BN_CLICKED(CInkveilDlg::IDC_TRANSPARENCY, &CInkveilDlg::OnTransparencyButton)
ON_BN_CLICKED(CInkveilDlg::IDC_BLINK, &CInkveilDlg::OnBlink)
ON_BN_CLICKED(CInkveilDlg::IDC_MODE, &CInkveilDlg::OnModeSwitch)
END_MESSAGE_MAP()

const UINT CInkveilDlg::kToolButtonIds[kToolButtons] = { IDC_CLOSE, IDC_PEN, IDC_LINE, IDC_RECTANGLE, IDC_CIRCLE,
    IDC_ELLIPSE, IDC_RECTFILL, IDC_CIRCLEFILL, IDC_ELLIPSEFILL, IDC_ERASE, IDC_COLOR, IDC_SAVE };

namespace {

// The palette's own tooltips, in the order they are added.
struct ToolTip {
    UINT id;
    const char* text;
};
constexpr ToolTip kToolTips[] = {
    { CInkveilDlg::IDC_PEN, "画笔" },
    { CInkveilDlg::IDC_LINE, "直线" },
    { CInkveilDlg::IDC_RECTANGLE, "空心矩形" },
    { CInkveilDlg::IDC_CIRCLE, "空心圆形" },
    { CInkveilDlg::IDC_ELLIPSE, "空心椭圆" },
    { CInkveilDlg::IDC_RECTFILL, "实心矩形" },
    { CInkveilDlg::IDC_CIRCLEFILL, "实心圆形" },
    { CInkveilDlg::IDC_ELLIPSEFILL, "实心椭圆" },
    { CInkveilDlg::IDC_COLOR, "颜色设置" },
    { CInkveilDlg::IDC_ERASE, "橡皮擦" },
    { CInkveilDlg::IDC_SAVE, "保存绘图" },
    { CInkveilDlg::IDC_CLOSE, "关闭" },
};

// The pen widths offered, in list order; the second is chosen at start.
constexpr const char* kWidths[] = { "1", "3", "5", "7", "10", "15", "20", "30" };
constexpr int kStartWidthIndex = 1;

// Where the palette's top-left corner goes, from the desktop's bottom-right
// corner.
constexpr int kHomeFromRight = 48;
constexpr int kHomeFromBottom = 630;
// How wide the folded palette is, and how near the screen's right edge a
// full palette counts as docked there.
constexpr int kStripWidth = 4;
constexpr int kDockSlack = 2;

} // namespace

CInkveilDlg::CInkveilDlg(CVideoDlg* parent)
    : CBitmapDialog(IDD, parent)
    , m_hIcon(::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_PROGRAM)))
    , m_pVideo(parent ? &parent->m_video : nullptr)
{
}

CInkveilDlg::~CInkveilDlg()
{
    // A palette deleted with its window up takes the window (and with it
    // the board and the eraser window) along first.
    if (m_hWnd)
        DestroyWindow();
}

void CInkveilDlg::DoDataExchange(CDataExchange* pDX)
{
    CBitmapDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MIN, m_btnMin);
    DDX_Control(pDX, IDC_WIDTH, m_cbWidth);
    DDX_Control(pDX, IDC_LINE_TYPE, m_btnLineType);
    DDX_Control(pDX, IDC_TRANSPARENCY, m_btnTransparency);
    DDX_Control(pDX, IDC_MODE, m_btnMode);
    DDX_Control(pDX, IDC_BLINK, m_btnBlink);
}

BOOL CInkveilDlg::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();

    // The About item of the system menu, which does nothing when chosen.
    CString about;
    about.LoadString(IDS_ABOUTBOX);
    if (CMenu* menu = GetSystemMenu(FALSE); menu && !about.IsEmpty()) {
        menu->AppendMenu(MF_SEPARATOR);
        menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    // No task bar entry.
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);

    // Near the right edge, top-most. The desktop's rectangle is taken in the
    // palette's client coordinates, which for this frameless window at the
    // origin are the screen's.
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    ScreenToClient(&desktop);
    SetWindowPos(&wndTopMost, desktop.right - kHomeFromRight, desktop.bottom - kHomeFromBottom, 0, 0, SWP_NOSIZE);

    LoadBackground(IDB_SKIN);
    m_bTransparentStatics = TRUE;
    m_bDragAnywhere = TRUE;
    SetTransparentColor(RGB(255, 255, 0));
    SetShaped(TRUE);

    for (int i = 0; i < kToolButtons; ++i)
        m_btnTools[i].AutoLoad(kToolButtonIds[i], this);
    ShowMinButton();

    for (int i = 0; i < static_cast<int>(std::size(kWidths)); ++i)
        m_cbWidth.InsertString(i, kWidths[i]);
    m_cbWidth.SetCurSel(kStartWidthIndex);
    OnSelchangeWidth();

    m_ToolTip.Create(this, 0);
    m_ToolTip.Activate(TRUE);
    for (const ToolTip& tip : kToolTips)
        m_ToolTip.AddTool(GetDlgItem(static_cast<int>(tip.id)), tip.text);

    GetWindowRect(&m_rcHome);
    SetTimer(TIMER_DOCK, DOCK_PERIOD_MS);
    m_bAutoHide = 0;

    m_pEraserDlg = std::make_unique<EraserDlg>();
    m_pEraserDlg->Create(EraserDlg::IDD, nullptr);
    InkveilApp()->m_pEraserDlg = m_pEraserDlg.get();
    m_pEraserDlg->ShowWindow(SW_HIDE);

    m_pVideoConfigDlg = CVideoConfigDlg::Open(this);

    m_btnLineType.LoadStateStrip(IDB_LINE_TYPE);
    m_btnLineType.SetTooltipText("线形", TRUE);
    m_btnTransparency.LoadStateStrip(IDB_TRANSPARENCY);
    m_btnTransparency.SetTooltipText("透明度", TRUE);
    ShowBlinkButton();
    ShowModeButton();
    return TRUE;
}

BOOL CInkveilDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd)
        m_ToolTip.RelayEvent(pMsg);
    return CBitmapDialog::PreTranslateMessage(pMsg);
}

void CInkveilDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_DOCK)
        return;
    SendMessage(WM_DOCK_CHECK);
    Default();
}

LRESULT CInkveilDlg::OnDockCheck(WPARAM, LPARAM)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect now;
    GetWindowRect(&now);
    const int screenWidth = ::GetDeviceCaps(CClientDC(this).m_hDC, HORZRES);

    CRect target = now;
    if (now.PtInRect(cursor)) {
        // Over a palette at the edge (folded or not): the full palette, its
        // right and bottom edges kept.
        if (now.right >= screenWidth - kDockSlack)
            target = CRect(now.right - m_rcHome.Width(), now.bottom - m_rcHome.Height(), now.right, now.bottom);
    } else if (m_bAutoHide == 1) {
        target = CRect(screenWidth - kStripWidth, now.top, screenWidth, now.bottom);
    }
    // Twenty times a second with nothing to change: no move at all.
    if (target != now)
        MoveWindow(&target, TRUE);
    return 1;
}

void CInkveilDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        return;
    Default();
}

void CInkveilDlg::OnPaint()
{
    if (!IsIconic()) {
        CBitmapDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.m_hDC, x, y, m_hIcon);
}

HCURSOR CInkveilDlg::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_hIcon); }

void CInkveilDlg::OnDestroy()
{
    CBitmapDialog::OnDestroy();
    if (m_pVideoConfigDlg) {
        if (m_pVideoConfigDlg->m_hWnd)
            m_pVideoConfigDlg->DestroyWindow();
        m_pVideoConfigDlg.reset();
    }
    DiscardBoard();
    DiscardPopups();
    if (m_pEraserDlg) {
        if (m_pEraserDlg->m_hWnd)
            m_pEraserDlg->DestroyWindow();
        m_pEraserDlg.reset();
        InkveilApp()->m_pEraserDlg = nullptr;
    }
}

void CInkveilDlg::OnCloseButton()
{
    DiscardBoard();
    OnCancel();
    if (CVideoDlg* main = InkveilApp()->m_pMainDlg)
        main->SendMessage(WM_CLOSE);
}

void CInkveilDlg::OnMin()
{
    m_bAutoHide = !m_bAutoHide;
    ShowMinButton();
    m_btnMin.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CInkveilDlg::ShowMinButton()
{
    if (m_bAutoHide)
        m_btnMin.LoadBitmaps(IDB_MIN_ON, IDB_MIN_OFF);
    else
        m_btnMin.LoadBitmaps(IDB_MIN_OFF, IDB_MIN_ON);
}

void CInkveilDlg::OnSave() { SavePicture(m_pBoard.get(), m_bmpSaved, this); }

void CInkveilDlg::DiscardBoard()
{
    if (!m_pBoard)
        return;
    if (m_pBoard->m_hWnd)
        m_pBoard->DestroyWindow();
    m_pBoard.reset();
}
