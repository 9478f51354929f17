// The program on an emulated document camera, for demonstrations and the
// end-to-end test: the camera is the only video device the program sees.
// Everything else is the program as it stands; the palette chooses tools.

#include "app/InkveilApp.h"
#include "app/program/DemoCamera.h"
#include "app/program/Start.h"
#include "platform/v4l2/EmulatedDevice.h"

CInkveilApp theApp;

int main()
{
    v4l2::EmulatedDeviceSystem devices;
    devices.Add("/dev/video0", demo::MakeDemoCamera());
    v4l2::ScopedDeviceSystem use(devices);
    return StartInkveil();
}
