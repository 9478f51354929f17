#pragma once

// One window of the window system: its place in the tree, its styles and
// geometry, its message handler and what it still has to paint.
//
// Geometry is kept as the window rectangle in its parent's client
// coordinates (screen coordinates for top-level windows); the client area
// sits inside it, inset by the non-client frame and caption its styles ask
// for. A top-level window owns the pixels of its whole rectangle; its child
// windows draw into the same pixels.

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/window/WinUser.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ws {

struct WindowClass;

class Window final : public HWND__ {
public:
    std::string className;
    const WindowClass* windowClass = nullptr;
    WNDPROC proc = nullptr;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;

    Window* parent = nullptr; // child windows: the window they live in
    Window* owner = nullptr; // top-level windows: the window they belong to
    std::vector<Window*> children; // topmost first

    RECT rect { 0, 0, 0, 0 }; // in the parent's client coordinates, or the screen's
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    std::map<int, LONG_PTR> extraData; // DWLP_* and other extra bytes
    HINSTANCE instance = nullptr;

    std::optional<gdi::Region> windowRegion; // window coordinates
    gdi::Region updateRegion; // client coordinates
    bool eraseNeeded = false;
    bool frameNeeded = false;

    std::unique_ptr<gdi::Surface> pixels; // top-level windows only

    bool maximized = false;
    bool minimized = false;
    RECT restoreRect { 0, 0, 0, 0 };
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HFONT font = nullptr;
    bool destroying = false;
    // An overlapped window hears WM_SIZE and WM_MOVE only when first shown,
    // not right after WM_CREATE as popups and children do.
    bool sizePending = false;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool IsVisibleFlag() const { return (style & WS_VISIBLE) != 0; }
    bool IsTopmost() const { return (exStyle & WS_EX_TOPMOST) != 0; }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }

    // The client area inside the window, in window coordinates.
    RECT ClientInWindow() const;
    // The top-level window this window lives in (itself for a top-level one).
    Window* TopLevel();
    // Where the window's top-left corner lies on the screen.
    POINT ScreenOrigin() const;
    POINT ClientScreenOrigin() const;
    // Where the window's top-left corner lies in its top-level's pixels.
    POINT OriginInTopLevel() const;
    // Visible itself and every ancestor visible.
    bool IsReallyVisible() const;
    bool IsEnabled() const { return (style & WS_DISABLED) == 0; }
};

// The frame and caption around the client area that a window's styles ask
// for, as insets from the window rectangle.
RECT NonClientInsets(DWORD style, DWORD exStyle);

// The live window behind a handle, or null.
Window* FromHandle(HWND hwnd);

} // namespace ws
