#pragma once

// A signal that ends a wait on file descriptors from any thread: an event
// counter the waiting loop polls beside the X connection.

namespace platform::x11 {

class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    bool Valid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    // Makes the descriptor readable; safe from any thread.
    void Raise();
    // Makes it quiet again; called by the waiting thread.
    void Clear();

private:
    int fd_;
};

} // namespace platform::x11
