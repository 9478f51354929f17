#include "tests/platform/desktop/PrivateBus.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

extern char** environ;

namespace desktoptest {

namespace {

constexpr char kDaemon[] = "/usr/bin/dbus-daemon";

std::string Configuration(const std::string& socket)
{
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig>\n"
           "  <type>session</type>\n"
           "  <listen>unix:path="
        + socket
        + "</listen>\n"
          "  <auth>EXTERNAL</auth>\n"
          "  <policy context=\"default\">\n"
          "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
          "    <allow eavesdrop=\"true\"/>\n"
          "    <allow own=\"*\"/>\n"
          "  </policy>\n"
          "</busconfig>\n";
}

} // namespace

PrivateBus::PrivateBus()
{
    const std::string config = folder_.File("bus.conf");
    std::ofstream(config) << Configuration(folder_.File("bus"));

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        error_ = std::strerror(errno);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    // Its complaint that root may not raise its descriptor limit is noise.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args { kDaemon, "--config-file=" + config, "--nofork", "--print-address=1" };
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int failed = posix_spawn(&daemon_, kDaemon, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed) {
        daemon_ = -1;
        error_ = std::string(kDaemon) + ": " + std::strerror(failed);
        close(out[0]);
        return;
    }
    // The daemon prints its address once it listens.
    std::string line;
    char c = 0;
    for (;;) {
        pollfd p { out[0], POLLIN, 0 };
        if (poll(&p, 1, 10000) <= 0 || read(out[0], &c, 1) != 1 || c == '\n')
            break;
        line += c;
    }
    close(out[0]);
    if (line.empty())
        error_ = "dbus-daemon printed no address";
    address_ = line;
}

PrivateBus::~PrivateBus()
{
    if (daemon_ > 0) {
        kill(daemon_, SIGTERM);
        waitpid(daemon_, nullptr, 0);
    }
}

} // namespace desktoptest
