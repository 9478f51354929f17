#include "platform/x11/WindowHints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace platform::x11 {

namespace {

constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;

} // namespace

WindowHints::WindowHints(Display* display, int screen)
    : display_(display)
    , root_(RootWindow(display, screen))
{
    const char* names[] = { "WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_NAME", "UTF8_STRING", "_NET_WM_PID",
        "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_UTILITY", "_NET_WM_STATE",
        "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_ABOVE",
        "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_ACTIVE_WINDOW" };
    Atom atoms[std::size(names)] = {};
    XInternAtoms(display_, const_cast<char**>(names), static_cast<int>(std::size(names)), False, atoms);
    Atom* out[] = { &protocols_, &deleteWindow_, &name_, &utf8_, &pid_, &type_, &typeNormal_, &typeUtility_, &state_,
        &maxVert_, &maxHorz_, &above_, &skipTaskbar_, &skipPager_, &activeWindow_ };
    for (std::size_t i = 0; i < std::size(names); ++i)
        *out[i] = atoms[i];
}

namespace {

bool SkipsTaskbar(const WindowTraits& t) { return t.toolWindow || !t.managed; }

} // namespace

void WindowHints::Apply(::Window window, const WindowTraits& traits, const WindowTraits* shownWith)
{
    const char* title = traits.title ? traits.title : "";
    auto* text = reinterpret_cast<const unsigned char*>(title);
    int length = static_cast<int>(std::strlen(title));
    XChangeProperty(display_, window, name_, utf8_, 8, PropModeReplace, text, length);
    XChangeProperty(display_, window, XA_WM_NAME, utf8_, 8, PropModeReplace, text, length);

    char resName[] = "inkveil";
    char resClass[] = "Inkveil";
    XClassHint classHint { resName, resClass };
    XSetClassHint(display_, window, &classHint);

    Atom protocols[] = { deleteWindow_ };
    XSetWMProtocols(display_, window, protocols, 1);
    long pid = static_cast<long>(getpid());
    XChangeProperty(display_, window, pid_, XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<const unsigned char*>(&pid), 1);

    Atom type = traits.toolWindow || !traits.managed ? typeUtility_ : typeNormal_;
    XChangeProperty(display_, window, type_, XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<const unsigned char*>(&type), 1);

    bool skip = SkipsTaskbar(traits);
    if (shownWith) {
        if (shownWith->maximized != traits.maximized) {
            RequestState(window, traits.maximized, maxVert_);
            RequestState(window, traits.maximized, maxHorz_);
        }
        if (shownWith->topmost != traits.topmost)
            RequestState(window, traits.topmost, above_);
        if (SkipsTaskbar(*shownWith) != skip) {
            RequestState(window, skip, skipTaskbar_);
            RequestState(window, skip, skipPager_);
        }
        return;
    }
    // Before the window is shown, the property itself is what the manager
    // reads when it takes the window on.
    std::vector<Atom> states;
    if (traits.maximized) {
        states.push_back(maxVert_);
        states.push_back(maxHorz_);
    }
    if (traits.topmost)
        states.push_back(above_);
    if (skip) {
        states.push_back(skipTaskbar_);
        states.push_back(skipPager_);
    }
    XChangeProperty(display_, window, state_, XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));
}

void WindowHints::RequestState(::Window window, bool on, Atom state)
{
    XEvent ev {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = state_;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = on ? kStateAdd : kStateRemove;
    ev.xclient.data.l[1] = static_cast<long>(state);
    ev.xclient.data.l[2] = 0;
    ev.xclient.data.l[3] = 1; // a normal application
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

void WindowHints::Activate(::Window window)
{
    XEvent ev {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = activeWindow_;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = 1; // a normal application
    ev.xclient.data.l[1] = CurrentTime;
    ev.xclient.data.l[2] = 0; // none of the program's windows is active for the manager
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

void WindowHints::Place(::Window window, int x, int y, int width, int height)
{
    XSizeHints hints {};
    hints.flags = PPosition | PSize;
    hints.x = x;
    hints.y = y;
    hints.width = width;
    hints.height = height;
    XSetWMNormalHints(display_, window, &hints);
}

} // namespace platform::x11
