#include "platform/window/Backend.h"

#include "platform/headless/HeadlessScreen.h"
#include "platform/win/TickCount.h"

#include <memory>

namespace platform {

namespace {

Backend*& Installed()
{
    static Backend* backend = nullptr;
    return backend;
}

} // namespace

Backend& CurrentBackend()
{
    Backend*& b = Installed();
    if (!b) {
        // Without a screen of its own the window system runs on an
        // in-memory one, so that windows work in any process.
        static std::unique_ptr<headless::Screen> fallback;
        fallback = std::make_unique<headless::Screen>();
        InstallBackend(fallback.get());
    }
    return *b;
}

void InstallBackend(Backend* backend)
{
    Installed() = backend;
    // The tick count is the screen's clock, so that timers and every reader
    // of the time agree (a virtual clock in tests).
    if (backend)
        SetTickSource([] { return CurrentBackend().Now(); });
    else
        SetTickSource(nullptr);
}

} // namespace platform
