// The program on an emulated document camera, for demonstrations and the
// end-to-end test: the camera is the only video device the program sees,
// and the pen (3 pixels wide) is chosen as soon as the video view runs,
// since the palette that chooses tools is not part of this build yet.

#include "app/InkveilApp.h"
#include "app/program/DemoCamera.h"
#include "app/program/Start.h"
#include "camera/VideoDlg.h"
#include "draw/DrawSettings.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <cstring>

CInkveilApp theApp;

namespace {

bool g_drawStroke = false;

// One pen stroke across the view, as the hand would draw it, so that the
// overlay is composed onto every frame from then on.
void DrawStroke(HWND view)
{
    SendMessage(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    for (int i = 1; i <= 40; ++i)
        SendMessage(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200 + i * 10, 200 + (i % 10) * 12));
    SendMessage(view, WM_LBUTTONUP, 0, MAKELPARAM(600, 200));
}

// Runs on the message loop until the video window exists, then gives its
// view the pen and stops.
void ChoosePen(HWND, UINT, UINT_PTR id, DWORD)
{
    CVideoDlg* main = theApp.m_pMainDlg;
    if (!main || !main->m_video.m_hWnd)
        return;
    main->m_video.SetTool(TOOL_PEN);
    // The width the palette sets as it starts.
    theApp.m_nPenWidth = 3;
    KillTimer(nullptr, id);
    if (g_drawStroke)
        DrawStroke(main->m_video.m_hWnd);
}

} // namespace

// --bench-camera=yuyv or --bench-camera=mjpg: the 1920×1080 camera of the
// whole-program measurement (bench/pipeline.sh), with one stroke drawn.
int main(int argc, char** argv)
{
    v4l2::EmulatedDeviceSystem devices;
    const char* bench = argc > 1 && std::strncmp(argv[1], "--bench-camera=", 15) == 0 ? argv[1] + 15 : nullptr;
    g_drawStroke = bench != nullptr;
    devices.Add("/dev/video0", bench ? demo::MakeBenchCamera(std::strcmp(bench, "mjpg") == 0) : demo::MakeDemoCamera());
    v4l2::ScopedDeviceSystem use(devices);
    return StartInkveil([] { SetTimer(nullptr, 0, 50, ChoosePen); });
}
