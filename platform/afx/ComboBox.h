#pragma once

// CComboBox: a combo box's list of strings and its selection. Indexes are
// zero-based; CB_ERR (-1) answers a failure or "no selection".

#include "platform/afx/String.h"
#include "platform/afx/Wnd.h"
#include "platform/window/Controls.h"

using DWORD_PTR = ULONG_PTR;

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_COMBOBOX, nullptr, style, rect, parent, id);
    }

    int AddString(const char* text) { return Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, const char* text)
    {
        return Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    // Answers the number of strings left.
    int DeleteString(UINT index) { return Send(CB_DELETESTRING, index, 0); }
    void ResetContent() { Send(CB_RESETCONTENT, 0, 0); }
    int GetCount() const { return Send(CB_GETCOUNT, 0, 0); }
    int SetCurSel(int index) { return Send(CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    int GetCurSel() const { return Send(CB_GETCURSEL, 0, 0); }
    int GetLBTextLen(int index) const { return Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0); }
    // Copies the string into a buffer that must hold GetLBTextLen + 1 bytes.
    int GetLBText(int index, char* out) const
    {
        return Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out));
    }
    void GetLBText(int index, CString& out) const;
    int FindStringExact(int startAfter, const char* text) const
    {
        return Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }
    int SetItemData(int index, DWORD_PTR data)
    {
        return Send(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    DWORD_PTR GetItemData(int index) const
    {
        return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }

private:
    // The window-class form of Create stays out of reach from outside: this
    // class makes its own kind of window.
    using CWnd::Create;

    int Send(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return static_cast<int>(::SendMessage(m_hWnd, message, wParam, lParam));
    }
};
