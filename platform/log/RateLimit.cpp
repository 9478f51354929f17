// The log's rate limit for repeated events.

#include "platform/log/RateLimit.h"

namespace logging {

bool RateLimit::Pass(Clock::time_point now, std::uint64_t& held)
{
    std::lock_guard guard(lock_);
    if (passedOnce_ && now - lastPassed_ < interval_) {
        ++held_;
        return false;
    }
    passedOnce_ = true;
    lastPassed_ = now;
    held = held_;
    held_ = 0;
    return true;
}

std::uint64_t RateLimit::TakeHeld()
{
    std::lock_guard guard(lock_);
    const std::uint64_t held = held_;
    held_ = 0;
    return held;
}

} // namespace logging
