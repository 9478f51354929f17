#pragma once

// CWinApp: the one application object of the process. Its constructor makes
// it the module's current application, which is how every part of the
// program reaches it (AfxGetApp, or AfxGetModuleState()->m_pCurrentWinApp).

#include "platform/win/WinTypes.h"

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

    CWnd* GetMainWnd() const { return m_pMainWnd; }

    const char* m_pszAppName;
    CWnd* m_pMainWnd = nullptr;
};

struct AFX_MODULE_STATE {
    CWinApp* m_pCurrentWinApp = nullptr;
};

AFX_MODULE_STATE* AfxGetModuleState();
CWinApp* AfxGetApp();
