#include "platform/afx/WinApp.h"

AFX_MODULE_STATE* AfxGetModuleState()
{
    // Constant-initialised, so it is valid before any constructor runs.
    static constinit AFX_MODULE_STATE state;
    return &state;
}

CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

CWinApp::CWinApp(const char* appName)
    : m_pszAppName(appName)
{
    AfxGetModuleState()->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this)
        state->m_pCurrentWinApp = nullptr;
}
