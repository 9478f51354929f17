#pragma once

// CDataExchange: one exchange between a dialog's member variables and its
// controls, in the direction m_bSaveAndValidate says (TRUE: controls to
// members). A dialog's DoDataExchange lists its DDX_ calls; UpdateData runs
// them.

#include "platform/window/WinUser.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate)
        , m_pDlgWnd(dlgWnd)
    {
    }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The dialog's control with that id; a missing control fails the
    // exchange and answers null.
    HWND PrepareCtrl(int id);
    // Marks the exchange as failed; UpdateData then answers FALSE.
    void Fail() { failed_ = true; }
    bool Failed() const { return failed_; }

private:
    bool failed_ = false;
};

// Binds the control object to the dialog's control with that id, the first
// time only: the control's messages then run through the object's message
// map and virtual functions.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
