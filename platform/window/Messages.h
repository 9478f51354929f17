#pragma once

// The message queue of the user-interface thread: posted messages, input
// messages made from the backend's events, then WM_PAINT, then WM_TIMER, in
// that order of priority, as the desktop API retrieves them.

#include "platform/window/Window.h"

#include <functional>

namespace ws {

void PostToQueue(const MSG& msg);
void PostInputMessage(const MSG& msg);
void RemoveWindowMessages(HWND hwnd);

// One attempt to take a message, without waiting.
bool TakeMessage(MSG& out, HWND filter, UINT min, UINT max, bool remove);
// Waits until the backend has an event or the next timer or hover deadline
// is due; handles the event.
void WaitForInput();

// Asks the loop to end: WM_QUIT comes once the queue holds nothing posted.
void RequestQuit(int code);

// Timers.
UINT_PTR StartTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
bool StopTimer(HWND hwnd, UINT_PTR id);
void StopWindowTimers(HWND hwnd);

// The earliest time a timer or a hover notification falls due.
bool NextTimerOrHover(DWORD& when);
// Drops every queued message, the quit request and thread timers.
void DiscardQueue();

// The last message retrieved: its time and cursor position.
DWORD LastMessageTime();
POINT LastMessagePos();

} // namespace ws
