#pragma once

// Update regions, device contexts of windows and getting pixels to the
// screen.
//
// A window collects what needs painting in its update region (client
// coordinates) with a flag for erasing. WM_PAINT is generated for it when
// the message queue has nothing else to give; BeginPaint erases (through
// WM_ERASEBKGND) and hands out a DC clipped to the update region. Drawing
// lands in the top-level window's pixels, and after every dispatched message
// the dirty parts of every top-level window are presented.

#include "platform/window/Window.h"

namespace ws {

// Adds rgn (client coordinates; null for the whole client area) to the
// window's update region. Children that lie under it are invalidated too
// unless the window clips its children.
void Invalidate(Window* w, const gdi::Region* rgn, bool erase);
// Invalidates the part of a window's parent (or, for a top-level window,
// nothing: the screen recomposes) that the rectangle in parent client
// coordinates covers.
void InvalidateParentArea(Window* w, const RECT& rectInParent);
void Validate(Window* w, const gdi::Region* rgn);
// Marks the non-client frame for repainting.
void InvalidateFrame(Window* w);

// The next window that wants WM_PAINT (parents before children, top-level
// windows topmost first), or null.
Window* WindowToPaint();

// What a DC of the window may draw on, in the DC's device coordinates
// (client or window coordinates).
gdi::Region VisibleRegion(Window* w, bool clientArea);

// Paints the frame and caption of windows that need it, then presents the
// dirty parts of every top-level window.
void PresentAll();

// Releases every DC handed out for a window that is being destroyed.
void ForgetWindowDcs(Window* w);

} // namespace ws

namespace ws {

// Makes a DC of the window's client area (or whole window), limited to an
// update region when one is given.
HDC WindowDc(Window* w, bool client, const gdi::Region* limit);
// Brings every window DC up to date after windows moved, resized, changed
// shape or visibility.
void RefreshWindowDcs();

} // namespace ws
