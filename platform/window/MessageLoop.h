#pragma once

// Running messages: the filter that sees every queued message before it is
// dispatched (the class library's pre-translation hangs here), and pumping.

#include "platform/window/WinUser.h"

#include <functional>

namespace platform {

// Installs the filter; it answers true for a message it has handled, which
// is then neither translated nor dispatched.
void SetMessageFilter(std::function<bool(MSG&)> filter);
bool FilterMessage(MSG& msg);

// Takes one message, waiting for one if asked, and runs it through the
// filter, TranslateMessage and DispatchMessage. Answers false when there was
// none (without waiting) or when it was WM_QUIT, which is left in msg.
bool PumpOne(MSG& msg, bool wait);

// The earliest time a timer or a hover notification falls due, if any.
bool NextDeadline(DWORD& when);

// Called for every new window right after it exists and before it gets its
// first message (WM_NCCREATE), so that the class library can attach its
// object and route the window's messages through it.
void SetCreateHook(std::function<void(HWND, const CREATESTRUCT&)> hook);
void CallCreateHook(HWND hwnd, const CREATESTRUCT& cs);

// Drops every queued message and thread timer; tests start from nothing.
void ResetQueue();

} // namespace platform
