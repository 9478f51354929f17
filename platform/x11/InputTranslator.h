#pragma once

// Turns the X server's pointer and keyboard events into the window system's
// input events: buttons and the wheel, motion, crossings, and keys as
// virtual keys with the text they type.

#include "platform/window/Backend.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <vector>

namespace platform::x11 {

class InputTranslator {
public:
    // Appends what the event means to out; events of other kinds mean
    // nothing here.
    static void Translate(XEvent& event, std::vector<InputEvent>& out);

    // The virtual key of a key symbol, or 0 for a key the program has no
    // name for.
    static UINT VirtualKey(KeySym symbol);
    // The Unicode code point a key press types, from the key symbol and the
    // Latin-1 text the server's keyboard mapping gives; 0 when it types
    // nothing.
    static UINT CodePoint(KeySym symbol, const char* latin1, int length);

private:
    static void Button(const XButtonEvent& e, std::vector<InputEvent>& out);
    static void Key(XKeyEvent& e, std::vector<InputEvent>& out);
    static void Crossing(const XCrossingEvent& e, std::vector<InputEvent>& out);
};

} // namespace platform::x11
