#pragma once

// Reads what the screen shows, for display device contexts and snapshots:
// the root window's pixels. Some servers have no picture of the screen to
// give: a rootless server inside a Wayland session refuses the read or
// answers with black. Such a read counts as a failure, so that the caller
// can say so instead of freezing a black screen.

#include "platform/gdi/Surface.h"
#include "platform/x11/ImageBuffer.h"

#include <X11/Xlib.h>

namespace platform::x11 {

class ScreenReader {
public:
    ScreenReader(Display* display, int screen);

    // Reads the whole root window into out, which has the screen's size.
    // Answers false when there is no real picture to be had.
    bool Read(gdi::Surface& out);

private:
    bool AllBlack(const gdi::Surface& pixels) const;
    bool OtherWindowsShown() const;

    Display* display_;
    ::Window root_;
    int width_;
    int height_;
    bool rootless_; // the server may have no picture behind the root
    ImageBuffer image_;
};

} // namespace platform::x11
