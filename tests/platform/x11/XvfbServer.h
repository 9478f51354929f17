#pragma once

// A private virtual X server for tests and measurements: started on first
// use with a display number it picks itself, stopped when the process ends.

#include <string>
#include <sys/types.h>

namespace test {

class XvfbServer {
public:
    // The one server of this process.
    static XvfbServer& Shared();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Whether an Xvfb binary exists at all.
    bool Installed() const { return installed_; }
    // ":N" once the server runs; empty when it could not start.
    const std::string& Display() const { return display_; }
    const std::string& Error() const { return error_; }

private:
    XvfbServer();
    void Start(const std::string& binary);

    bool installed_ = false;
    pid_t pid_ = -1;
    std::string display_;
    std::string error_;
};

} // namespace test
