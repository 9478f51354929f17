#pragma once

// What the window system needs from the screen it runs on. Everything above
// this interface (windows, messages, painting, dialogs) is the same on every
// screen; a backend only shows top-level windows' pixels, reports input and
// keeps time. There are two: an in-memory screen for tests and an X11 one.

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/win/WinTypes.h"

#include <vector>

struct HCURSOR__;

namespace platform {

struct InputEvent {
    enum class Type {
        MouseMove,
        ButtonDown,
        ButtonUp,
        Wheel,
        KeyDown,
        KeyUp,
        Char,
        // The screen closed a top-level window from outside (a window
        // manager's close button).
        CloseRequest,
        // The screen moved or resized a top-level window from outside.
        Configure,
        // The pointer left the program's windows for another program's
        // window or the bare desktop; screen holds where it went.
        PointerLeft,
    };
    enum Button { Left = 0, Right = 1, Middle = 2 };

    Type type = Type::MouseMove;
    POINT screen { 0, 0 }; // pointer position for mouse events
    int button = Left;
    int wheelDelta = 0; // multiples of 120, positive away from the user
    UINT virtualKey = 0;
    UINT character = 0; // a Unicode code point for Char
    HWND window = nullptr; // CloseRequest and Configure
    RECT rect { 0, 0, 0, 0 }; // Configure: the new window rectangle
};

// How a top-level window wants to be treated by the screen.
struct WindowTraits {
    bool managed = false; // decorated and placed by a window manager, if any
    bool topmost = false;
    bool toolWindow = false; // no task-bar entry
    bool maximized = false;
    // The frame and caption the window system draws around the client
    // area, as insets from the window rectangle; a window manager's own
    // decoration takes their place on a managed window.
    RECT frame { 0, 0, 0, 0 };
    const char* title = ""; // valid during the call only
};

class Backend {
public:
    virtual ~Backend() = default;

    // The screen.
    virtual SIZE ScreenSize() const = 0;
    virtual int BitsPerPixel() const = 0;
    // The screen's pixels as they are now, for display device contexts and
    // snapshots; the backend keeps the surface.
    virtual gdi::Surface* ScreenPixels() = 0;

    // Top-level windows. The window system owns each window's pixels; the
    // backend shows them.
    virtual void AddWindow(HWND window, const WindowTraits& traits) = 0;
    virtual void RemoveWindow(HWND window) = 0;
    virtual void SetWindowTraits(HWND window, const WindowTraits& traits) = 0;
    virtual void SetWindowRect(HWND window, const RECT& screenRect) = 0;
    virtual void SetWindowVisible(HWND window, bool visible) = 0;
    // The window's shape in window coordinates; null means its rectangle.
    // Outside the shape the window neither shows nor takes input.
    virtual void SetWindowShape(HWND window, const gdi::Region* shape) = 0;
    // Every visible or hidden top-level window, topmost first.
    virtual void SetStacking(const std::vector<HWND>& topToBottom) = 0;
    // Shows the part dirty (window coordinates) of the window's pixels.
    virtual void Present(HWND window, const gdi::Surface& pixels, const RECT& dirty) = 0;
    // Brings a shown top-level window before the user again, above other
    // programs' windows and with the keyboard: undoes what the desktop did
    // behind the program's back (minimised it, put others over it). The
    // window system publishes its own stacking right after. A screen that
    // holds only the program's windows has nothing to do.
    virtual void BringToFront(HWND window) { }

    // The pointer.
    virtual void SetCursor(HCURSOR__* cursor) = 0;
    virtual POINT CursorPos() const = 0;
    virtual void SetCursorPos(POINT screen) = 0;
    // Keeps every pointer event for this program while a window holds the
    // mouse capture; null lets it go.
    virtual void GrabPointer(HWND window) = 0;

    // Input and time. Waits until an event arrives or the time-out passes
    // (in milliseconds; 0 polls) and answers whether one arrived.
    virtual bool NextEvent(InputEvent& out, DWORD timeoutMs) = 0;
    // Milliseconds, as GetTickCount answers them.
    virtual DWORD Now() const = 0;
    // Ends a wait in NextEvent early. Any thread may call it (a message
    // posted from a capture thread, say); a wake that comes while nobody
    // waits ends the next wait at once. A screen whose waits never block
    // may ignore it.
    virtual void Wake() { }
};

// The screen in use. The window system starts with none and never makes one
// of its own: whoever starts it installs one (the X screen, or an in-memory
// one in tests and tools). Without a screen, creating a top-level window
// fails and the calls that ask the screen answer their failure values.
Backend* InstalledBackend();
// The installed screen, for code that runs only while one is installed
// (a window exists); asserts that one is.
Backend& CurrentBackend();
void InstallBackend(Backend* backend);

} // namespace platform
