#pragma once

// What the program tells a window manager about its top-level windows,
// through the standard properties: the title, that closing is asked for
// (WM_DELETE_WINDOW) rather than done, the kind of window, the maximised,
// top-most and no-task-bar states. Popups take no hints to heart (they are
// override-redirect), but carry their kind for compositors all the same.

#include "platform/window/Backend.h"

#include <X11/Xlib.h>

namespace platform::x11 {

class WindowHints {
public:
    WindowHints(Display* display, int screen);

    // Sets every property of a window from its traits. While a window
    // manager shows the window (shownWith gives the traits it was shown
    // with then), changes of state go to the manager as requests instead,
    // as the desktop window manager conventions ask.
    void Apply(::Window window, const WindowTraits& traits, const WindowTraits* shownWith);
    // Tells where the program placed a managed window, so that the manager
    // keeps the place.
    void Place(::Window window, int x, int y, int width, int height);
    // Asks a window manager to show a managed window (from its icon too)
    // and give it the keyboard; without a manager nobody listens.
    void Activate(::Window window);

    Atom DeleteWindow() const { return deleteWindow_; }
    Atom Protocols() const { return protocols_; }

private:
    void RequestState(::Window window, bool on, Atom state);

    Display* display_;
    ::Window root_;
    Atom protocols_, deleteWindow_, name_, utf8_, pid_, type_, typeNormal_, typeUtility_, state_, maxVert_, maxHorz_,
        above_, skipTaskbar_, skipPager_, activeWindow_;
};

} // namespace platform::x11
