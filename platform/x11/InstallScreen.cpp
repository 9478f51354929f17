#include "platform/x11/InstallScreen.h"

#include "platform/x11/X11Screen.h"

#include <cstdio>
#include <cstdlib>

namespace platform::x11 {

bool InstallScreen()
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        std::fputs("Inkveil needs an X display (DISPLAY is not set)\n", stderr);
        return false;
    }
    std::string whyNot;
    std::unique_ptr<Screen> screen = Screen::Open(name, whyNot);
    if (!screen) {
        std::fprintf(stderr, "Inkveil needs an X display (%s)\n", whyNot.c_str());
        return false;
    }
    // The screen lives as long as the process: windows that static objects
    // own may still talk to it while the process ends.
    InstallBackend(screen.release());
    return true;
}

} // namespace platform::x11
