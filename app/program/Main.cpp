// The program's entry. The one application object lives here, with static
// storage, so that its constructor has set the drawing settings' defaults
// before anything runs.

#include "app/InkveilApp.h"
#include "app/program/Start.h"
#include "camera/CameraReport.h"

#include <cstdio>
#include <cstring>

CInkveilApp theApp;

int main(int argc, char** argv)
{
    // For a teacher or an administrator: what each camera offers, and
    // what the program would take from it, without opening a window.
    if (argc > 1 && std::strcmp(argv[1], "--list-cameras") == 0) {
        std::fputs(CameraReport().c_str(), stdout);
        return 0;
    }
    return StartInkveil();
}
