#pragma once

// CStatic: a static control: text, a picture or a frame.

#include "platform/afx/Wnd.h"
#include "platform/window/Controls.h"

class CStatic : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF)
    {
        return CWnd::Create(WC_STATIC, text, style, rect, parent, id);
    }

    // Shows a bitmap (with SS_BITMAP); answers the one shown before. The
    // control does not take the bitmap over: the caller still owns it.
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(
            ::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const
    {
        return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_GETICON, 0, 0)); }

private:
    // The window-class form of Create stays out of reach from outside: this
    // class makes its own kind of window.
    using CWnd::Create;
};
