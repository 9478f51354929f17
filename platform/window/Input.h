#pragma once

// Input: the backend's events become mouse and keyboard messages for the
// right window. Also the mouse capture, mouse tracking (hover and leave),
// the keyboard focus, the active window, the key state and the cursor.

#include "platform/window/Backend.h"
#include "platform/window/Window.h"

namespace ws {

void HandleInputEvent(const platform::InputEvent& ev);
// The earliest time a hover notification may fall due, or 0xFFFFFFFF.
DWORD NextHoverDeadline();
// Posts hover notifications that are due.
void CheckHover(DWORD now);

// A window is going away: capture, focus, activation and tracking let go.
void ForgetWindowInput(Window* w);
// A child window went out of sight: a focus inside it moves to its parent.
void FocusLeaves(Window* w);
// The top-level window w was hidden or is being destroyed: if it was the
// active one, its owner or else the topmost visible, enabled window of the
// program becomes active (none deactivates the program).
void ActivateNextAfter(Window* w);
// Activates a top-level window (null deactivates): WM_NCACTIVATE and
// WM_ACTIVATE to the old and the new window, WM_ACTIVATEAPP to every
// top-level window when the program as a whole gains or loses activation.
void Activate(Window* w, WORD how);
Window* ActiveWindow();

// Starts moving a top-level window with the pointer, as a press on its
// caption does; ends at the button's release.
void BeginSystemMove(Window* w);

// The key state as the messages retrieved so far have left it.
bool IsKeyDown(UINT vk);

} // namespace ws
