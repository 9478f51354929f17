#pragma once

// A test on the X screen: the window system runs on a private Xvfb, and a
// second connection plays the user's hand (XTest) and the other programs
// on the desktop, and reads back what the screen shows.

// Test headers come before the X headers, whose macros (None, Bool)
// would otherwise rename their words.
#include <gtest/gtest.h>

#include "tests/platform/x11/X11Session.h"

#include <X11/Xlib.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace test {

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class X11Test : public ::testing::Test, protected X11Session {
protected:
    void SetUp() override;
    void TearDown() override;

    // A top-level window that fills its client area with colour and gives
    // every message to handler first.
    HWND MakeWindow(DWORD style, DWORD exStyle, RECT rect, COLORREF colour, Handler handler = nullptr);
    // Another program's window: a plain X window of one colour.
    ::Window OtherWindow(RECT rect, COLORREF colour, long eventMask = 0);

    // The user's hand.
    void MoveTo(int x, int y);
    void Button(bool down, unsigned button = 1);
    // Whether the other program's window got an event of the type.
    bool OtherGot(::Window window, int type, XEvent* out = nullptr);

private:
    static LRESULT Proc(HWND, UINT, WPARAM, LPARAM);
    struct Info {
        COLORREF colour;
        Handler handler;
    };
    static std::map<HWND, Info>& Infos();
    std::vector<::Window> others_;
};

} // namespace test
