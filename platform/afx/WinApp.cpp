#include "platform/afx/WinApp.h"

#include "platform/afx/Dc.h"
#include "platform/afx/GdiObject.h"
#include "platform/afx/Menu.h"
#include "platform/afx/String.h"
#include "platform/afx/Wnd.h"
#include "platform/window/MessageLoop.h"

#include <cerrno>

AFX_MODULE_STATE* AfxGetModuleState()
{
    // Constant-initialised, so it is valid before any constructor runs.
    static constinit AFX_MODULE_STATE state;
    return &state;
}

CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandle(nullptr); }

namespace {

// The module resources are loaded from, once one has been set.
struct ResourceModule {
    bool set = false;
    HINSTANCE handle = nullptr;
};
ResourceModule g_resourceModule;

} // namespace

HINSTANCE AfxGetResourceHandle() { return g_resourceModule.set ? g_resourceModule.handle : GetModuleHandle(nullptr); }

void AfxSetResourceHandle(HINSTANCE resources) { g_resourceModule = ResourceModule { true, resources }; }

CWinApp::CWinApp(const char* appName)
    : m_pszAppName(appName)
    , m_hInstance(GetModuleHandle(nullptr))
{
    AfxGetModuleState()->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this)
        state->m_pCurrentWinApp = nullptr;
}

void CWinApp::ResolveAppName()
{
    if (m_pszAppName)
        return;
    CString title;
    if (title.LoadString(AFX_IDS_APP_TITLE))
        resolvedName_ = title.str();
    else
        resolvedName_ = program_invocation_short_name;
    m_pszAppName = resolvedName_.c_str();
}

int CWinApp::ExitInstance() { return m_msgCur.message == WM_QUIT ? static_cast<int>(m_msgCur.wParam) : 0; }

namespace {

// Wrappers made for handles nobody owns live until idle time.
void DeleteTemporaryWrappers()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
}

} // namespace

BOOL CWinApp::OnIdle(LONG count)
{
    if (count == 0)
        DeleteTemporaryWrappers();
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) { return AfxPreTranslateThroughWindows(msg); }

BOOL CWinApp::IsIdleMessage(const MSG* msg)
{
    if (msg->message == WM_PAINT)
        return FALSE;
    if (msg->message == WM_MOUSEMOVE) {
        bool moved = msg->pt.x != lastMousePos_.x || msg->pt.y != lastMousePos_.y;
        lastMousePos_ = msg->pt;
        return moved ? TRUE : FALSE;
    }
    return TRUE;
}

int CWinApp::Run()
{
    AfxInstallWindowHooks();
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        MSG peek;
        while (idle && !PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        // Waits for the next message; the filter runs PreTranslateMessage.
        if (!platform::PumpOne(m_msgCur, true))
            return ExitInstance();
        if (IsIdleMessage(&m_msgCur)) {
            idle = true;
            idleCount = 0;
        }
    }
}

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(id)); }

HICON CWinApp::LoadIcon(const char* name) const { return ::LoadIcon(AfxGetResourceHandle(), name); }

HCURSOR CWinApp::LoadCursor(UINT id) const { return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id)); }

HCURSOR CWinApp::LoadCursor(const char* name) const { return ::LoadCursor(AfxGetResourceHandle(), name); }

int AfxRunApplication()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->ResolveAppName();
    AfxInstallWindowHooks();
    int code = 0;
    if (app->InitInstance()) {
        code = app->Run();
    } else {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        code = app->ExitInstance();
    }
    // Wrappers made since the last idle time go now, while the maps that
    // hold them are still there.
    DeleteTemporaryWrappers();
    return code;
}
