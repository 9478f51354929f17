#include "platform/afx/Dialog.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCE(templateId))
    , m_pParentWnd(parent)
{
}

CDialog::CDialog(const char* templateName, CWnd* parent)
    : m_lpszTemplateName(templateName)
    , m_pParentWnd(parent)
{
}

const res::DialogTemplate* CDialog::FindTemplate() const
{
    return m_lpszTemplateName ? res::FindDialog(res::Name::From(m_lpszTemplateName)) : nullptr;
}

LONG_PTR CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM)
{
    // Everything else has been through the message map already, on its way
    // to the dialog manager's default handling.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = dynamic_cast<CDialog*>(FromHandlePermanent(hwnd));
    return dialog ? dialog->OnInitDialog() : TRUE;
}

HWND CDialog::CreateFromTemplate(const res::DialogTemplate& tmpl, HWND owner)
{
    HookNextCreate();
    HWND made = ::CreateDialogIndirectParam(AfxGetInstanceHandle(), &tmpl, owner, &CDialog::DialogProc, 0);
    UnhookCreate();
    return made;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) { return Create(MAKEINTRESOURCE(templateId), parent); }

BOOL CDialog::Create(const char* templateName, CWnd* parent)
{
    m_lpszTemplateName = templateName;
    m_pParentWnd = parent ? parent : AfxGetMainWnd();
    const res::DialogTemplate* tmpl = FindTemplate();
    if (!tmpl || m_hWnd)
        return FALSE;
    m_modal = false;
    HWND owner = m_pParentWnd && m_pParentWnd != this ? m_pParentWnd->m_hWnd : nullptr;
    return CreateFromTemplate(*tmpl, owner) ? TRUE : FALSE;
}

HWND CDialog::SafeOwner(CWnd* parent)
{
    if (!parent)
        parent = AfxGetMainWnd();
    HWND owner = parent ? parent->m_hWnd : nullptr;
    while (owner && (::GetWindowLongPtr(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner;
}

bool CDialog::ModalDone(HWND hwnd)
{
    auto* dialog = dynamic_cast<CDialog*>(FromHandlePermanent(hwnd));
    return !dialog || !dialog->m_continueModal;
}

INT_PTR CDialog::DoModal()
{
    const res::DialogTemplate* tmpl = FindTemplate();
    if (!tmpl || m_hWnd)
        return -1;
    HWND owner = SafeOwner(m_pParentWnd);
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);

    m_modal = true;
    m_continueModal = true;
    m_nModalResult = -1;
    HWND made = CreateFromTemplate(*tmpl, owner);
    // OnInitDialog may already have ended the dialog.
    if (made && m_continueModal) {
        if (!::IsWindowVisible(made))
            ::ShowWindow(made, SW_SHOWNORMAL);
        ::RunModalLoop(made, &CDialog::ModalDone);
    }
    m_continueModal = false;

    // The dialog goes out of sight before the owner comes back, so that
    // activation returns to the owner rather than to some other window.
    if (made && ::IsWindow(made))
        ::SetWindowPos(made, nullptr, 0, 0, 0, 0,
            SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && made && ::GetActiveWindow() == made)
        ::SetActiveWindow(owner);
    if (made && ::IsWindow(made))
        ::DestroyWindow(made);
    m_modal = false;
    return made ? m_nModalResult : -1;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result)
{
    if (!m_hWnd)
        return;
    if (m_continueModal) {
        m_nModalResult = result;
        m_continueModal = false;
        // The modal loop may be waiting for a message; this one wakes it to
        // notice that it is done.
        PostMessage(WM_NULL);
    }
    ::EndDialog(m_hWnd, result);
    if (!m_modal)
        ShowWindow(SW_HIDE);
}

namespace {

// The keyboard and mouse messages, the only ones the dialog keyboard
// interface concerns itself with.
constexpr UINT kFirstKeyMessage = 0x0100;
constexpr UINT kLastKeyMessage = 0x0109;
constexpr UINT kFirstMouseMessage = 0x0200;
constexpr UINT kLastMouseMessage = 0x020E;

bool IsInputMessage(UINT message)
{
    return (message >= kFirstKeyMessage && message <= kLastKeyMessage)
        || (message >= kFirstMouseMessage && message <= kLastMouseMessage);
}

} // namespace

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    if (!m_hWnd || !IsInputMessage(msg->message))
        return FALSE;
    // Only the dialog's own messages; a dialog lower in the walk does not
    // take those of the windows it owns.
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, msg);
}
