#pragma once

// Tells a chooser that waits on file descriptors (the bus, a child's pipe)
// to give up: a descriptor that becomes readable once Raise is called, from
// any thread, and stays so.

namespace platform::desktop {

class CancelSignal {
public:
    CancelSignal();
    ~CancelSignal();
    CancelSignal(const CancelSignal&) = delete;
    CancelSignal& operator=(const CancelSignal&) = delete;

    // Readable (POLLIN) once raised; -1 when no descriptor could be made,
    // and then a chooser cannot be cancelled but still runs.
    int Fd() const { return fd_; }
    void Raise();
    bool Raised() const;

private:
    int fd_;
};

} // namespace platform::desktop
