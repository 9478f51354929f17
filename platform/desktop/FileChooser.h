#pragma once

// A file chooser of the desktop that runs outside the program (the desktop
// portal's, or a helper program's). Save blocks until the user has chosen,
// so it runs on a thread of its own (ChooserJob) while the program's
// message loop goes on.

#include "platform/desktop/CancelSignal.h"
#include "platform/desktop/SaveRequest.h"

namespace platform::desktop {

class FileChooser {
public:
    virtual ~FileChooser() = default;

    // Asks for a name to save under. Answers Cancelled soon after cancel is
    // raised, closing the chooser's window where it can.
    virtual SaveAnswer Save(const SaveRequest& request, const CancelSignal& cancel) = 0;
    // Whether the chooser itself asks before a name that exists is taken,
    // so that the program does not ask a second time.
    virtual bool ConfirmsOverwrite() const = 0;
    // For the log: "portal", "zenity", "kdialog".
    virtual const char* Name() const = 0;
};

} // namespace platform::desktop
