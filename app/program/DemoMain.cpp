// The program on an emulated document camera, for demonstrations and the
// end-to-end test: the camera is the only video device the program sees.
// Everything else is the program as it stands; the palette chooses tools.
//
// --bench-camera=yuyv or --bench-camera=mjpg puts the 1920×1080 camera of
// the whole-program measurement (bench/pipeline.sh) in its place and draws
// one pen stroke on the live picture once the view runs.

#include "app/InkveilApp.h"
#include "app/program/DemoCamera.h"
#include "app/program/Start.h"
#include "camera/VideoDlg.h"
#include "draw/DrawSettings.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <cstring>

CInkveilApp theApp;

namespace {

// Runs on the message loop until the video window exists, then draws one
// stroke with the pen across its view, as the hand would, so that the
// overlay is composed onto every frame from then on.
void DrawBenchStroke(HWND, UINT, UINT_PTR id, DWORD)
{
    CVideoDlg* main = theApp.m_pMainDlg;
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

int main(int argc, char** argv)
{
    v4l2::EmulatedDeviceSystem devices;
    const char* bench = argc > 1 && std::strncmp(argv[1], "--bench-camera=", 15) == 0 ? argv[1] + 15 : nullptr;
    devices.Add("/dev/video0", bench ? demo::MakeBenchCamera(std::strcmp(bench, "mjpg") == 0) : demo::MakeDemoCamera());
    v4l2::ScopedDeviceSystem use(devices);
    if (!bench)
        return StartInkveil();
    return StartInkveil([] { SetTimer(nullptr, 0, 50, DrawBenchStroke); });
}
