// The periodic rate line.

#include "platform/log/RateReport.h"

#include "platform/log/Log.h"

#include <algorithm>
#include <atomic>

namespace logging {

namespace {

std::atomic<RateReport::Clock::rep> g_defaultPeriod {
    std::chrono::duration_cast<RateReport::Clock::duration>(std::chrono::seconds(5)).count()
};

} // namespace

RateReport::Clock::duration RateReport::DefaultPeriod() { return Clock::duration(g_defaultPeriod.load()); }

void RateReport::SetDefaultPeriod(Clock::duration period) { g_defaultPeriod.store(period.count()); }

RateReport::RateReport(std::string label, std::vector<std::string> kinds)
    : RateReport(std::move(label), std::move(kinds), DefaultPeriod())
{
}

RateReport::RateReport(std::string label, std::vector<std::string> kinds, Clock::duration period)
    : label_(std::move(label))
    , kinds_(std::move(kinds))
    , period_(period)
    , counts_(kinds_.size(), 0)
{
    Restart();
}

void RateReport::Restart(Clock::time_point now)
{
    std::fill(counts_.begin(), counts_.end(), 0);
    start_ = now;
    on_ = Enabled(Level::Info);
}

void RateReport::Tick(Clock::time_point now)
{
    if (!on_ || now - start_ < period_)
        return;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    std::string rates;
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        char rate[32];
        std::snprintf(rate, sizeof rate, " %.1f/s", static_cast<double>(counts_[i]) / seconds);
        rates += (i ? ", " : "") + kinds_[i] + rate;
    }
    INKVEIL_LOG(Info, "%s: %s over %.1f s", label_.c_str(), rates.c_str(), seconds);
    std::fill(counts_.begin(), counts_.end(), 0);
    start_ = now;
}

} // namespace logging
