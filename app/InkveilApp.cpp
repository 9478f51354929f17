#include "app/InkveilApp.h"

#include "camera/VideoDlg.h"
#include "platform/gdiplus/GdiPlusFlat.h"
#include "platform/win/WinTypes.h"

CInkveilApp::CInkveilApp()
    : CWinApp(nullptr)
{
    m_nAlphaPercent = 50;
    m_crColor = RGB(255, 0, 0);
}

BOOL CInkveilApp::InitInstance()
{
    // Version 1, no debug callback, the background thread and external
    // codecs not suppressed.
    GdiplusStartupInput input;
    GdiplusStartup(&m_gdiplusToken, &input, nullptr);

    // Everything else (the palette, the toolbar, the board) is made while
    // the main window initialises; the program ends when it closes.
    {
        CVideoDlg dlg(nullptr);
        m_pMainWnd = &dlg;
        m_pMainDlg = &dlg;
        dlg.DoModal();
        // The window object goes with this block; nothing may find it
        // through the application afterwards.
        m_pMainWnd = nullptr;
        m_pMainDlg = nullptr;
    }
    return FALSE;
}

int CInkveilApp::ExitInstance()
{
    // The token is spent, so a second call shuts nothing down.
    GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    return CWinApp::ExitInstance();
}
