#include "platform/x11/X11Screen.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/x11/ErrorTrap.h"
#include "platform/x11/InputTranslator.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

namespace platform::x11 {

namespace {

constexpr long kPointerMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask
    | LeaveWindowMask;
constexpr long kWindowMask = kPointerMask | ExposureMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask;
constexpr DWORD kForever = 0xFFFFFFFF;

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT Intersect(const RECT& a, const RECT& b)
{
    return RECT { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
}

int PixmapBits(Display* display, int depth)
{
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    int bits = depth;
    for (int i = 0; i < count; ++i)
        if (formats[i].depth == depth)
            bits = formats[i].bits_per_pixel;
    if (formats)
        XFree(formats);
    return bits;
}

// Whether pixels can be converted for the screen's visual.
bool VisualUsable(Display* display, Visual* visual, int depth)
{
    if (visual->c_class != TrueColor)
        return false;
    XImage* probe = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr, 1, 1, 32, 0);
    if (!probe)
        return false;
    bool ok = PixelFormat(*probe).Supported();
    XDestroyImage(probe);
    return ok;
}

short Clamp16(long v) { return static_cast<short>(std::clamp<long>(v, SHRT_MIN, SHRT_MAX)); }
unsigned short ClampSize(long v) { return static_cast<unsigned short>(std::clamp<long>(v, 0, USHRT_MAX)); }

} // namespace

std::unique_ptr<Screen> Screen::Open(const char* displayName, std::string& whyNot)
{
    // Xlib is told before any connection that more than one thread of the
    // process may call it.
    XInitThreads();
    Display* display = XOpenDisplay(displayName);
    if (!display) {
        whyNot = std::string("cannot open the X display \"") + XDisplayName(displayName) + "\"";
        return nullptr;
    }
    int screen = DefaultScreen(display);
    if (!VisualUsable(display, DefaultVisual(display, screen), DefaultDepth(display, screen))) {
        whyNot = "the X display's colours are not a true-colour format of 16, 24 or 32 bits";
        XCloseDisplay(display);
        return nullptr;
    }
    ErrorTrap::InstallQuietHandler();
    // A fresh connection has failed at nothing yet: what was noted under its
    // address belonged to a closed one (whose resources were let go after it
    // was forgotten) and would read as a failure of the first requests here.
    ErrorTrap::Forget(display);
    return std::unique_ptr<Screen>(new Screen(display, screen));
}

Screen::Screen(Display* display, int screen)
    : connection_(display)
    , display_(display)
    , screenNumber_(screen)
    , root_(RootWindow(display, screen))
    , visual_(DefaultVisual(display, screen))
    , depth_(DefaultDepth(display, screen))
    , width_(DisplayWidth(display, screen))
    , height_(DisplayHeight(display, screen))
    , bitsPerPixel_(PixmapBits(display, DefaultDepth(display, screen)))
    , gc_(XCreateGC(display, RootWindow(display, screen), 0, nullptr))
    , hints_(display, screen)
    , cursors_(display)
    , image_(display, DefaultVisual(display, screen), DefaultDepth(display, screen), true)
    , reader_(display, screen)
    , screenPixels_(DisplayWidth(display, screen), DisplayHeight(display, screen))
{
    int event = 0, error = 0, major = 0, minor = 0;
    shapes_ = XShapeQueryExtension(display_, &event, &error) && XShapeQueryVersion(display_, &major, &minor);
    inputShapes_ = shapes_ && (major > 1 || (major == 1 && minor >= 1));
    XSetGraphicsExposures(display_, gc_, False);
    // Held keys repeat as presses alone, without releases in between.
    XkbSetDetectableAutoRepeat(display_, True, nullptr);

    gdi::DisplayInfo& d = gdi::Display();
    d.width = width_;
    d.height = height_;
    d.bitsPerPixel = bitsPerPixel_;
    d.surface = &screenPixels_;
    d.read = [this] { return ScreenPixels(); };
}

Screen::~Screen()
{
    gdi::DisplayInfo& d = gdi::Display();
    if (d.surface == &screenPixels_) {
        d.surface = nullptr;
        d.read = nullptr;
    }
    for (const auto& [hwnd, w] : windows_)
        XDestroyWindow(display_, w.xid);
    XFreeGC(display_, gc_);
    XSync(display_, False);
    ErrorTrap::Forget(display_);
    // The cursors, images and reader go before the connection does.
}

gdi::Surface* Screen::ScreenPixels() { return reader_.Read(screenPixels_) ? &screenPixels_ : nullptr; }

Screen::WindowState* Screen::Find(HWND window)
{
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

Screen::WindowState* Screen::FindX(::Window xid)
{
    auto it = byXid_.find(xid);
    return it == byXid_.end() ? nullptr : Find(it->second);
}

::Window Screen::XWindowOf(HWND window) const
{
    auto it = windows_.find(window);
    return it == windows_.end() ? 0 : it->second.xid;
}

RECT Screen::XRect(const WindowState& w) const
{
    RECT r = w.rect;
    if (w.traits.managed) {
        r.left += w.traits.frame.left;
        r.top += w.traits.frame.top;
        r.right -= w.traits.frame.right;
        r.bottom -= w.traits.frame.bottom;
    }
    // An X window is at least one pixel each way.
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    return r;
}

POINT Screen::XOrigin(const WindowState& w) const
{
    return w.traits.managed ? POINT { w.traits.frame.left, w.traits.frame.top } : POINT { 0, 0 };
}

void Screen::AddWindow(HWND window, const WindowTraits& traits)
{
    XSetWindowAttributes a {};
    a.override_redirect = traits.managed ? False : True;
    a.event_mask = kWindowMask;
    a.background_pixmap = None; // the program paints every pixel itself
    a.bit_gravity = NorthWestGravity;
    a.cursor = cursor_;
    WindowState& w = windows_[window];
    w.xid = XCreateWindow(display_, root_, 0, 0, 1, 1, 0, depth_, InputOutput, visual_,
        CWOverrideRedirect | CWEventMask | CWBackPixmap | CWBitGravity | CWCursor, &a);
    w.stackable = w.xid;
    byXid_[w.xid] = window;
    ApplyTraits(w, traits);
}

void Screen::RemoveWindow(HWND window)
{
    WindowState* w = Find(window);
    if (!w)
        return;
    if (grab_ == w->xid)
        GrabPointer(nullptr);
    XDestroyWindow(display_, w->xid);
    XFlush(display_);
    byXid_.erase(w->xid);
    windows_.erase(window);
}

void Screen::ApplyTraits(WindowState& w, const WindowTraits& traits)
{
    WindowTraits before = w.traits;
    bool managedBefore = w.traits.managed;
    w.title = traits.title ? traits.title : "";
    w.traits = traits;
    w.traits.title = w.title.c_str();
    if (managedBefore != traits.managed) {
        // The server reads override-redirect when the window is mapped.
        XSetWindowAttributes a {};
        a.override_redirect = traits.managed ? False : True;
        XChangeWindowAttributes(display_, w.xid, CWOverrideRedirect, &a);
        if (w.visible) {
            XUnmapWindow(display_, w.xid);
            XMapWindow(display_, w.xid);
        }
    }
    bool shownByManager = w.visible && managedBefore && w.traits.managed;
    hints_.Apply(w.xid, w.traits, shownByManager ? &before : nullptr);
}

void Screen::SetWindowTraits(HWND window, const WindowTraits& traits)
{
    WindowState* w = Find(window);
    if (!w)
        return;
    POINT before = XOrigin(*w);
    ApplyTraits(*w, traits);
    POINT after = XOrigin(*w);
    // The client area moved within the window: the X window moves with it.
    if (before.x != after.x || before.y != after.y) {
        Place(*w);
        ApplyShape(*w);
    }
    XFlush(display_);
}

void Screen::Place(WindowState& w)
{
    RECT x = XRect(w);
    w.placed = x;
    int width = x.right - x.left, height = x.bottom - x.top;
    if (w.traits.managed)
        hints_.Place(w.xid, x.left, x.top, width, height);
    w.placeSerial = NextRequest(display_);
    XMoveResizeWindow(display_, w.xid, x.left, x.top, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

void Screen::SetWindowRect(HWND window, const RECT& screenRect)
{
    WindowState* w = Find(window);
    if (!w)
        return;
    // A new size means new pixels; the old ones may be gone already.
    if (w->rect.right - w->rect.left != screenRect.right - screenRect.left
        || w->rect.bottom - w->rect.top != screenRect.bottom - screenRect.top)
        w->pixels = nullptr;
    w->rect = screenRect;
    Place(*w);
    XFlush(display_);
}

void Screen::SetWindowVisible(HWND window, bool visible)
{
    WindowState* w = Find(window);
    if (!w || w->visible == visible)
        return;
    w->visible = visible;
    if (visible) {
        // A window manager reads the state properties as it takes the
        // window on; they must be current before the map.
        hints_.Apply(w->xid, w->traits, nullptr);
        XMapWindow(display_, w->xid);
    } else if (w->traits.managed) {
        XWithdrawWindow(display_, w->xid, screenNumber_);
    } else {
        XUnmapWindow(display_, w->xid);
    }
    XFlush(display_);
}

void Screen::SetWindowShape(HWND window, const gdi::Region* shape)
{
    WindowState* w = Find(window);
    if (!w)
        return;
    if (shape)
        w->shape = *shape;
    else
        w->shape.reset();
    ApplyShape(*w);
    XFlush(display_);
}

void Screen::ApplyShape(const WindowState& w)
{
    if (!shapes_)
        return;
    int kinds[] = { ShapeBounding, ShapeInput };
    int kindCount = inputShapes_ ? 2 : 1;
    if (!w.shape) {
        for (int i = 0; i < kindCount; ++i)
            XShapeCombineMask(display_, w.xid, kinds[i], 0, 0, None, ShapeSet);
        return;
    }
    std::vector<XRectangle> rects;
    w.shape->ForEachRect([&](const RECT& r) {
        rects.push_back(
            XRectangle { Clamp16(r.left), Clamp16(r.top), ClampSize(r.right - r.left), ClampSize(r.bottom - r.top) });
    });
    POINT o = XOrigin(w);
    for (int i = 0; i < kindCount; ++i)
        XShapeCombineRectangles(display_, w.xid, kinds[i], -o.x, -o.y, rects.data(), static_cast<int>(rects.size()),
            ShapeSet, YXBanded);
}

void Screen::SetStacking(const std::vector<HWND>& topToBottom)
{
    std::vector<::Window> order;
    bool topmostFirst = false;
    for (HWND h : topToBottom) {
        if (const WindowState* w = Find(h)) {
            if (order.empty())
                topmostFirst = w->traits.topmost;
            order.push_back(w->stackable);
        }
    }
    if (order.empty())
        return;
    // A top-most window goes above every other program's windows again; the
    // rest of the program's windows follow it, in order, right below.
    if (topmostFirst)
        XRaiseWindow(display_, order.front());
    if (order.size() > 1)
        XRestackWindows(display_, order.data(), static_cast<int>(order.size()));
    XFlush(display_);
}

void Screen::Present(HWND window, const gdi::Surface& pixels, const RECT& dirty)
{
    WindowState* w = Find(window);
    if (!w)
        return;
    w->pixels = &pixels;
    // A hidden window keeps its pixels for the exposure that showing it
    // brings.
    if (!w->visible)
        return;
    PutArea(*w, dirty);
    XFlush(display_);
}

void Screen::BringToFront(HWND window)
{
    WindowState* w = Find(window);
    if (!w || !w->visible)
        return;
    // A window manager minimises by unmapping; a client maps its window to
    // have it shown again. Mapping a mapped window changes nothing.
    XMapWindow(display_, w->xid);
    // On a bare server the raise is done at once; a window manager takes it
    // as a request, and the activation message asks it for the keyboard too.
    XRaiseWindow(display_, w->stackable);
    if (w->traits.managed)
        hints_.Activate(w->xid);
    XFlush(display_);
}

void Screen::PutArea(const WindowState& w, const RECT& area)
{
    if (!w.pixels)
        return;
    RECT x = XRect(w);
    POINT o = XOrigin(w);
    RECT shown { o.x, o.y, o.x + (x.right - x.left), o.y + (x.bottom - x.top) };
    RECT a = Intersect(Intersect(area, w.pixels->Bounds()), shown);
    int width = a.right - a.left, height = a.bottom - a.top;
    if (width <= 0 || height <= 0 || !image_.Reserve(width, height))
        return;
    image_.Fill(*w.pixels, a);
    image_.Put(w.xid, gc_, width, height, a.left - o.x, a.top - o.y);
}

void Screen::SetCursor(HCURSOR__* cursor)
{
    cursor_ = cursors_.For(cursor);
    for (const auto& [hwnd, w] : windows_)
        XDefineCursor(display_, w.xid, cursor_);
    if (grab_)
        XChangeActivePointerGrab(display_, static_cast<unsigned>(kPointerMask), cursor_, CurrentTime);
    XFlush(display_);
}

POINT Screen::CursorPos() const
{
    ::Window rootReturn = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(display_, root_, &rootReturn, &child, &x, &y, &wx, &wy, &mask);
    return POINT { x, y };
}

void Screen::SetCursorPos(POINT screen)
{
    XWarpPointer(display_, None, root_, 0, 0, 0, 0, screen.x, screen.y);
    XFlush(display_);
}

void Screen::GrabPointer(HWND window)
{
    const WindowState* w = window ? Find(window) : nullptr;
    if (!w) {
        if (grab_)
            XUngrabPointer(display_, CurrentTime);
        grab_ = 0;
    } else {
        // Every pointer event, wherever the pointer is, goes to the window.
        if (XGrabPointer(display_, w->xid, False, static_cast<unsigned>(kPointerMask), GrabModeAsync, GrabModeAsync,
                None, cursor_, CurrentTime)
            == GrabSuccess)
            grab_ = w->xid;
    }
    XFlush(display_);
}

DWORD Screen::Now() const
{
    using namespace std::chrono;
    // The same clock as the tick count's own.
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void Screen::DrainConnection()
{
    while (XPending(display_)) {
        XEvent ev;
        XNextEvent(display_, &ev);
        Handle(ev);
    }
}

bool Screen::NextEvent(InputEvent& out, DWORD timeoutMs)
{
    DWORD start = Now();
    for (;;) {
        DrainConnection();
        if (!pending_.empty()) {
            out = pending_.front();
            pending_.pop_front();
            return true;
        }
        DWORD elapsed = Now() - start;
        if (timeoutMs == 0 || (timeoutMs != kForever && elapsed >= timeoutMs))
            return false;
        pollfd fds[2] = { { ConnectionNumber(display_), POLLIN, 0 }, { wake_.Fd(), POLLIN, 0 } };
        int wait = timeoutMs == kForever ? -1 : static_cast<int>(timeoutMs - elapsed);
        int n = poll(fds, wake_.Valid() ? 2 : 1, wait);
        if (n < 0 && errno != EINTR)
            return false;
        if (n > 0 && (fds[1].revents & POLLIN)) {
            // Woken: whatever was posted is waiting in the message queue.
            wake_.Clear();
            timeoutMs = 0;
        }
    }
}

void Screen::Handle(XEvent& ev)
{
    switch (ev.type) {
    case Expose:
        if (const WindowState* w = FindX(ev.xexpose.window)) {
            POINT o = XOrigin(*w);
            const XExposeEvent& e = ev.xexpose;
            PutArea(*w, RECT { e.x + o.x, e.y + o.y, e.x + o.x + e.width, e.y + o.y + e.height });
            if (e.count == 0)
                XFlush(display_);
        }
        break;
    case ConfigureNotify:
        OnConfigure(ev.xconfigure);
        break;
    case ReparentNotify:
        OnReparent(ev.xreparent);
        break;
    case ClientMessage:
        if (ev.xclient.message_type == hints_.Protocols()
            && static_cast<Atom>(ev.xclient.data.l[0]) == hints_.DeleteWindow()) {
            auto it = byXid_.find(ev.xclient.window);
            if (it != byXid_.end()) {
                InputEvent close;
                close.type = InputEvent::Type::CloseRequest;
                close.window = it->second;
                pending_.push_back(close);
            }
        }
        break;
    case MappingNotify:
        XRefreshKeyboardMapping(&ev.xmapping);
        break;
    default: {
        std::vector<InputEvent> input;
        InputTranslator::Translate(ev, input);
        pending_.insert(pending_.end(), input.begin(), input.end());
        break;
    }
    }
}

void Screen::OnConfigure(const XConfigureEvent& e)
{
    auto it = byXid_.find(e.window);
    if (it == byXid_.end())
        return;
    WindowState& w = windows_[it->second];
    // Only a window manager moves windows behind the program's back, and
    // only managed windows.
    if (!w.traits.managed)
        return;
    // An event about an earlier place of the program's own asking would
    // undo the newer one (a window maximised as it is first shown would
    // spring back to its first size).
    if (e.serial < w.placeSerial)
        return;
    int x = e.x, y = e.y;
    if (!e.send_event) {
        // A real event gives the place within the manager's frame.
        ::Window child = 0;
        XTranslateCoordinates(display_, e.window, root_, 0, 0, &x, &y, &child);
    }
    RECT placed { x, y, x + e.width, y + e.height };
    if (SameRect(placed, w.placed))
        return;
    w.placed = placed;
    const RECT& f = w.traits.frame;
    InputEvent ev;
    ev.type = InputEvent::Type::Configure;
    ev.window = it->second;
    ev.rect = RECT { placed.left - f.left, placed.top - f.top, placed.right + f.right, placed.bottom + f.bottom };
    if (!SameRect(ev.rect, w.rect))
        pending_.push_back(ev);
}

void Screen::OnReparent(const XReparentEvent& e)
{
    WindowState* w = FindX(e.window);
    if (!w)
        return;
    // Climb to the root's child: the frame, however deeply nested.
    ::Window at = e.window;
    ::Window parent = e.parent;
    while (parent && parent != root_) {
        at = parent;
        ::Window rootReturn = 0;
        ::Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, at, &rootReturn, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
    }
    w->stackable = at;
}

} // namespace platform::x11
