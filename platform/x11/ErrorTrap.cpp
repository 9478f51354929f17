#include "platform/x11/ErrorTrap.h"

#include <map>
#include <mutex>

namespace platform::x11 {

namespace {

// The request number of the newest failure on each connection; requests
// are numbered in the order they were made, so a trap compares it with its
// own first request. The handler serves every connection of the process.
std::mutex g_mutex;
std::map<Display*, unsigned long> g_lastFailure;

int NoteError(Display* display, XErrorEvent* error)
{
    std::lock_guard lock(g_mutex);
    g_lastFailure[display] = error->serial;
    return 0;
}

} // namespace

ErrorTrap::ErrorTrap(Display* display)
    : display_(display)
{
    XSync(display_, False);
    firstRequest_ = NextRequest(display_);
}

bool ErrorTrap::Failed()
{
    XSync(display_, False);
    std::lock_guard lock(g_mutex);
    auto it = g_lastFailure.find(display_);
    return it != g_lastFailure.end() && it->second >= firstRequest_;
}

void ErrorTrap::InstallQuietHandler() { XSetErrorHandler(NoteError); }

} // namespace platform::x11

namespace platform::x11 {

void ErrorTrap::Forget(Display* display)
{
    std::lock_guard lock(g_mutex);
    g_lastFailure.erase(display);
}

} // namespace platform::x11
