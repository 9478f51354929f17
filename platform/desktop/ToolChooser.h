#pragma once

// A desktop's file chooser run as a helper program: zenity (GNOME and most
// others) or kdialog (KDE). Each prints the chosen path on its standard
// output and exits 0, or exits 1 when cancelled; anything else is a
// failure. Both ask before a name that exists is taken (zenity because it
// is told to with --confirm-overwrite, kdialog on its own: its save dialog
// confirms by default).

#include "platform/desktop/FileChooser.h"

#include <string>
#include <vector>

namespace platform::desktop {

class ToolChooser final : public FileChooser {
public:
    enum class Tool { Zenity, Kdialog };

    // program: the tool's absolute path.
    ToolChooser(Tool tool, std::string program);

    SaveAnswer Save(const SaveRequest& request, const CancelSignal& cancel) override;
    bool ConfirmsOverwrite() const override { return true; }
    const char* Name() const override;

    // The tool's arguments for the request.
    static std::vector<std::string> Arguments(Tool tool, const SaveRequest& request);
    // What the tool's exit code and output mean.
    static SaveAnswer Interpret(int exitCode, const std::string& output);

private:
    Tool tool_;
    std::string program_;
};

} // namespace platform::desktop
