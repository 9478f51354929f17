#pragma once

// The real screen: the window system's top-level windows as X windows.
// Popups are override-redirect, placed and stacked by the program itself;
// windows with a caption are managed by the window manager, which draws
// their frame and whose moves and close requests come back as events.
// Window pixels reach the server through shared memory, dirty areas only;
// window regions become the windows' X shapes, for what shows and for what
// takes the pointer alike.

#include "platform/gdi/Surface.h"
#include "platform/window/Backend.h"
#include "platform/x11/CursorCache.h"
#include "platform/x11/ImageBuffer.h"
#include "platform/x11/ScreenReader.h"
#include "platform/x11/WakeSignal.h"
#include "platform/x11/WindowHints.h"

#include <X11/Xlib.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::x11 {

class Screen final : public Backend {
public:
    // Connects to the display named (null: the one in DISPLAY). Answers
    // null, with the reason in whyNot, when there is no usable display.
    static std::unique_ptr<Screen> Open(const char* displayName, std::string& whyNot);
    ~Screen() override;

    // Backend.
    SIZE ScreenSize() const override { return SIZE { width_, height_ }; }
    int BitsPerPixel() const override { return bitsPerPixel_; }
    gdi::Surface* ScreenPixels() override;
    void AddWindow(HWND window, const WindowTraits& traits) override;
    void RemoveWindow(HWND window) override;
    void SetWindowTraits(HWND window, const WindowTraits& traits) override;
    void SetWindowRect(HWND window, const RECT& screenRect) override;
    void SetWindowVisible(HWND window, bool visible) override;
    void SetWindowShape(HWND window, const gdi::Region* shape) override;
    void SetStacking(const std::vector<HWND>& topToBottom) override;
    void Present(HWND window, const gdi::Surface& pixels, const RECT& dirty) override;
    void BringToFront(HWND window) override;
    void SetCursor(HCURSOR__* cursor) override;
    POINT CursorPos() const override;
    void SetCursorPos(POINT screen) override;
    void GrabPointer(HWND window) override;
    bool NextEvent(InputEvent& out, DWORD timeoutMs) override;
    DWORD Now() const override;
    void Wake() override { wake_.Raise(); }

    // For tests and measurements.
    Display* Connection() const { return display_; }
    ::Window XWindowOf(HWND window) const;
    bool UsesSharedMemory() const { return image_.Shared(); }

private:
    struct WindowState {
        ::Window xid = 0;
        // The root's child that holds the window, which the program stacks:
        // the window itself, or the frame a window manager put it in.
        ::Window stackable = 0;
        WindowTraits traits;
        std::string title;
        RECT rect { 0, 0, 0, 0 }; // the whole window, screen coordinates
        RECT placed { 0, 0, 0, 0 }; // the X window's last known place
        // The request number of the program's last move or resize: a
        // configure event the server made before it is stale.
        unsigned long placeSerial = 0;
        bool visible = false;
        const gdi::Surface* pixels = nullptr;
        std::optional<gdi::Region> shape;
    };

    Screen(Display* display, int screen);
    WindowState* Find(HWND window);
    WindowState* FindX(::Window xid);
    // The X window's rectangle on the screen: a managed window's client
    // area, the whole window otherwise.
    RECT XRect(const WindowState& w) const;
    // Where the X window's top-left corner lies in the window's pixels.
    POINT XOrigin(const WindowState& w) const;
    void Place(WindowState& w);
    void ApplyShape(const WindowState& w);
    void ApplyTraits(WindowState& w, const WindowTraits& traits);
    // Puts the part area (window coordinates) of the window's pixels.
    void PutArea(const WindowState& w, const RECT& area);
    void DrainConnection();
    void Handle(XEvent& ev);
    void OnConfigure(const XConfigureEvent& e);
    void OnReparent(const XReparentEvent& e);

    struct CloseDisplay {
        void operator()(Display* display) const { XCloseDisplay(display); }
    };
    // Declared first, so that the connection closes after every member
    // that holds server resources has let go of them.
    std::unique_ptr<Display, CloseDisplay> connection_;
    Display* display_;
    int screenNumber_;
    ::Window root_;
    Visual* visual_;
    int depth_;
    int width_;
    int height_;
    int bitsPerPixel_;
    bool shapes_ = false;
    bool inputShapes_ = false;
    GC gc_;
    WindowHints hints_;
    CursorCache cursors_;
    ImageBuffer image_;
    ScreenReader reader_;
    gdi::Surface screenPixels_;
    WakeSignal wake_;
    ::Cursor cursor_ = 0; // None until the program sets one: the root's
    ::Window grab_ = 0;
    std::map<HWND, WindowState> windows_;
    std::map<::Window, HWND> byXid_;
    std::deque<InputEvent> pending_;
};

} // namespace platform::x11
