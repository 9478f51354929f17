#pragma once

// Counts events of a few kinds (frames received, handed on, dropped) and,
// each time a period has passed, writes one info line with its label and
// each kind's rate a second over the period:
//
//     frame rate: camera /dev/video0: received 29.9/s, handed on 29.9/s, dropped 0.0/s over 5.0 s
//
// Nothing is counted or written unless the info level is on. One thread
// counts (the one whose events they are).

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace logging {

class RateReport {
public:
    using Clock = std::chrono::steady_clock;

    // Every DefaultPeriod(), or every period.
    RateReport(std::string label, std::vector<std::string> kinds);
    RateReport(std::string label, std::vector<std::string> kinds, Clock::duration period);

    // 5 s, unless a test sets another (for reports made after the call).
    static Clock::duration DefaultPeriod();
    static void SetDefaultPeriod(Clock::duration period);

    // Counts n events of the kind (its index in the constructor's list).
    void Count(std::size_t kind, std::uint64_t n = 1)
    {
        if (on_)
            counts_[kind] += n;
    }
    // Writes the line when the period is over, and starts the next.
    void Tick() { Tick(Clock::now()); }
    void Tick(Clock::time_point now);
    // Starts counting afresh (a stream starting), and looks again whether
    // the info level is on.
    void Restart() { Restart(Clock::now()); }
    void Restart(Clock::time_point now);

private:
    const std::string label_;
    const std::vector<std::string> kinds_;
    const Clock::duration period_;
    std::vector<std::uint64_t> counts_;
    Clock::time_point start_;
    bool on_ = false;
};

} // namespace logging
