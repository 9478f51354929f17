#pragma once

// A session bus of the test's own: dbus-daemon started with a
// configuration that lets anyone own any name and activates no services,
// listening on a socket in a temporary folder, and stopped when the object
// goes. No test ever touches the session's own bus.

#include "tests/support/FileTestSupport.h"

#include <string>
#include <sys/types.h>

namespace desktoptest {

class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // The bus's address ("unix:path=...,guid=..."); empty when the daemon
    // would not start, with the reason in Error().
    const std::string& Address() const { return address_; }
    const std::string& Error() const { return error_; }

private:
    test::TempFolder folder_;
    pid_t daemon_ = -1;
    std::string address_;
    std::string error_;
};

} // namespace desktoptest
