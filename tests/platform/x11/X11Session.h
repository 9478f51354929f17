#pragma once

// The window system on a private Xvfb, and a second connection that plays
// the user's hand and the other programs and reads back what the screen
// shows. Shared by the X screen's own tests and the screen contract suite.

#include "platform/window/WinUser.h"
#include "platform/x11/X11Screen.h"

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace test {

class X11Session {
public:
    // The colour of the bare desktop (the root window's background).
    static constexpr COLORREF kDesktop = RGB(0x20, 0x40, 0x60);

    enum class Start { Running, NoXvfb, Failed };
    // Installs an X screen on the server with or without shared memory;
    // why tells what failed.
    Start Open(bool sharedMemory, std::string& why);
    // Destroys what the test left and lets the screen go.
    void Close();

    // Runs the program's messages until done holds, waiting on the screen
    // between rounds; answers false if it never did.
    bool RunUntil(const std::function<bool()>& done, int rounds = 300);
    // What the screen shows, read from the root by the other connection.
    std::vector<COLORREF> RootPicture();
    COLORREF RootPixel(int x, int y);

    std::unique_ptr<platform::x11::Screen> screen_;
    Display* hand_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace test
