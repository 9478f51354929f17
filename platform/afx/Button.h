#pragma once

// CButton: a push button, check box, radio button or owner-drawn button.
// An owner-drawn button's parent gets WM_DRAWITEM; the parent's default
// handling hands it back to the button object, whose DrawItem draws it.

#include "platform/afx/Wnd.h"
#include "platform/window/Controls.h"

class CButton : public CWnd {
public:
    BOOL Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_BUTTON, caption, style, rect, parent, id);
    }

    // BST_PUSHED, BST_CHECKED and BST_FOCUS as they are now.
    UINT GetState() const { return static_cast<UINT>(::SendMessage(m_hWnd, BM_GETSTATE, 0, 0)); }
    // Shows the button pushed (TRUE) or not.
    void SetState(BOOL highlight) { ::SendMessage(m_hWnd, BM_SETSTATE, highlight, 0); }
    int GetCheck() const { return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { ::SendMessage(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0); }
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { ::SendMessage(m_hWnd, BM_SETSTYLE, style, redraw); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(
            ::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0)); }

    // Draws an owner-drawn button. A button of this class itself draws
    // nothing; classes that draw their buttons override it.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);

protected:
    // Takes WM_DRAWITEM back from the parent and draws.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // The window-class form of Create stays out of reach from outside: this
    // class makes its own kind of window.
    using CWnd::Create;
};
