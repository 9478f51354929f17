#include "platform/afx/ToolTipCtrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    return CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, 0, 0, 0, 0, parent ? parent->m_hWnd : nullptr,
        nullptr);
}

TOOLINFO CToolTipCtrl::ToolInfo(CWnd* tool, UINT_PTR id)
{
    TOOLINFO ti {};
    ti.cbSize = sizeof ti;
    HWND window = tool ? tool->m_hWnd : nullptr;
    if (id == 0) {
        // The whole window is the tool; the window it lives in holds it.
        ti.hwnd = ::GetParent(window);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(window);
    } else {
        ti.hwnd = window;
        ti.uId = id;
    }
    return ti;
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, const char* text, LPCRECT rect, UINT_PTR id)
{
    TOOLINFO ti = ToolInfo(tool, id);
    if (rect)
        ti.rect = *rect;
    ti.lpszText = text;
    return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* tool, UINT_PTR id)
{
    TOOLINFO ti = ToolInfo(tool, id);
    ti.lpszText = text;
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::DelTool(CWnd* tool, UINT_PTR id)
{
    TOOLINFO ti = ToolInfo(tool, id);
    ::SendMessage(m_hWnd, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}
