#pragma once

// CWinApp: the one application object of the process. Its constructor makes
// it the module's current application, which is how every part of the
// program reaches it (AfxGetApp, or AfxGetModuleState()->m_pCurrentWinApp).
//
// AfxRunApplication starts the program the way the library's entry point
// does: InitInstance, then the message loop (Run) if it answered TRUE, and
// ExitInstance at the end. The loop lets every queued message be
// pre-translated (PreTranslateMessage, through the windows it concerns)
// before it is dispatched, and does idle work (OnIdle: freeing the
// temporary wrappers of handles) whenever the queue runs dry.

#include "platform/window/WinUser.h"

#include <string>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    // Answers the program's exit code: the code WM_QUIT carried, once the
    // loop has seen it, else 0.
    virtual int ExitInstance();
    // Runs messages until WM_QUIT; answers ExitInstance().
    virtual int Run();
    // Idle work; count is 0 at the first idle call after a message and grows
    // with each further call. Answers whether more idle work is wanted.
    virtual BOOL OnIdle(LONG count);
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Whether a message just dispatched should lead to idle work when the
    // queue next runs dry; painting and a mouse move that did not move do
    // not.
    virtual BOOL IsIdleMessage(const MSG* msg);

    CWnd* GetMainWnd() const { return m_pMainWnd; }

    // The program's icons and cursors, by resource id or name, and the
    // system's own.
    HICON LoadIcon(UINT id) const;
    HICON LoadIcon(const char* name) const;
    HCURSOR LoadCursor(UINT id) const;
    HCURSOR LoadCursor(const char* name) const;
    HCURSOR LoadStandardCursor(const char* name) const { return ::LoadCursor(nullptr, name); }
    HICON LoadStandardIcon(const char* name) const { return ::LoadIcon(nullptr, name); }

    // Fills in m_pszAppName when the program gave none: the string resource
    // AFX_IDS_APP_TITLE, else the name the program was started by.
    void ResolveAppName();

    const char* m_pszAppName;
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance;
    // The message the loop took last.
    MSG m_msgCur {};

private:
    std::string resolvedName_;
    POINT lastMousePos_ { -1, -1 };
};

struct AFX_MODULE_STATE {
    CWinApp* m_pCurrentWinApp = nullptr;
};

AFX_MODULE_STATE* AfxGetModuleState();
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// Where resources are loaded from from now on: the program's own module
// until this is called. A null handle finds no resources at all.
void AfxSetResourceHandle(HINSTANCE resources);

// The string resource that holds the application's title.
inline constexpr UINT AFX_IDS_APP_TITLE = 0xE000;

// Runs the current application: InitInstance, then Run if it answered
// TRUE; otherwise its main window, if any, goes and ExitInstance answers.
// Answers the exit code.
int AfxRunApplication();

// A message box owned by the main window, with the application's name as
// its caption.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = UINT(-1));
