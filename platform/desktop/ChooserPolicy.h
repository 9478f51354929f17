#pragma once

// Which file choosers to try for a save, in order: the desktop portal when
// the session has a bus, then zenity and kdialog where found (kdialog first
// on KDE), then the window system's built-in dialog, which is always last.
// A chooser that cannot ask (no portal on the bus, an error) hands over to
// the next; a choice or a cancel ends the search. The user's own choice
// names one chooser to use alone (the built-in dialog still standing
// behind it), or "builtin" for the built-in dialog only.

#include "platform/desktop/ChooserEnvironment.h"
#include "platform/desktop/FileChooser.h"

#include <memory>
#include <vector>

namespace platform::desktop {

enum class ChooserKind { Portal, Zenity, Kdialog, Builtin };

class ChooserPolicy {
public:
    explicit ChooserPolicy(ChooserEnvironment environment);

    // Never empty; ends with Builtin.
    const std::vector<ChooserKind>& Order() const { return order_; }
    // The chooser of a kind in the order; null for Builtin, which is the
    // window system's own.
    std::unique_ptr<FileChooser> Make(ChooserKind kind) const;

private:
    ChooserEnvironment environment_;
    std::vector<ChooserKind> order_;
};

} // namespace platform::desktop
