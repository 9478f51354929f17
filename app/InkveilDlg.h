#pragma once

// The floating tool palette: a narrow, picture-shaped, top-most strip near
// the right edge of the screen with the drawing tools, the colour, width,
// line type, opacity and blink commands, the switch between drawing on the
// live picture and drawing on a frozen screen, saving and closing.
//
// The main window makes the palette while it initialises; the palette then
// makes the eraser window and the camera toolbar and owns them, and makes
// the drawing board when the teacher first draws on a still picture. Every 50 ms it checks whether it
// should fold into a 4-pixel strip at the screen's right edge (auto-hide)
// or come back to full size.
//
// In live video mode the tools go to the video view; in still picture mode
// to the board, made over a fresh snapshot of the screen.

#include "platform/afx/Bitmap.h"
#include "platform/afx/BitmapButton.h"
#include "platform/afx/ComboBox.h"
#include "platform/afx/Rect.h"
#include "platform/afx/ToolTipCtrl.h"
#include "skin/BitmapDialog.h"
#include "skin/HoverButton.h"

#include <memory>

class CLineTypeConfigDialog;
class CMyWnd;
class CTransparentCfgDlg;
class CVideoConfigDlg;
class CVideoDlg;
class CVideoStatic;
class EraserDlg;

// Sent by the palette to itself every 50 ms: the auto-hide check.
inline constexpr UINT WM_DOCK_CHECK = WM_USER + 101;
// Posted by a popup that wants the palette to destroy it; wParam is the
// popup.
inline constexpr UINT WM_CLOSE_POPUP = WM_USER + 102;

class CInkveilDlg : public CBitmapDialog {
public:
    enum {
        IDD = 102,
        IDI_PROGRAM = 128,
        IDS_ABOUTBOX = 101,
        IDM_ABOUTBOX = 0x0010,
        IDB_SKIN = 157,
        // The MIN button's two pictures; which is "normal" flips with the
        // auto-hide flag.
        IDB_MIN_OFF = 161,
        IDB_MIN_ON = 160,
        IDB_LINE_TYPE = 181,
        IDB_TRANSPARENCY = 187,
        IDB_MODE_LIVE = 193,
        IDB_MODE_STILL = 194,
        IDB_BLINK_ON = 195,
        IDB_BLINK_OFF = 196,
        IDC_CLOSE = 1000,
        IDC_PEN = 1001,
        IDC_RECTANGLE = 1002,
        IDC_MODE = 1003,
        IDC_CIRCLE = 1004,
        IDC_ELLIPSE = 1005,
        IDC_LINE = 1006,
        IDC_ERASE = 1007,
        IDC_WIDTH = 1008,
        IDC_COLOR = 1009,
        IDC_RECTFILL = 1010,
        IDC_CIRCLEFILL = 1011,
        IDC_ELLIPSEFILL = 1012,
        IDC_SAVE = 1013,
        IDC_MIN = 1015,
        IDC_LINE_TYPE = 1021,
        IDC_TRANSPARENCY = 1022,
        IDC_BLINK = 1023,
        TIMER_DOCK = 1,
        DOCK_PERIOD_MS = 50,
    };
    // The drawing modes.
    enum { MODE_STILL = 0, MODE_LIVE = 1 };
    // How many tool buttons carry pictures named after their captions.
    static constexpr int kToolButtons = 12;

    // The palette of that main window; it sends its live-mode commands to
    // that window's video view.
    explicit CInkveilDlg(CVideoDlg* parent);
    ~CInkveilDlg() override;

    // The line type of figures begun from now on, on whichever surface is
    // active. Called by the line type popup.
    void SetLineType(int lineType);

    // Made by EnsureBoard, and by the mode switch into still picture mode.
    CMyWnd* Board() const { return m_pBoard.get(); }
    int DrawingMode() const { return m_nDrawMode; }
    int BlinkFlag() const { return m_bBlink; }
    int AutoHide() const { return m_bAutoHide; }
    int LineType() const { return m_nLineType; }
    const CRect& HomeRect() const { return m_rcHome; }

    // The camera toolbar, made with the palette as its parent.
    std::unique_ptr<CVideoConfigDlg> m_pVideoConfigDlg;
    HICON m_hIcon = nullptr;
    std::unique_ptr<CMyWnd> m_pBoard;
    CVideoStatic* m_pVideo = nullptr;
    int m_bBlink = 0;
    CRect m_rcHome;
    int m_bAutoHide = 0;
    CToolTipCtrl m_ToolTip;
    CBitmapButton m_btnMin;
    // In the order of kToolButtonIds.
    CBitmapButton m_btnTools[kToolButtons];
    CHoverButton m_btnLineType;
    CHoverButton m_btnTransparency;
    CHoverButton m_btnMode;
    CHoverButton m_btnBlink;
    // The open line type popup, if any.
    std::unique_ptr<CLineTypeConfigDialog> m_pLineTypeDlg;
    CComboBox m_cbWidth;
    // The screen as it was when the board was made; the board borrows it,
    // so it goes only after the board.
    std::unique_ptr<CBitmap> m_pSnapshot;
    // The board's picture as the last SAVE copied it.
    CBitmap m_bmpSaved;
    int m_nLineType = 0;
    int m_nDrawMode = MODE_LIVE;
    // The open transparency popup, if any.
    std::unique_ptr<CTransparentCfgDlg> m_pTransparentDlg;
    // The eraser window; the settings record points at it while it lives.
    std::unique_ptr<EraserDlg> m_pEraserDlg;

    // The tool buttons' control ids, in the order their pictures load.
    static const UINT kToolButtonIds[kToolButtons];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnDockCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnClosePopup(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnDestroy();
    afx_msg void OnCloseButton();
    afx_msg void OnMin();
    afx_msg void OnSave();

    // The commands that choose a tool or a setting (PaletteCommands.cpp).
    afx_msg void OnPen();
    afx_msg void OnLine();
    afx_msg void OnRectangle();
    afx_msg void OnRectFill();
    afx_msg void OnCircle();
    afx_msg void OnCircleFill();
    afx_msg void OnEllipse();
    afx_msg void OnEllipseFill();
    afx_msg void OnErase();
    afx_msg void OnColor();
    afx_msg void OnSelchangeWidth();
    afx_msg void OnLineTypeButton();
    afx_msg void OnTransparencyButton();
    afx_msg void OnBlink();
    afx_msg void OnModeSwitch();

    DECLARE_MESSAGE_MAP()

private:
    // Makes the board over a fresh snapshot unless there is one already.
    void EnsureBoard();
    // Destroys the board's window and the board, if there is one.
    void DiscardBoard();
    // Destroys both popups, if open.
    void DiscardPopups();
    // A tool command: the video view's tool in live video mode, the board's
    // selection (made first if need be) in still picture mode.
    void ChooseTool(int videoTool, void (CMyWnd::*select)());
    // The mode switch and blink buttons show the state they are in, with a
    // tooltip naming the state a press leads to.
    void ShowModeButton();
    void ShowBlinkButton();
    // The MIN button's pictures for the auto-hide flag.
    void ShowMinButton();
    // Destroys the popup, if there is one, and drops the requests to close
    // it that are still queued: a later popup that happens to get the same
    // address must not be closed by them.
    template <class Popup>
    void DiscardPopup(std::unique_ptr<Popup>& popup);
    // Opens a new popup of that kind in place of any open one, at
    // (B.left - dx, B.top - 50) with that size, B being the window
    // rectangle of the button that opens it.
    template <class Popup>
    void OpenPopup(std::unique_ptr<Popup>& popup, CWnd& button, int dx, int width, int height);
};
