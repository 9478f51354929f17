#pragma once

// Everything the video view's 20 ms repaint shows depends on: the latest
// frame, the overlay's pixels, the blink layer's drawings and where each
// stands, the angle, the zoom and where the control lies on the screen.
// When all of them are as they were at the last whole repaint, another one
// would put the same pixels on the screen, and the timer skips it.

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <vector>

struct ViewLook {
    std::uint64_t frameSerial = 0;       // LatestFrame::nSerial
    std::uint64_t overlayGeneration = 0; // counts changes of the overlay's pixels
    std::vector<std::uintptr_t> blink;   // CBlinkLayer::Look
    int angle = 0;
    float zoom = 0.0f;
    RECT window {}; // the control's window rectangle on the screen

    bool operator==(const ViewLook& other) const
    {
        return frameSerial == other.frameSerial && overlayGeneration == other.overlayGeneration
            && blink == other.blink && angle == other.angle && zoom == other.zoom && window.left == other.window.left
            && window.top == other.window.top && window.right == other.window.right
            && window.bottom == other.window.bottom;
    }
};
