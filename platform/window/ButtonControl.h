#pragma once

// The "BUTTON" class: push buttons, default push buttons and owner-drawn
// buttons. A left press captures the mouse and takes the focus; the button
// looks pushed while the pointer is over it with the button held, and the
// release over it sends BN_CLICKED to the parent. Space clicks the focused
// button. Owner-drawn buttons have their parent draw them through
// WM_DRAWITEM at every repaint and every change of state. Check boxes and
// radio buttons keep their check state for BM_GETCHECK/BM_SETCHECK.

#include "platform/window/WinUser.h"

namespace ws::ctl {

class ButtonControl {
public:
    ButtonControl(HWND hwnd, const CREATESTRUCT& cs);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    DWORD Type() const;
    bool IsOwnerDrawn() const;
    // Changes the pushed look, drawing the change at once.
    void SetPushed(bool pushed);
    void SetFocused(bool focused);
    // Ends a press without clicking (capture lost, focus lost).
    void CancelPress();
    void Click();
    // Draws the button into dc: the flat look, or WM_DRAWITEM to the parent
    // with the given action.
    void Draw(HDC dc, UINT action);
    void DrawNow(UINT action);
    void DrawFlat(HDC dc, const RECT& r);
    void OnButtonDown();
    void OnMouseMove(POINT p);
    void OnButtonUp(POINT p);
    LRESULT DialogCode() const;

    HWND hwnd_;
    bool pushed_ = false; // BST_PUSHED: shown pressed
    bool tracking_ = false; // the left button went down on us and is held
    bool spacePressed_ = false;
    bool focused_ = false;
    UINT check_ = 0; // BST_CHECKED or not
};

} // namespace ws::ctl
