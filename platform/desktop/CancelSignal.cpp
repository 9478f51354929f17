#include "platform/desktop/CancelSignal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform::desktop {

CancelSignal::CancelSignal()
    : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

CancelSignal::~CancelSignal()
{
    if (fd_ >= 0)
        close(fd_);
}

void CancelSignal::Raise()
{
    std::uint64_t one = 1;
    // Nobody ever reads the counter, so it stays readable.
    [[maybe_unused]] ssize_t n = write(fd_, &one, sizeof one);
}

bool CancelSignal::Raised() const
{
    if (fd_ < 0)
        return false;
    pollfd p { fd_, POLLIN, 0 };
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

} // namespace platform::desktop
