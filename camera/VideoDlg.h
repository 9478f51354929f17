#pragma once

// The application's main window: a dialog on template 103, opened
// maximised, whose only control is the video view on a dark grey
// background. While it initialises it places the view in a 4:3 area and
// starts the video. The palette, the toolbar and the adjustment panel find
// the view through this window, the application's main window.

#include "camera/VideoStatic.h"
#include "platform/afx/Dialog.h"

#include <functional>
#include <memory>

class CInkveilDlg;

class CVideoDlg : public CDialog {
public:
    enum { IDD = 103, IDC_VIDEO = 1012, IDI_PROGRAM = 128 };

    explicit CVideoDlg(CWnd* pParent = nullptr);
    ~CVideoDlg() override;

    // The floating tool palette, owned; it holds the video toolbar. Made
    // while the window initialises.
    std::unique_ptr<CInkveilDlg> m_pPalette;
    CVideoStatic m_video;
    HICON m_hIcon = nullptr;

    // The video toolbar's ShowZoom, which shows the zoom after a wheel turn
    // on the view. Set by whoever makes the toolbar; while it is empty the
    // view's reports reach nothing.
    std::function<void(int percent)> m_showZoom;
    void ShowZoomOnToolbar(int percent);

    // The background shown around the view.
    static constexpr COLORREF kBackground = RGB(100, 100, 100);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Esc reach a dialog as its OK and Cancel; the main window has
    // neither, so a stray key (a presentation remote sends Esc) never ends
    // the program and takes the teacher's drawings with it.
    void OnOK() override;
    void OnCancel() override;
    // The close box, the palette's CLOSE and WM_CLOSE end the program.
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
