#pragma once

// CVideoConfigDlg: the document camera's toolbar, a long flat skinned strip
// near the bottom of the screen that stays on top. From it the teacher
// chooses the capture device, steps the capture size up ("高清") or down
// ("高速") or picks it on a slider, zooms by buttons or slider, shows the
// actual size or fits the picture, turns it by quarter turns, opens the
// image adjustment panel and takes a photograph. Short red tips confirm a
// new capture size or zoom.
//
// All camera work goes through the application's main window, its video
// view and the view's capture graph, reached anew on every use. Timers 1, 2
// and 3 defer the capture-size change, close the tip and show the zoom tip;
// starting a pending timer restarts it, so a burst of presses or slider
// moves leads to one rebuild and one tip.
//
// Its owner makes it with Open (template 104, the owner's window as
// parent, shown) and destroys it with the object. While it lives it also
// receives the view's wheel zooms (ShowZoom), through the main window.

#include "platform/afx/ComboBox.h"
#include "platform/afx/String.h"
#include "skin/BitmapDialog.h"
#include "skin/BitmapSlider.h"
#include "skin/DialogTip.h"
#include "skin/HoverButton.h"

#include <memory>
#include <vector>

class CVideoConfigBSC;
class CVideoStatic;
class CVMR_Capture;

class CVideoConfigDlg : public CBitmapDialog {
public:
    enum { IDD = 104, IDB_BACKGROUND = 162 };
    enum {
        IDC_ADJUST = 1013,
        IDC_HIGH_DEF = 1014,
        IDC_HIGH_SPEED = 1015,
        IDC_RESOLUTION = 1016,
        IDC_ZOOM = 1017,
        IDC_DEVICE = 1018,
        IDC_ZOOM_OUT = 1019,
        IDC_ZOOM_IN = 1020,
        IDC_ACTUAL_SIZE = 1021,
        IDC_FIT = 1022,
        IDC_ROTATE_CCW = 1023,
        IDC_ROTATE_CW = 1024,
        IDC_PHOTO = 1025,
    };
    enum : UINT_PTR { kResolutionTimer = 1, kTipTimer = 2, kZoomTipTimer = 3 };

    explicit CVideoConfigDlg(CWnd* pParent = nullptr);
    ~CVideoConfigDlg() override;

    // Constructs the toolbar, creates its window on template 104 with parent
    // as its parent (the owner: the palette, or the video window until the
    // palette exists), and shows it. It places itself along the bottom of
    // the desktop. Null when the window could not be made.
    static std::unique_ptr<CVideoConfigDlg> Open(CWnd* parent);

    // The view's wheel changed the zoom: move the zoom slider and show the
    // zoom tip 200 ms later with the true percentage.
    void ShowZoom(int percent);

    CHoverButton m_btnAdjust;
    // The newest adjustment panel, one of m_panels; null when none is open.
    CVideoConfigBSC* m_pAdjustPanel = nullptr;
    CHoverButton m_btnHighDef;
    CHoverButton m_btnHighSpeed;
    int m_nResolutionStep = 4;
    std::unique_ptr<CDialogTip> m_pTip;
    CBitmapSlider m_sliderZoom;
    CBitmapSlider m_sliderResolution;
    int m_nRotation = 0;
    CComboBox m_comboDevice;
    // An entry of the open list was chosen (CBN_SELENDOK), not yet acted on.
    bool m_bDeviceChosen = false;
    CHoverButton m_btnZoomOut;
    CHoverButton m_btnZoomIn;
    CHoverButton m_btnActualSize;
    CHoverButton m_btnFitScreen;
    CHoverButton m_btnRotateCw;
    CHoverButton m_btnRotateCcw;
    CHoverButton m_btnPhoto;
    int m_nZoomPercent = 100;

    // Every adjustment panel still alive, the newest last. A panel that has
    // hidden itself is destroyed once its own handler has returned; the
    // rest go with the toolbar.
    std::vector<std::unique_ptr<CVideoConfigBSC>> m_panels;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape leave the toolbar standing: a dialog's usual answer,
    // hiding it, would take every camera control away until the program
    // starts again (presentation remotes send Escape).
    void OnOK() override { }
    void OnCancel() override { }

    // Commands (VideoConfigCommands.cpp).
    afx_msg void OnAdjust();
    afx_msg void OnHighDef();
    afx_msg void OnHighSpeed();
    afx_msg void OnDeviceDropDown();
    afx_msg void OnDeviceChange();
    // Choosing the camera in use again changes no selection, so no
    // OnDeviceChange follows; when another program held that camera, the
    // choice tries it again, once the list has closed.
    afx_msg void OnDeviceChosen();
    afx_msg void OnDeviceCloseUp();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomIn();
    afx_msg void OnActualSize();
    afx_msg void OnFitScreen();
    afx_msg void OnRotateCcw();
    afx_msg void OnRotateCw();
    afx_msg void OnPhoto();
    afx_msg LRESULT OnPanelHidden(WPARAM wParam, LPARAM lParam);

    // Sliders, timers and tips (VideoConfigTimers.cpp).
    afx_msg LRESULT OnSliderPosChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The main window's view and its capture graph, or null.
    static CVideoStatic* View();
    static CVMR_Capture* Capture();
    // Stops the view's wheel zooms reaching this toolbar.
    static void ForgetWheelZooms();

    // Fills the device list anew from the capture graph, keeping the
    // selected name selected where it is still listed.
    void RefillDeviceList();
    // Runs a zoom operation of the view and shows its answer in the zoom
    // tip 100 ms later.
    void ZoomBy(int (CVideoStatic::*zoom)());
    void RotateBy(int degrees);

    void ApplyResolution();
    void ShowZoomTip();
    // Closes the tip shown, if any, and makes a new one with the text.
    CDialogTip& ReplaceTip(const CString& text);
    void CloseTip();
    // A control's window rectangle on the screen.
    CRect ScreenRectOf(const CWnd& control) const;
};
