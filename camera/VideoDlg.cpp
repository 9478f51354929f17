// The main window: maximised, the view in a 4:3 area, dark grey around it.

#include "camera/VideoDlg.h"

#include "app/InkveilDlg.h"
#include "camera/ViewZoom.h"
#include "platform/afx/DataExchange.h"

BEGIN_MESSAGE_MAP(CVideoDlg, CDialog)
ON_WM_CLOSE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CVideoDlg::CVideoDlg(CWnd* pParent)
    : CDialog(IDD, pParent)
    , m_hIcon(::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_PROGRAM)))
{
}

CVideoDlg::~CVideoDlg()
{
    // The palette goes first; the view then tears the capture graph down as
    // the members go.
    m_pPalette.reset();
}

void CVideoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VIDEO, m_video);
}

BOOL CVideoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ShowWindow(SW_MAXIMIZE);

    // The view fills a 4:3 area, centred by the window's width and 100
    // pixels less high than the window; zoom factor 1 and fitting to the
    // window stand for this place from now on.
    CRect window;
    GetWindowRect(&window);
    ScreenToClient(&window);
    const CRect area = viewzoom::VideoArea(window);
    m_video.MoveWindow(&area, TRUE);
    m_video.StartVideo();

    // The floating tool palette, which sends its live-mode commands to this
    // window's view. Made without a parent window: it floats on its own,
    // owned by the main window.
    m_pPalette = std::make_unique<CInkveilDlg>(this);
    m_pPalette->Create(CInkveilDlg::IDD, nullptr);
    m_pPalette->ShowWindow(SW_SHOW);
    return TRUE;
}

void CVideoDlg::OnOK() { }

void CVideoDlg::OnCancel() { }

void CVideoDlg::OnClose() { EndDialog(IDCANCEL); }

BOOL CVideoDlg::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBrush brush;
    brush.CreateSolidBrush(kBackground);
    pDC->FillRect(&client, &brush);
    brush.DeleteObject();
    return TRUE;
}

void CVideoDlg::ShowZoomOnToolbar(int percent)
{
    if (m_showZoom)
        m_showZoom(percent);
}
