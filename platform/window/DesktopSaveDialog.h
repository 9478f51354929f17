#pragma once

// GetSaveFileName through the desktop's own file chooser: the choosers of
// the installed policy are tried in turn, each on a thread of its own while
// the program's windows are disabled and its messages keep running. The
// name chosen gets the program's default extension when it has none, and
// the program's overwrite question is asked only where the chooser has
// not asked it about that very path; a "no" opens the chooser again.

#include "platform/desktop/ChooserPolicy.h"
#include "platform/window/Controls.h"

#include <optional>

namespace ws::dlg {

class DesktopSaveDialog {
public:
    // GetSaveFileName's answer once a chooser has chosen or been cancelled;
    // nothing when none could ask, and the built-in dialog is next.
    static std::optional<BOOL> Run(OPENFILENAME& ofn, const platform::desktop::ChooserPolicy& policy);

    // What the choosers are asked for this structure, standing over owner.
    static platform::desktop::SaveRequest RequestFor(const OPENFILENAME& ofn, HWND owner);
};

} // namespace ws::dlg
