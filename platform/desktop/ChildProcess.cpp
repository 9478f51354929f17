#include "platform/desktop/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace platform::desktop {

namespace {

// Closes a descriptor when the scope ends.
class Fd {
public:
    explicit Fd(int fd = -1)
        : fd_(fd)
    {
    }
    ~Fd() { Reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    void Reset()
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

int Reap(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

ChildProcess::Outcome ChildProcess::Run(const std::string& program, const std::vector<std::string>& arguments,
    const CancelSignal& cancel)
{
    Outcome outcome;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) < 0) {
        outcome.why = std::string("no pipe: ") + std::strerror(errno);
        return outcome;
    }
    Fd readEnd(ends[0]);
    Fd writeEnd(ends[1]);

    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.Get(), writeEnd.Get(), STDOUT_FILENO);
    // Everything above the standard streams stays with the program.
    posix_spawn_file_actions_addclosefrom_np(actions.Get(), STDERR_FILENO + 1);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.c_str(), actions.Get(), nullptr, argv.data(), environ);
    if (error != 0) {
        outcome.why = program + ": " + std::strerror(error);
        return outcome;
    }
    outcome.started = true;
    writeEnd.Reset();

    char buffer[4096];
    for (;;) {
        pollfd fds[2] = { { readEnd.Get(), POLLIN, 0 }, { cancel.Fd(), POLLIN, 0 } };
        const int n = poll(fds, cancel.Fd() >= 0 ? 2 : 1, -1);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (cancel.Fd() >= 0 && (fds[1].revents & POLLIN)) {
            kill(pid, SIGTERM);
            outcome.cancelled = true;
            break;
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t got = read(readEnd.Get(), buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break; // end of output: the child is done or closed it
            outcome.output.append(buffer, static_cast<std::size_t>(got));
        }
    }
    readEnd.Reset();
    outcome.exitCode = Reap(pid);
    return outcome;
}

} // namespace platform::desktop
