#pragma once

// The video view's half of the frame rate the log reports at the info
// level: of the frames that arrived from the camera (the latest frame's
// serial moving on), how many a repaint of the whole view actually showed.
// Every few seconds while the view repaints:
//
//     frame rate: view: arrived 30.0/s, shown 29.8/s over 5.0 s
//
// Costs a comparison a paint when the info level is off.

#include "platform/log/RateReport.h"

#include <cstdint>

class CViewFrameRate {
public:
    CViewFrameRate();
    // A whole repaint showed the frame of this serial (at that time).
    void Painted(std::uint64_t frameSerial) { Painted(frameSerial, logging::RateReport::Clock::now()); }
    void Painted(std::uint64_t frameSerial, logging::RateReport::Clock::time_point now);

private:
    logging::RateReport m_report;
    std::uint64_t m_nLastSerial = 0;
};
