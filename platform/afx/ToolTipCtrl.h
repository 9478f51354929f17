#pragma once

// CToolTipCtrl: a tooltip window and the tools it shows tips for. A tool is
// a whole window (id 0) or a rectangle of a window's client area with an id
// of the program's choosing. The tooltip learns where the mouse is from the
// messages the program relays to it (RelayEvent, typically from
// PreTranslateMessage).

#include "platform/afx/Wnd.h"
#include "platform/window/Controls.h"

class CToolTipCtrl : public CWnd {
public:
    // A tooltip owned by the parent's window.
    BOOL Create(CWnd* parent, DWORD style = 0);

    void Activate(BOOL activate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, activate, 0); }
    // With a rectangle and an id, the tool is that part of tool's client
    // area; without (null and 0), the tool is the window tool itself.
    BOOL AddTool(CWnd* tool, const char* text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    void UpdateTipText(const char* text, CWnd* tool, UINT_PTR id = 0);
    void DelTool(CWnd* tool, UINT_PTR id = 0);
    int GetToolCount() const { return static_cast<int>(::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)); }
    void RelayEvent(LPMSG msg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    // Sets every delay from the initial one (TTDT_AUTOMATIC).
    void SetDelayTime(UINT delay)
    {
        ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(delay));
    }
    void SetDelayTime(DWORD which, int delay)
    {
        ::SendMessage(m_hWnd, TTM_SETDELAYTIME, which, MAKELPARAM(static_cast<WORD>(delay), 0));
    }
    void Pop() { ::SendMessage(m_hWnd, TTM_POP, 0, 0); }

private:
    // The window-class form of Create stays out of reach from outside: this
    // class makes its own kind of window.
    using CWnd::Create;

    static TOOLINFO ToolInfo(CWnd* tool, UINT_PTR id);
};
