#include "app/program/BenchStroke.h"

#include "app/InkveilApp.h"
#include "camera/VideoDlg.h"
#include "draw/DrawSettings.h"

namespace {

// Runs on the message loop until the video window exists, then draws one
// stroke with the pen across its view, as the hand would.
void DrawBenchStroke(HWND, UINT, UINT_PTR id, DWORD)
{
    CVideoDlg* main = InkveilApp()->m_pMainDlg;
    if (!main || !main->m_video.m_hWnd)
        return;
    KillTimer(nullptr, id);
    main->m_video.SetTool(TOOL_PEN);
    const HWND view = main->m_video.m_hWnd;
    SendMessage(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    for (int i = 1; i <= 40; ++i)
        SendMessage(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200 + i * 10, 200 + (i % 10) * 12));
    SendMessage(view, WM_LBUTTONUP, 0, MAKELPARAM(600, 200));
}

} // namespace

void DrawBenchStrokeWhenReady() { SetTimer(nullptr, 0, 50, DrawBenchStroke); }
