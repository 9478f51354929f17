#pragma once

// CDialog: a dialog box made from a template in the resources, modeless
// (Create) or modal (DoModal). The dialog window runs through the library's
// window procedure like any other CWnd, so its message map sees each message
// before the dialog manager does; what the map leaves goes on to the dialog
// manager's default handling.
//
// The IDOK and IDCANCEL commands (the buttons, Enter and Esc through the
// dialog keyboard interface) reach the virtual OnOK and OnCancel. EndDialog
// ends a modal dialog's loop, DoModal then answering the value given; a
// modeless dialog is hidden, and stays until DestroyWindow.

#include "platform/afx/Wnd.h"
#include "platform/window/Dialogs.h"
#include "platform/window/Resources.h"

#include <cstdint>

using INT_PTR = std::intptr_t;

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(const char* templateName, CWnd* parent = nullptr);

    // A modeless dialog; a null parent means the main window.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL Create(const char* templateName, CWnd* parent = nullptr);
    // Runs the dialog modally, its owner disabled meanwhile; answers the
    // value given to EndDialog, or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();

    // Called when the dialog is made, before it shows. By default exchanges
    // data into the controls (UpdateData(FALSE)) and answers TRUE, which
    // puts the focus on the first control.
    virtual BOOL OnInitDialog();
    // Takes the data from the controls (UpdateData(TRUE)), then ends the
    // dialog with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    // The dialog keyboard interface (Tab, Enter, Esc, arrows) for the
    // input messages of the dialog and its controls.
    BOOL PreTranslateMessage(MSG* msg) override;

    void MapDialogRect(LPRECT r) const { ::MapDialogRect(m_hWnd, r); }
    void NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* control)
    {
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control ? control->m_hWnd : nullptr), 1);
    }
    void SetDefID(UINT id) { ::SendMessage(m_hWnd, DM_SETDEFID, id, 0); }
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }

    const char* m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    // The top-level window a modal dialog of this parent belongs to: the
    // parent's own top-level window, else the main window's.
    static HWND SafeOwner(CWnd* parent);

    DECLARE_MESSAGE_MAP()

private:
    // The window-class form of Create stays out of reach from outside: this
    // class makes its own kind of window.
    using CWnd::Create;

    const res::DialogTemplate* FindTemplate() const;
    HWND CreateFromTemplate(const res::DialogTemplate& tmpl, HWND owner);
    static LONG_PTR DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool ModalDone(HWND hwnd);

    bool m_modal = false;
    bool m_continueModal = false;
    INT_PTR m_nModalResult = -1;
};
