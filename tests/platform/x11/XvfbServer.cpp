#include "tests/platform/x11/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace test {

namespace {

std::string FindBinary()
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        std::string candidate = (dir.empty() ? "." : dir) + "/Xvfb";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

} // namespace

XvfbServer& XvfbServer::Shared()
{
    static XvfbServer server(true);
    return server;
}

XvfbServer& XvfbServer::WithoutSharedMemory()
{
    static XvfbServer server(false);
    return server;
}

XvfbServer::XvfbServer(bool sharedMemory)
{
    std::string binary = FindBinary();
    installed_ = !binary.empty();
    if (installed_)
        Start(binary, sharedMemory);
}

void XvfbServer::Start(const std::string& binary, bool sharedMemory)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error_ = "no pipe for Xvfb";
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        // The server writes its display number to the descriptor given.
        int writeFd = dup(fds[1]);
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        std::string fd = std::to_string(writeFd);
        // "-extension NAME" turns an extension off; with shared memory the
        // null in its place ends the arguments there.
        const char* noShm = sharedMemory ? nullptr : "-extension";
        execl(binary.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1366x768x24", "-nolisten", "tcp",
            "-noreset", noShm, "MIT-SHM", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid_ < 0) {
        close(fds[0]);
        error_ = "cannot start Xvfb";
        return;
    }
    std::string number;
    pollfd p { fds[0], POLLIN, 0 };
    // The server answers within a fraction of a second; ten are plenty.
    while (poll(&p, 1, 10000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        error_ = "Xvfb did not tell its display number";
        return;
    }
    display_ = ":" + number;
}

XvfbServer::~XvfbServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

} // namespace test
