#include "platform/x11/WakeSignal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform::x11 {

WakeSignal::WakeSignal()
    : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

WakeSignal::~WakeSignal()
{
    if (fd_ >= 0)
        close(fd_);
}

void WakeSignal::Raise()
{
    std::uint64_t one = 1;
    // A full counter is already readable; nothing more to do then.
    [[maybe_unused]] ssize_t n = write(fd_, &one, sizeof one);
}

void WakeSignal::Clear()
{
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t n = read(fd_, &count, sizeof count);
}

} // namespace platform::x11
