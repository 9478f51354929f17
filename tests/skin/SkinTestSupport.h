#pragma once

// Helpers for the skinned controls' tests: bitmaps and dialog templates made
// by the test, a dialog that holds the control under test, and the in-memory
// screen the controls are driven on.

#include "platform/afx/Dialog.h"
#include "platform/headless/Driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace skintest {

// Registers a bitmap resource whose pixel colours come from a function.
void AddBitmap(UINT id, int width, int height, const std::function<COLORREF(int x, int y)>& colour);
// Registers a visible frameless popup dialog template with the controls.
// Without a font a dialog unit is two pixels.
void AddPopupTemplate(UINT id, short cx, short cy, std::vector<res::DialogItem> items);

// A modeless dialog that binds one control object by data exchange, sets it
// up in OnInitDialog, erases with a picture, and records the slider's
// messages posted to it (message and position).
class CHostDlg : public CDialog {
public:
    CHostDlg(UINT templateId, int controlId, CWnd& control, UINT pictureId, std::function<void()> setUp);
    std::vector<std::pair<UINT, LPARAM>> posted;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    LRESULT OnPosted(WPARAM id, LPARAM pos);
    DECLARE_MESSAGE_MAP()

private:
    int m_controlId;
    CWnd& m_control;
    UINT m_pictureId;
    std::function<void()> m_setUp;
};

class SkinTest : public ::testing::Test {
protected:
    SkinTest();
    static CRect ScreenRect(const CWnd& wnd);
    // The one colour of every screen pixel of the rectangle, or CLR_INVALID.
    COLORREF UniformColour(const RECT& screenRect);

    headless::Driver driver;
};

} // namespace skintest
