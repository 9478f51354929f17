// Counting the frames the video view showed.

#include "camera/ViewFrameRate.h"

namespace {

enum Kind : std::size_t { kArrived, kShown };

} // namespace

CViewFrameRate::CViewFrameRate()
    : m_report("frame rate: view", { "arrived", "shown" })
{
}

void CViewFrameRate::Painted(std::uint64_t frameSerial, logging::RateReport::Clock::time_point now)
{
    if (frameSerial == m_nLastSerial)
        return; // the same frame again (the overlay or the blink changed)
    m_report.Count(kArrived, frameSerial - m_nLastSerial);
    m_report.Count(kShown);
    m_nLastSerial = frameSerial;
    m_report.Tick(now);
}
