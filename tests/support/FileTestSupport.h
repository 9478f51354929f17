#pragma once

// What the tests of saving files share: a private temporary folder, a disk
// that fills up, and running a check as an unprivileged user (permissions
// mean nothing to root, which the tests may run as).

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace test {

// A new folder under the system's temporary folder, removed with all it
// holds when the object goes.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    std::string File(const std::string& name) const { return (path / name).string(); }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const;
    std::filesystem::path path;
};

// Files may grow to no more than limit bytes while it lives, as on a full
// disk; writing past it fails instead of ending the program.
struct DiskFull {
    explicit DiskFull(rlim_t limit);
    ~DiskFull();
    rlimit old {};
    void (*handler)(int) = nullptr;
};

// Runs check in a child process that, when this one is root, has become the
// unprivileged user "nobody" first. Answers the check's result, or -1 when
// the child could not be made or could not give up its privileges.
int RunUnprivileged(const std::function<int()>& check);
// The user and group the child of RunUnprivileged runs as (for files it
// must be able to reach).
unsigned UnprivilegedUid();

} // namespace test
