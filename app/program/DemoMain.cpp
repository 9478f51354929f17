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

CInkveilApp theApp;

namespace {

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
}

} // namespace

int main()
{
    v4l2::EmulatedDeviceSystem devices;
    devices.Add("/dev/video0", demo::MakeDemoCamera());
    v4l2::ScopedDeviceSystem use(devices);
    return StartInkveil([] { SetTimer(nullptr, 0, 50, ChoosePen); });
}
