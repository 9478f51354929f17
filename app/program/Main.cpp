// The program's entry. The one application object lives here, with static
// storage, so that its constructor has set the drawing settings' defaults
// before anything runs.

#include "app/InkveilApp.h"
#include "app/program/CommandLine.h"
#include "app/program/PreferredDeviceSystem.h"
#include "app/program/Start.h"
#include "camera/CameraReport.h"

#include <cstdio>
#include <filesystem>
#include <optional>

CInkveilApp theApp;

int main(int argc, char** argv)
{
    const char* program = argc > 0 ? argv[0] : "inkveil";
    const CommandLine line = ParseCommandLine(argc, argv);
    if (const int status = AnswerCommandLine(line, program); status >= 0)
        return status;

    // With --device the chosen camera is listed first, for the camera list
    // below as for the program.
    std::optional<PreferredDeviceSystem> preferred;
    std::optional<v4l2::ScopedDeviceSystem> use;
    if (!line.device.empty()) {
        std::error_code error;
        if (!std::filesystem::exists(line.device, error))
            std::fprintf(stderr, "%s: %s: no such device; the first camera listed opens instead\n", program,
                line.device.c_str());
        preferred.emplace(v4l2::CurrentDeviceSystem(), line.device);
        use.emplace(*preferred);
    }
    // For a teacher or an administrator: what each camera offers, and
    // what the program would take from it, without opening a window.
    if (line.action == CommandLine::Action::ListCameras) {
        std::fputs(CameraReport().c_str(), stdout);
        return 0;
    }
    return StartInkveil();
}
