// The palette's commands that choose a tool or a setting, and the two
// drawing modes: in live video mode the tools go to the video view, in
// still picture mode to the board over a frozen screen.

#include "app/EraserDlg.h"
#include "app/InkveilApp.h"
#include "app/InkveilDlg.h"
#include "app/LineTypeConfigDialog.h"
#include "app/ScreenSnapshot.h"
#include "app/TransparentCfgDlg.h"
#include "board/MyWnd.h"
#include "camera/VideoStatic.h"
#include "draw/DrawSettings.h"
#include "platform/afx/ClientDc.h"
#include "platform/afx/ColorDialog.h"

#include <cstdlib>
#include <vector>

namespace {

// The looks of the two state buttons: the strip and the tooltip, which
// names the state a press leads to.
struct ButtonLook {
    UINT strip;
    const char* tip;
};
constexpr ButtonLook kModeLive { CInkveilDlg::IDB_MODE_LIVE, "切换到：在静态图片上绘画" };
constexpr ButtonLook kModeStill { CInkveilDlg::IDB_MODE_STILL, "切换到：在动态视频上绘画" };
constexpr ButtonLook kBlinkOff { CInkveilDlg::IDB_BLINK_OFF, "闪烁显示" };
constexpr ButtonLook kBlinkOn { CInkveilDlg::IDB_BLINK_ON, "正常显示" };

void Show(CHoverButton& button, const ButtonLook& look)
{
    button.LoadStateStrip(look.strip);
    button.SetTooltipText(look.tip, TRUE);
}

} // namespace

void CInkveilDlg::ShowModeButton() { Show(m_btnMode, m_nDrawMode == MODE_LIVE ? kModeLive : kModeStill); }

void CInkveilDlg::ShowBlinkButton() { Show(m_btnBlink, m_bBlink ? kBlinkOn : kBlinkOff); }

void CInkveilDlg::ChooseTool(int videoTool, void (CMyWnd::*select)())
{
    if (m_nDrawMode == MODE_LIVE) {
        if (m_pVideo)
            m_pVideo->SetTool(videoTool);
        return;
    }
    EnsureBoard();
    if (m_pBoard)
        (m_pBoard.get()->*select)();
}

void CInkveilDlg::OnPen() { ChooseTool(TOOL_PEN, &CMyWnd::SelectPen); }
void CInkveilDlg::OnLine() { ChooseTool(TOOL_LINE, &CMyWnd::SelectLine); }
void CInkveilDlg::OnRectangle() { ChooseTool(TOOL_RECTANGLE, &CMyWnd::SelectRect); }
void CInkveilDlg::OnRectFill() { ChooseTool(TOOL_RECTFILL, &CMyWnd::SelectRectFill); }
void CInkveilDlg::OnCircle() { ChooseTool(TOOL_CIRCLE, &CMyWnd::SelectCircle); }
void CInkveilDlg::OnCircleFill() { ChooseTool(TOOL_CIRCLEFILL, &CMyWnd::SelectCircleFill); }
void CInkveilDlg::OnEllipse() { ChooseTool(TOOL_ELLIPSE, &CMyWnd::SelectEllipse); }
void CInkveilDlg::OnEllipseFill() { ChooseTool(TOOL_ELLIPSEFILL, &CMyWnd::SelectEllipseFill); }

void CInkveilDlg::OnErase()
{
    if (m_nDrawMode == MODE_LIVE) {
        if (m_pVideo)
            m_pVideo->SetTool(TOOL_ERASE);
        return;
    }
    // Before a board exists there is nothing to erase.
    if (m_pBoard)
        m_pBoard->SelectEraser();
}

void CInkveilDlg::EnsureBoard()
{
    if (m_pBoard)
        return;
    // The board borrows the snapshot: the old board is gone by now, so the
    // old snapshot may go too.
    m_pSnapshot.reset(SnapshotScreen());
    auto board = std::make_unique<CMyWnd>(m_pSnapshot.get());
    CRect rect;
    {
        CClientDC dc(this);
        rect = CRect(0, CMyWnd::kTop, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    }
    if (!board->CreateBoard(CMyWnd::kWindowName, rect, this))
        return;
    m_pBoard = std::move(board);
    SetWindowPos(m_pBoard.get(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    m_pBoard->ShowWindow(SW_SHOW);
    m_pBoard->SetLineType(m_nLineType);
}

void CInkveilDlg::OnModeSwitch()
{
    if (m_nDrawMode == MODE_LIVE) {
        m_nDrawMode = MODE_STILL;
        ShowModeButton();
        // Every entry into still picture mode freezes the screen anew.
        DiscardBoard();
        EnsureBoard();
    } else {
        m_nDrawMode = MODE_LIVE;
        ShowModeButton();
        // The board's strokes go with it.
        DiscardBoard();
    }
}

void CInkveilDlg::OnBlink()
{
    m_bBlink = !m_bBlink;
    ShowBlinkButton();
    if (m_nDrawMode == MODE_LIVE && m_pVideo)
        m_pVideo->SetBlink(m_bBlink);
}

void CInkveilDlg::OnColor()
{
    // Owned by the palette, so that the dialog comes up in front of the
    // top-most palette and toolbar and the board rather than behind them.
    CColorDialog dialog(0, 0, this);
    if (dialog.DoModal() == IDOK)
        InkveilApp()->m_crColor = dialog.GetColor();
    if (EraserDlg* eraser = InkveilApp()->m_pEraserDlg)
        eraser->ShowWindow(SW_HIDE);
}

void CInkveilDlg::OnSelchangeWidth()
{
    const int selected = m_cbWidth.GetCurSel();
    if (selected == CB_ERR)
        return;
    CString text;
    m_cbWidth.GetLBText(selected, text);
    InkveilApp()->m_nPenWidth = static_cast<int>(std::atol(text));
}

void CInkveilDlg::SetLineType(int lineType)
{
    m_nLineType = lineType;
    if (m_nDrawMode == MODE_LIVE) {
        if (m_pVideo)
            m_pVideo->SetLineType(lineType);
    } else if (m_pBoard) {
        m_pBoard->SetLineType(lineType);
    }
}

template <class Popup>
void CInkveilDlg::DiscardPopup(std::unique_ptr<Popup>& popup)
{
    if (!popup)
        return;
    const WPARAM gone = reinterpret_cast<WPARAM>(popup.get());
    if (popup->m_hWnd)
        popup->DestroyWindow();
    popup.reset();
    // Requests for other popups go back into the queue, in their order.
    std::vector<MSG> others;
    MSG msg;
    while (::PeekMessage(&msg, m_hWnd, WM_CLOSE_POPUP, WM_CLOSE_POPUP, PM_REMOVE))
        if (msg.wParam != gone)
            others.push_back(msg);
    for (const MSG& m : others)
        ::PostMessage(m.hwnd, m.message, m.wParam, m.lParam);
}

template <class Popup>
void CInkveilDlg::OpenPopup(std::unique_ptr<Popup>& popup, CWnd& button, int dx, int width, int height)
{
    DiscardPopup(popup);
    popup = std::make_unique<Popup>(this);
    popup->Create(Popup::IDD, this);
    popup->ShowWindow(SW_SHOW);
    CRect b;
    button.GetWindowRect(&b);
    popup->MoveWindow(b.left - dx, b.top - 50, width, height);
}

void CInkveilDlg::OnLineTypeButton() { OpenPopup(m_pLineTypeDlg, m_btnLineType, 125, 120, 180); }

void CInkveilDlg::OnTransparencyButton() { OpenPopup(m_pTransparentDlg, m_btnTransparency, 230, 230, 150); }

LRESULT CInkveilDlg::OnClosePopup(WPARAM wParam, LPARAM)
{
    // Only a popup the palette has now, whose window is still up; any other
    // request (none named, or one already gone) is ignored.
    const auto* asked = reinterpret_cast<const CWnd*>(wParam);
    if (asked && asked == m_pLineTypeDlg.get() && m_pLineTypeDlg->m_hWnd)
        DiscardPopup(m_pLineTypeDlg);
    else if (asked && asked == m_pTransparentDlg.get() && m_pTransparentDlg->m_hWnd)
        DiscardPopup(m_pTransparentDlg);
    return 1;
}

void CInkveilDlg::DiscardPopups()
{
    DiscardPopup(m_pLineTypeDlg);
    DiscardPopup(m_pTransparentDlg);
}
