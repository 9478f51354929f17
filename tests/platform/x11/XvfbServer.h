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
    // A second one started without the shared-memory extension (MIT-SHM),
    // for the screen's plain-request path.
    static XvfbServer& WithoutSharedMemory();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Whether an Xvfb binary exists at all.
    bool Installed() const { return installed_; }
    // ":N" once the server runs; empty when it could not start.
    const std::string& Display() const { return display_; }
    const std::string& Error() const { return error_; }

private:
    explicit XvfbServer(bool sharedMemory);
    void Start(const std::string& binary, bool sharedMemory);

    bool installed_ = false;
    pid_t pid_ = -1;
    std::string display_;
    std::string error_;
};

} // namespace test
