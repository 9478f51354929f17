#pragma once

// Every live window, the stacking of top-level windows and the geometry
// rules: creating and destroying windows, showing and hiding, moving and
// resizing, z-order with a top-most band, maximising. Showing and placing
// (Show, SetPos) live in WindowPlacement.cpp.

#include "platform/window/Backend.h"
#include "platform/window/Window.h"

#include <mutex>
#include <unordered_set>
#include <vector>

namespace ws {

class WindowTree {
public:
    Window* Create(const CREATESTRUCT& cs, const WindowClass* cls);
    // Destroys the window and its children and owned windows: WM_DESTROY
    // parent first, WM_NCDESTROY children first, then frees them.
    bool Destroy(Window* w);
    // On the user-interface thread, which alone creates and destroys.
    bool IsLive(HWND h) const { return h && live_.count(h) != 0; }
    // From any thread (a capture thread posting to a window).
    bool IsLiveFromAnyThread(HWND h) const;

    const std::vector<Window*>& TopLevels() const { return topLevels_; } // topmost first
    Window* Desktop() { return &desktop_; }

    bool Show(Window* w, int cmd);
    // SetWindowPos: the flags decide what changes.
    bool SetPos(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    void SetRegion(Window* w, std::optional<gdi::Region> region, bool redraw);
    void SetStyle(Window* w, DWORD style);
    void SetExStyle(Window* w, DWORD exStyle);

    // Tells the backend the stacking of the top-level windows.
    void PublishStacking();
    // Whether placing w after insertAfter (HWND_TOP and the like included)
    // would change the stacking or its top-most band.
    bool ZOrderWouldChange(Window* w, HWND insertAfter);
    // Brings a top-level window to the top of its band, as activation does:
    // the stacking changes without position messages.
    void Raise(Window* w);

private:
    void PlaceInZOrder(Window* w, HWND insertAfter);
    void Unlink(Window* w);
    void ResizePixels(Window* w);
    void SendSizeAndMove(Window* w);
    void NotifyParent(Window* w, UINT event);
    // ShowWindow on a child of a hidden window: answers whether it was one.
    bool ShowChildOfHiddenParent(Window* w, bool show);

    Window desktop_;
    std::vector<Window*> topLevels_;
    std::unordered_set<const HWND__*> live_;
    // Held while live_ changes and while another thread reads it.
    mutable std::mutex liveLock_;
};

WindowTree& Tree();

// How a top-level window wants the screen to treat it.
platform::WindowTraits TraitsOf(const Window* w);

} // namespace ws
