#pragma once

// CVideoConfigBSC: the image adjustment panel. A small skinned popup that
// the toolbar opens just above the pointer, with three sliders for the
// camera's brightness, saturation and contrast (top to bottom) in percent
// of the device's own ranges. It shows the camera's values as it opens,
// sends a value when a slider is released or moved by a key (never during a
// drag), and hides itself half a second after the pointer has left it for
// good; any activity on the panel or its sliders cancels a pending hide.
//
// Once hidden, it tells its parent window (the toolbar) with a posted
// WM_ADJUST_PANEL_HIDDEN, so that the owner can destroy it after this
// panel's own handler has returned.

#include "skin/BitmapDialog.h"
#include "skin/BitmapSlider.h"

// Posted to the panel's parent when the panel has hidden itself; lParam is
// the panel's window handle.
inline constexpr UINT WM_ADJUST_PANEL_HIDDEN = WM_USER + 0x467;

class CVideoConfigBSC : public CBitmapDialog {
public:
    enum { IDD = 105, IDB_BACKGROUND = 163 };
    enum { IDC_BRIGHTNESS = 1014, IDC_SATURATION = 1015, IDC_CONTRAST = 1016 };
    // Timer 1 hides the panel this long after the pointer left it.
    static constexpr UINT_PTR kHideTimer = 1;
    static constexpr UINT kHideDelayMs = 500;

    // x and y: the pointer's screen position when the panel was asked for.
    CVideoConfigBSC(int x, int y, CWnd* pParent = nullptr);
    ~CVideoConfigBSC() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    // Hides the panel (a modeless dialog is only hidden) and tells the
    // parent it may go.
    void OnCancel() override;

    int m_xCursor;
    int m_yCursor;
    CBitmapSlider m_sliderBrightness;
    CBitmapSlider m_sliderSaturation;
    CBitmapSlider m_sliderContrast;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg LRESULT OnSliderPosChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
