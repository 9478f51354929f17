#pragma once

// Reads the recording window class's log as lines a test can compare whole
// against a table: one line per message, "<window> <message> <details>",
// with windows named by the test. Painting is left out (it follows later,
// when messages run) and so are the pointer's messages; what stays is the
// window-position, showing, activation, focus and lifetime traffic.

#include "tests/platform/window/WindowTestSupport.h"

#include <map>
#include <string>
#include <vector>

namespace test {

using Lines = std::vector<std::string>;

class SequenceLog {
public:
    SequenceLog() { Log().Clear(); }
    void Name(HWND hwnd, const std::string& name) { names_[hwnd] = name; }
    // The lines logged since the last call, and a fresh start.
    Lines Take();

private:
    std::string NameOf(HWND hwnd) const;
    std::string Details(const Logged& e) const;
    std::map<HWND, std::string> names_;
};

} // namespace test
