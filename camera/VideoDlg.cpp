// The main window: maximised, the view in a 4:3 area, dark grey around it.

#include "camera/VideoDlg.h"

#include "camera/VideoConfigDlg.h"
#include "camera/ViewZoom.h"
#include "platform/afx/DataExchange.h"

BEGIN_MESSAGE_MAP(CVideoDlg, CDialog)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CVideoDlg::CVideoDlg(CWnd* pParent)
    : CDialog(IDD, pParent)
    , m_hIcon(::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_PROGRAM)))
{
}

CVideoDlg::~CVideoDlg()
{
    // The toolbar and the palette go first; the view then tears the capture
    // graph down as the members go.
    m_pVideoConfig.reset();
    delete m_pPalette;
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

    // The tool palette, with this window as its parent object, is created
    // here as a modeless dialog on template 102 and shown, once the palette
    // exists; m_pPalette stays null until then, and the camera toolbar,
    // which the palette will make, is made here.
    OpenToolbar();
    return TRUE;
}

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

void CVideoDlg::OpenToolbar() { m_pVideoConfig = CVideoConfigDlg::Open(this); }
