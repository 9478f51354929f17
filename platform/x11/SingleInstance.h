#pragma once

// One instance of a program per X screen, the way desktop programs agree on
// it: the first instance owns a selection named for the program and the
// screen (NAME_S<screen>, as window managers own WM_S<screen>) on a small
// window that is never mapped; a later start finds the owner, sends it a
// request to come forward (a ClientMessage of the selection's type) and
// ends. The selection goes with the owner's connection, so an instance that
// died leaves none behind. The service has a connection of its own, apart
// from the screen's, and knows nothing of the program: the caller names the
// selection and decides what a request does.

#include <memory>
#include <string>

// Xlib's connection, named without its header, which the program's own
// headers would clash with.
struct _XDisplay;

namespace platform::x11 {

class SingleInstance {
public:
    enum class Outcome {
        First, // this process owns the selection now
        Signalled, // another instance runs and has been asked to come forward
        NoDisplay, // the display could not be opened: nothing was decided
    };

    // Connects to the display named (null: the one in DISPLAY) and either
    // takes the selection NAME_S<screen> (NAME: a well-formed atom name such
    // as "_MYPROGRAM_INSTANCE") or signals its owner. Answers the owner's
    // service for First, null otherwise.
    static std::unique_ptr<SingleInstance> Claim(const char* displayName, const std::string& name, Outcome& outcome);

    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Reads what arrived on the connection, without waiting: answers how
    // many requests to come forward came since the last call.
    int TakeRequests();
    // Whether the selection is still this instance's (it is unless another
    // client took it by force).
    bool Owns() const { return owns_; }
    // The connection's descriptor, for a caller that waits for requests.
    int Fd() const;
    // The selection's name, NAME_S<screen>.
    const std::string& SelectionName() const { return selectionName_; }

private:
    SingleInstance(_XDisplay* display, unsigned long window, unsigned long selection, std::string selectionName);

    _XDisplay* display_;
    unsigned long window_; // an XID
    unsigned long selection_; // an Atom
    std::string selectionName_;
    bool owns_ = true;
};

} // namespace platform::x11
