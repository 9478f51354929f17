// The program's entry. The one application object lives here, with static
// storage, so that its constructor has set the drawing settings' defaults
// before anything runs.

#include "app/InkveilApp.h"
#include "app/program/CommandLine.h"
#include "app/program/PreferredDeviceSystem.h"
#include "app/program/Start.h"

#include <cstdio>
#include <filesystem>

CInkveilApp theApp;

int main(int argc, char** argv)
{
    const char* program = argc > 0 ? argv[0] : "inkveil";
    const CommandLine line = ParseCommandLine(argc, argv);
    if (const int status = AnswerCommandLine(line, program); status >= 0)
        return status;
    if (line.device.empty())
        return StartInkveil();

    std::error_code error;
    if (!std::filesystem::exists(line.device, error))
        std::fprintf(stderr, "%s: %s: no such device; the first camera listed opens instead\n", program,
            line.device.c_str());
    PreferredDeviceSystem preferred(v4l2::CurrentDeviceSystem(), line.device);
    v4l2::ScopedDeviceSystem use(preferred);
    return StartInkveil();
}
