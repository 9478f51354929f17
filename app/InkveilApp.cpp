#include "app/InkveilApp.h"

#include "platform/win/WinTypes.h"

CInkveilApp::CInkveilApp()
    : CWinApp(nullptr)
{
    m_nAlphaPercent = 50;
    m_crColor = RGB(255, 0, 0);
}
