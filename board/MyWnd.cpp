#include "board/MyWnd.h"

#include "app/EraserDlg.h"
#include "app/InkveilApp.h"
#include "draw/DrawSettings.h"
#include "platform/afx/ClientDc.h"
#include "platform/afx/PaintDc.h"
#include "platform/afx/WndClass.h"
#include "skin/SkinRuns.h"

#include <cassert>

BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SETFOCUS()
ON_WM_CLOSE()
ON_WM_TIMER()
ON_COMMAND(CMyWnd::ID_ERASER, &CMyWnd::SelectEraser)
ON_COMMAND(CMyWnd::ID_EXIT, &CMyWnd::CloseBoard)
ON_COMMAND(CMyWnd::ID_LINE, &CMyWnd::SelectLine)
ON_COMMAND(CMyWnd::ID_RECTANGLE, &CMyWnd::SelectRect)
ON_COMMAND(CMyWnd::ID_CIRCLE, &CMyWnd::SelectCircle)
ON_COMMAND(CMyWnd::ID_ELLIPSE, &CMyWnd::SelectEllipse)
END_MESSAGE_MAP()

namespace {

// The eraser window is placed at this size over the pointer; its outline
// keeps the mask's shape whatever the size.
constexpr int kEraserWindowSize = 162;

// The white of the mask lies outside the eraser.
constexpr COLORREF kMaskOutside = RGB(255, 255, 255);

} // namespace

CMyWnd::CMyWnd(CBitmap* screenBitmap)
    : m_pScreenBitmap(screenBitmap)
{
}

CMyWnd::~CMyWnd()
{
    // A board deleted with its window still up takes the window along first,
    // while everything its last messages may touch is still whole.
    if (m_hWnd)
        DestroyWindow();
    // Figures go in the order they were drawn.
    m_pCurrent = nullptr;
    for (auto& object : m_objects)
        object.reset();
    m_objects.clear();
    // The snapshot is the palette's: it leaves the memory DC before that
    // goes, so that the palette can free it.
    if (m_dcMem.m_hDC && m_pOldMemBitmap)
        m_dcMem.SelectObject(m_pOldMemBitmap);
    m_dcMem.DeleteDC();
}

BOOL CMyWnd::CreateBoard(const char* windowName, const RECT& rect, CWnd* /*palette*/)
{
    CWinApp* app = AfxGetApp();
    const char* windowClass = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
    if (!CreateEx(0, windowClass, windowName, WS_POPUP, rect, app ? app->m_pMainWnd : nullptr, 0))
        return FALSE;
    if (app) {
        m_hPenCursor = app->LoadCursor(IDC_PENCIL);
        m_hEraserCursor = app->LoadCursor(IDC_BLANK);
    }
    CClientDC dc(this);
    m_dcMem.CreateCompatibleDC(&dc);
    if (m_pScreenBitmap)
        m_pOldMemBitmap = m_dcMem.SelectObject(m_pScreenBitmap);
    return TRUE;
}

void CMyWnd::SetLineType(int lineType)
{
    m_nLineType = lineType;
    if (m_pCurrent)
        m_pCurrent->SetLineType(lineType);
}

void CMyWnd::ShowEraserWindow(int cmd)
{
    CInkveilApp* app = InkveilApp();
    if (app && app->m_pEraserDlg && app->m_pEraserDlg->m_hWnd)
        app->m_pEraserDlg->ShowWindow(cmd);
}

void CMyWnd::ApplyTool()
{
    ::SetCursor(m_hPenCursor);
    ShowEraserWindow(SW_HIDE);
}

void CMyWnd::SelectPen()
{
    m_nTool = TOOL_PEN;
    ApplyTool();
}

void CMyWnd::SelectLine()
{
    m_nTool = TOOL_LINE;
    ApplyTool();
}

void CMyWnd::SelectRect()
{
    m_bFill = 0;
    m_nTool = TOOL_RECTANGLE;
    ApplyTool();
}

void CMyWnd::SelectRectFill()
{
    m_bFill = 1;
    m_nTool = TOOL_RECTANGLE;
    ApplyTool();
}

void CMyWnd::SelectCircle()
{
    m_bFill = 0;
    m_nTool = TOOL_CIRCLE;
    ApplyTool();
}

void CMyWnd::SelectCircleFill()
{
    SelectCircle();
    m_bFill = 1;
    ApplyTool();
}

void CMyWnd::SelectEllipse()
{
    m_bFill = 0;
    m_nTool = TOOL_ELLIPSE;
    ApplyTool();
}

void CMyWnd::SelectEllipseFill()
{
    SelectEllipse();
    m_bFill = 1;
    ApplyTool();
}

void CMyWnd::SelectEraser()
{
    // The cursor and the eraser window change at the next mouse move.
    m_nTool = TOOL_ERASE;
    m_pCurrent = nullptr;
    m_bStroking = false;
}

void CMyWnd::CloseBoard() { ShowEraserWindow(SW_HIDE); }

void CMyWnd::OnLButtonDown(UINT flags, CPoint point)
{
    m_pCurrent = nullptr;
    m_bStroking = false;
    if (m_nTool == TOOL_ERASE) {
        // The board erases without an object: the snapshot comes back under
        // the mask instead.
        ::SetCursor(m_hEraserCursor);
        EraseAt(point);
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    std::unique_ptr<CDrawObj> object(CreateDrawObj(m_nTool));
    if (!object) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    // The settings live in the application object, which outlives every
    // window.
    const CInkveilApp* app = InkveilApp();
    assert(app);
    SetCapture();
    object->SetAlpha(AlphaFromPercent(app->m_nAlphaPercent));
    if (m_bFill) {
        object->SetFill(1);
        object->SetBrush(m_crFill);
    } else {
        object->SetFill(0);
    }
    object->SetPen(PS_SOLID, app->m_nPenWidth, app->m_crColor);
    object->SetLineType(m_nLineType);
    m_pCurrent = object.get();
    m_objects.push_back(std::move(object));
    m_bStroking = true;
    {
        CClientDC dc(this);
        m_pCurrent->AddPoint(point.x, point.y, &dc);
    }
    CWnd::OnLButtonDown(flags, point);
}

void CMyWnd::OnMouseMove(UINT flags, CPoint point)
{
    const bool buttonDown = (flags & MK_LBUTTON) != 0;
    if (m_nTool == TOOL_ERASE) {
        ::SetCursor(m_hEraserCursor);
        CInkveilApp* app = InkveilApp();
        if (app && app->m_pEraserDlg && app->m_pEraserDlg->m_hWnd) {
            // The client point taken as a screen point puts the eraser
            // window's corner kTop pixels above the pointer, where EraseAt
            // puts the mask.
            app->m_pEraserDlg->ShowWindow(SW_SHOW);
            app->m_pEraserDlg->MoveWindow(point.x, point.y, kEraserWindowSize, kEraserWindowSize, TRUE);
        }
    } else {
        ::SetCursor(m_hPenCursor);
    }
    if (buttonDown) {
        if (m_pCurrent && m_bStroking) {
            CClientDC dc(this);
            m_pCurrent->AddPoint(point.x, point.y, &dc);
        } else if (!m_pCurrent) {
            EraseAt(point);
        }
        // A drag that did not begin on the board leaves a finished figure
        // alone.
    }
    CWnd::OnMouseMove(flags, point);
}

void CMyWnd::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_pCurrent && m_bStroking) {
        m_bStroking = false;
        ::ReleaseCapture();
        CClientDC dc(this);
        m_pCurrent->DrawFinal(&dc);
        // The screen holds the figure now and the board never draws it
        // again; the list keeps only a shell.
        m_pCurrent->ReleaseFinishedParts();
    }
    // The finished figure stays current until the next press, so that a
    // line type chosen now still reaches it.
    CWnd::OnLButtonUp(flags, point);
}

void CMyWnd::OnRButtonDown(UINT flags, CPoint point)
{
    SendMessage(WM_KILLFOCUS, 0, 0);
    CWnd::OnRButtonDown(flags, point);
}

BOOL CMyWnd::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->BitBlt(0, 0, client.Width(), client.Height(), &m_dcMem, 0, kTop, SRCCOPY);
    return TRUE;
}

void CMyWnd::OnPaint()
{
    // Erasing has drawn everything there is; figures are not redrawn.
    CPaintDC dc(this);
    if (IsIconic())
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
}

void CMyWnd::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->GetMainWnd() : nullptr;
    if (main && main->m_hWnd)
        SetWindowPos(main, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void CMyWnd::OnClose() { CloseBoard(); }

void CMyWnd::OnTimer(UINT_PTR) { }

void CMyWnd::EraseAt(CPoint p)
{
    HBITMAP mask = static_cast<HBITMAP>(
        ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_ERASER_MASK), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    if (!mask) {
        MessageBox("导入背景图失败!", "提示", MB_OK);
        return;
    }
    ScreenToClient(&p);
    const skin::BitmapColors picture = skin::ReadBitmapColors(mask);
    ::DeleteObject(mask);
    CClientDC dc(this);
    // One strip per run of each mask row: the snapshot pixel that belongs
    // under each covered client pixel.
    for (int row = 0; row < picture.height; ++row) {
        const COLORREF* colors = picture.colors.data() + static_cast<std::ptrdiff_t>(row) * picture.width;
        skin::ForEachRunInRow(colors, picture.width, kMaskOutside, [&](int left, int right) {
            dc.BitBlt(p.x + left, p.y + row, right - left, 1, &m_dcMem, p.x + left, p.y + row + kTop, SRCCOPY);
        });
    }
}
