#pragma once

// Runs a helper program (a file chooser) to its end and collects what it
// prints on its standard output. The child inherits the environment and
// the standard error stream, and none of the program's other descriptors
// (the X connection among them).

#include "platform/desktop/CancelSignal.h"

#include <string>
#include <vector>

namespace platform::desktop {

class ChildProcess {
public:
    struct Outcome {
        bool started = false;
        bool cancelled = false; // stopped by the cancel signal
        int exitCode = -1; // -1 when it ended by a signal
        std::string output;
        std::string why; // why it did not start or run
    };

    // Runs program (an absolute path) with the arguments (argv[1] on); a
    // raised cancel stops it with SIGTERM.
    static Outcome Run(const std::string& program, const std::vector<std::string>& arguments,
        const CancelSignal& cancel);
};

} // namespace platform::desktop
