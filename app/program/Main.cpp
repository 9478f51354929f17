// The program's entry. The one application object lives here, with static
// storage, so that its constructor has set the drawing settings' defaults
// before anything runs.

#include "app/InkveilApp.h"
#include "app/program/BenchStroke.h"
#include "app/program/CommandLine.h"
#include "app/program/DemoCameraLoader.h"
#include "app/program/PreferredDeviceSystem.h"
#include "app/program/RunningInstance.h"
#include "app/program/Start.h"
#include "camera/CameraReport.h"

#include <cstdio>
#include <filesystem>
#include <optional>

CInkveilApp theApp;

namespace {

// Whether the measurement's pen stroke is to be drawn (--demo=yuyv|mjpg).
bool g_benchStroke = false;

void OnScreen()
{
    AnswerLaterStarts();
    if (g_benchStroke)
        DrawBenchStrokeWhenReady();
}

} // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 0 ? argv[0] : "inkveil";
    const CommandLine line = ParseCommandLine(argc, argv);
    if (const int status = AnswerCommandLine(line, program); status >= 0)
        return status;

    // Where the program already runs, that one comes forward and this start
    // ends here, before any camera or window: a camera streams to one
    // process only.
    if (line.action == CommandLine::Action::Run && HandOverToRunningInstance())
        return 0;

    // The emulated camera, from its own library, in place of the cameras
    // attached.
    std::unique_ptr<DemoCameraLoader> demo;
    std::optional<v4l2::ScopedDeviceSystem> useDemo;
    if (!line.demo.empty()) {
        std::string whyNot;
        demo = DemoCameraLoader::Load(line.demo, whyNot);
        if (!demo) {
            std::fprintf(stderr, "%s: --demo: the emulated camera cannot be loaded (%s)\n", program, whyNot.c_str());
            return 1;
        }
        useDemo.emplace(demo->Devices());
        g_benchStroke = line.demo != "page";
    }

    // With --device the chosen camera is listed first, for the camera list
    // below as for the program.
    std::optional<PreferredDeviceSystem> preferred;
    std::optional<v4l2::ScopedDeviceSystem> use;
    if (!line.device.empty()) {
        std::error_code error;
        if (!std::filesystem::exists(line.device, error) && line.demo.empty())
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
    return StartInkveil(OnScreen);
}
