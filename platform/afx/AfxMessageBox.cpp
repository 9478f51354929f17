// Message boxes of the application, owned by its main window.

#include "platform/afx/String.h"
#include "platform/afx/WinApp.h"
#include "platform/afx/Wnd.h"

int AfxMessageBox(const char* text, UINT type, UINT)
{
    CWinApp* app = AfxGetApp();
    const char* caption = "";
    if (app) {
        app->ResolveAppName();
        caption = app->m_pszAppName;
    }
    CWnd* main = AfxGetMainWnd();
    HWND owner = main ? main->m_hWnd : nullptr;
    // While a modal dialog has the main window disabled, the box belongs to
    // the window the user is working in, so that it comes up over it.
    if (owner && !IsWindowEnabled(owner) && GetActiveWindow())
        owner = GetActiveWindow();
    return MessageBox(owner, text ? text : "", caption, type);
}

int AfxMessageBox(UINT textId, UINT type, UINT helpId)
{
    CString text;
    text.LoadString(textId);
    return AfxMessageBox(text, type, helpId);
}
