#include "platform/window/Backend.h"

#include "platform/win/TickCount.h"

#include <cassert>

namespace platform {

namespace {

Backend*& Installed()
{
    static Backend* backend = nullptr;
    return backend;
}

} // namespace

Backend* InstalledBackend() { return Installed(); }

Backend& CurrentBackend()
{
    Backend* b = Installed();
    assert(b && "the window system has no screen installed");
    return *b;
}

void InstallBackend(Backend* backend)
{
    Installed() = backend;
    // The tick count is the screen's clock, so that timers and every reader
    // of the time agree (a virtual clock in tests).
    if (backend)
        SetTickSource([backend] { return backend->Now(); });
    else
        SetTickSource(nullptr);
}

} // namespace platform
