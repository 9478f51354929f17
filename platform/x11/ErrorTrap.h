#pragma once

// The X server reports a failed request later, through an error handler
// that by default ends the process. The screen installs a handler that only
// notes the failure, so that a request that may fail (restacking a window a
// window manager has taken, reading the root of a rootless server) costs
// nothing but its result; a trap tells whether the requests made while it
// was set failed.

#include <X11/Xlib.h>

namespace platform::x11 {

class ErrorTrap {
public:
    // Waits for the answers to every earlier request, so that their
    // failures are not counted, and starts watching.
    explicit ErrorTrap(Display* display);

    // Waits for the answers to the requests made since the trap was set
    // and answers whether any of them failed.
    bool Failed();

    // Makes failed requests harmless for the whole process. Idempotent.
    static void InstallQuietHandler();
    // Forgets the failures of a connection that is about to close.
    static void Forget(Display* display);

private:
    Display* display_;
    unsigned long firstRequest_;
};

} // namespace platform::x11
