#pragma once

// The application object. Besides starting and ending the program it holds
// the drawing settings that several windows share; every reader and writer
// reaches them through the current application object, so there is exactly
// one copy.

#include "platform/afx/WinApp.h"

class EraserDlg;
class CVideoDlg;

class CInkveilApp : public CWinApp {
public:
    CInkveilApp();

    // Starts GDI+ and runs the main window, the video window, modally;
    // answers FALSE, so the program ends when that window closes.
    BOOL InitInstance() override;
    // Shuts GDI+ down; answers the base class's exit code.
    int ExitInstance() override;

    // Pen width in pixels for new drawings; the palette sets 3 as it starts.
    int m_nPenWidth = 0;
    // Opacity of new drawings in percent, 0..100.
    int m_nAlphaPercent = 0;
    // Drawing colour of new drawings.
    COLORREF m_crColor = 0;
    EraserDlg* m_pEraserDlg = nullptr;
    CVideoDlg* m_pMainDlg = nullptr;
    ULONG_PTR m_gdiplusToken = 0;
};

// The current application object as the program's own class.
inline CInkveilApp* InkveilApp() { return static_cast<CInkveilApp*>(AfxGetModuleState()->m_pCurrentWinApp); }
