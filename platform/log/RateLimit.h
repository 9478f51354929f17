#pragma once

// Keeps an event that may repeat many times a second from flooding the log:
// the first occurrence passes, then at most one per interval, carrying the
// number held back since the last one that passed. A camera that damages
// every tenth frame at 30 frames a second thus gives a line every few
// seconds saying how many, not three lines a second. Safe from any thread.

#include <chrono>
#include <cstdint>
#include <mutex>

namespace logging {

class RateLimit {
public:
    using Clock = std::chrono::steady_clock;

    explicit RateLimit(Clock::duration interval = std::chrono::seconds(5))
        : interval_(interval)
    {
    }

    // Whether this occurrence is to be written; if so, held is the number
    // held back since the last one written (which then starts again at 0).
    bool Pass(std::uint64_t& held) { return Pass(Clock::now(), held); }
    bool Pass(Clock::time_point now, std::uint64_t& held);
    // Occurrences held back since the last one written, which starts the
    // count again: for a closing line when the events end.
    std::uint64_t TakeHeld();

private:
    std::mutex lock_;
    const Clock::duration interval_;
    bool passedOnce_ = false;
    Clock::time_point lastPassed_ {};
    std::uint64_t held_ = 0;
};

} // namespace logging
