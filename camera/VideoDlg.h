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

class CVideoConfigDlg;

class CVideoDlg : public CDialog {
public:
    enum { IDD = 103, IDC_VIDEO = 1012, IDI_PROGRAM = 128 };

    explicit CVideoDlg(CWnd* pParent = nullptr);
    ~CVideoDlg() override;

    // The floating tool palette, owned; it holds the video toolbar. Made by
    // the palette's own code once the palette exists: until then it stays
    // null, and everything that reaches the palette or the toolbar through
    // this window checks for that.
    CDialog* m_pPalette = nullptr;
    CVideoStatic m_video;
    HICON m_hIcon = nullptr;

    // The camera toolbar. Until the tool palette exists the video window
    // makes and holds it (OpenToolbar); the palette will own it instead.
    std::unique_ptr<CVideoConfigDlg> m_pVideoConfig;

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
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // Makes and shows the camera toolbar, owned by this window.
    void OpenToolbar();
};
