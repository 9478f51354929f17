#include "platform/x11/SingleInstance.h"

#include "platform/x11/ErrorTrap.h"

#include <X11/Xlib.h>

#include <X11/Xatom.h>

namespace platform::x11 {

namespace {

// data.l[0] of a request: come forward. Other values are ignored, so that
// the protocol can grow.
constexpr long kComeForward = 1;
// A start that keeps losing races (owners dying as it signals them) gives
// up after this many rounds and runs as the first.
constexpr int kRounds = 4;

// A server time stamp for the selection request, as the conventions ask
// (CurrentTime may let an older request win): the time of a property change
// on the window, which the server reports to the window's client.
Time ServerTime(Display* display, ::Window window, Atom property)
{
    XChangeProperty(display, window, property, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent ev;
    XWindowEvent(display, window, PropertyChangeMask, &ev);
    return ev.xproperty.time;
}

// Sends the owner the request; false when the owner's window was gone by
// then (its instance ended between the two calls).
bool SendRequest(Display* display, ::Window owner, Atom selection, Time time)
{
    XEvent ev {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = owner;
    ev.xclient.message_type = selection;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = kComeForward;
    ev.xclient.data.l[1] = static_cast<long>(time);
    ErrorTrap trap(display);
    // With no event mask the event goes to the client that made the window.
    XSendEvent(display, owner, False, NoEventMask, &ev);
    return !trap.Failed();
}

} // namespace

std::unique_ptr<SingleInstance> SingleInstance::Claim(const char* displayName, const std::string& name,
    Outcome& outcome)
{
    // Xlib is told before any connection that more than one thread of the
    // process may call it (the program's screen has its own connection).
    XInitThreads();
    outcome = Outcome::NoDisplay;
    Display* display = XOpenDisplay(displayName);
    if (!display)
        return nullptr;
    ErrorTrap::InstallQuietHandler();
    ErrorTrap::Forget(display);
    const int screen = DefaultScreen(display);
    const std::string selectionName = name + "_S" + std::to_string(screen);
    const Atom selection = XInternAtom(display, selectionName.c_str(), False);

    XSetWindowAttributes a {};
    a.override_redirect = True;
    a.event_mask = PropertyChangeMask;
    const ::Window window = XCreateWindow(display, RootWindow(display, screen), -1, -1, 1, 1, 0, CopyFromParent,
        InputOnly, CopyFromParent, CWOverrideRedirect | CWEventMask, &a);
    const Time time = ServerTime(display, window, selection);

    for (int round = 0; round < kRounds; ++round) {
        // Reading the owner and taking the selection when there is none is
        // one step for the server: two instances starting together cannot
        // both see no owner and both take it.
        XGrabServer(display);
        ::Window owner = XGetSelectionOwner(display, selection);
        if (owner == None) {
            XSetSelectionOwner(display, selection, window, time);
            owner = XGetSelectionOwner(display, selection);
        }
        XUngrabServer(display);
        XSync(display, False);
        if (owner == window) {
            outcome = Outcome::First;
            return std::unique_ptr<SingleInstance>(new SingleInstance(display, window, selection, selectionName));
        }
        if (owner != None && SendRequest(display, owner, selection, time)) {
            outcome = Outcome::Signalled;
            XDestroyWindow(display, window);
            XSync(display, False);
            ErrorTrap::Forget(display);
            XCloseDisplay(display);
            return nullptr;
        }
        // The owner ended as it was asked: its selection is gone or going.
    }
    // Owners kept vanishing: run, rather than leave the user with nothing.
    XSetSelectionOwner(display, selection, window, time);
    outcome = Outcome::First;
    return std::unique_ptr<SingleInstance>(new SingleInstance(display, window, selection, selectionName));
}

SingleInstance::SingleInstance(Display* display, ::Window window, Atom selection, std::string selectionName)
    : display_(display)
    , window_(window)
    , selection_(selection)
    , selectionName_(std::move(selectionName))
{
}

SingleInstance::~SingleInstance()
{
    // Closing the connection destroys the window and gives the selection up.
    XDestroyWindow(display_, window_);
    XSync(display_, False);
    ErrorTrap::Forget(display_);
    XCloseDisplay(display_);
}

int SingleInstance::Fd() const { return ConnectionNumber(display_); }

int SingleInstance::TakeRequests()
{
    int requests = 0;
    while (XPending(display_)) {
        XEvent ev;
        XNextEvent(display_, &ev);
        if (ev.type == ClientMessage && ev.xclient.window == window_ && ev.xclient.message_type == selection_
            && ev.xclient.format == 32 && ev.xclient.data.l[0] == kComeForward)
            ++requests;
        else if (ev.type == SelectionClear && ev.xselectionclear.selection == selection_)
            owns_ = false;
    }
    return requests;
}

} // namespace platform::x11
