#pragma once

// A stand-in for zenity or kdialog: a shell script in a folder of its own
// (to put on a search path) that writes its arguments, one a line, to a
// file beside it, prints what the test wants and exits with the status the
// test wants.

#include "tests/support/FileTestSupport.h"

#include <string>
#include <vector>

namespace desktoptest {

class FakeTool {
public:
    // name: "zenity" or "kdialog". output is printed as it stands; when
    // sleepSeconds > 0 the script sleeps that long first.
    FakeTool(const std::string& name, const std::string& output, int exitCode, int sleepSeconds = 0);

    std::string Folder() const { return folder_.path.string(); }
    std::string Program() const;
    // The arguments of each run so far, runs separated.
    std::vector<std::vector<std::string>> Runs() const;
    // Changes what the next runs print and answer.
    void Answer(const std::string& output, int exitCode);

private:
    void Write(const std::string& output, int exitCode, int sleepSeconds);

    test::TempFolder folder_;
    std::string name_;
};

} // namespace desktoptest
