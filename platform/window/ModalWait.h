#pragma once

// While a dialog of another program has the user's attention (the
// desktop's file chooser), the program's windows are disabled as under a
// modal dialog and its messages keep running: timers, paints, frames
// posted by other threads.

#include "platform/window/WinUser.h"

#include <functional>
#include <vector>

namespace ws::dlg {

class ModalWait {
public:
    // Disables every enabled top-level window.
    explicit ModalWait(HWND owner);
    // Enables those again and gives the owner back its activation.
    ~ModalWait();
    ModalWait(const ModalWait&) = delete;
    ModalWait& operator=(const ModalWait&) = delete;

    // Runs messages, sleeping while there are none, until done() answers
    // true; whoever makes it true posts a message (from any thread) so that
    // the sleep ends. WM_QUIT calls cancel(), then the wait goes on until
    // done() and the quit is posted again for the loop outside.
    void Run(const std::function<bool()>& done, const std::function<void()>& cancel);

private:
    HWND owner_;
    std::vector<HWND> disabled_;
};

} // namespace ws::dlg
