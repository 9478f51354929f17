// The real device nodes: /dev/video* opened non-blocking, with an eventfd
// beside the device in every poll so that stopping never waits for a frame.

#include "platform/v4l2/DeviceIo.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace v4l2 {

namespace {

class LinuxDeviceIo final : public DeviceIo {
public:
    LinuxDeviceIo(int fd, int wake)
        : fd_(fd)
        , wake_(wake)
    {
    }
    ~LinuxDeviceIo() override
    {
        close(wake_);
        close(fd_);
    }

    int Ioctl(unsigned long request, void* arg) override
    {
        int r;
        do {
            r = ioctl(fd_, request, arg);
        } while (r < 0 && errno == EINTR);
        return r < 0 ? -errno : 0;
    }
    void* Map(std::size_t length, std::uint32_t offset) override
    {
        void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, offset);
        return p == MAP_FAILED ? nullptr : p;
    }
    void Unmap(void* address, std::size_t length) override { munmap(address, length); }
    short Poll(int timeoutMs) override
    {
        pollfd fds[2] = { { fd_, POLLIN, 0 }, { wake_, POLLIN, 0 } };
        int r = poll(fds, 2, timeoutMs);
        if (r <= 0)
            return 0;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count;
            [[maybe_unused]] ssize_t n = read(wake_, &count, sizeof count);
        }
        return fds[0].revents;
    }
    void Wake() override
    {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(wake_, &one, sizeof one);
    }

private:
    int fd_;
    int wake_;
};

class LinuxDeviceSystem final : public DeviceSystem {
public:
    std::vector<std::string> Nodes() override
    {
        std::vector<std::pair<int, std::string>> found;
        if (DIR* dir = opendir("/dev")) {
            while (dirent* e = readdir(dir)) {
                std::string name = e->d_name;
                if (name.rfind("video", 0) == 0 && name.size() > 5
                    && name.find_first_not_of("0123456789", 5) == std::string::npos)
                    found.emplace_back(std::atoi(name.c_str() + 5), "/dev/" + name);
            }
            closedir(dir);
        }
        // Numeric order: video2 before video10.
        std::sort(found.begin(), found.end());
        std::vector<std::string> nodes;
        for (auto& f : found)
            nodes.push_back(f.second);
        return nodes;
    }
    std::unique_ptr<DeviceIo> Open(const std::string& path, int& error) override
    {
        error = 0;
        int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            error = -errno;
            return nullptr;
        }
        int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (wake < 0) {
            error = -errno;
            close(fd);
            return nullptr;
        }
        return std::make_unique<LinuxDeviceIo>(fd, wake);
    }
    std::string Name(const std::string& path) override
    {
        // /sys/class/video4linux/videoN/name holds the card name; the node
        // may be reached through a link (/dev/v4l/by-id/...).
        char resolved[PATH_MAX];
        if (!realpath(path.c_str(), resolved))
            return {};
        const char* base = std::strrchr(resolved, '/');
        std::ifstream file(std::string("/sys/class/video4linux/") + (base ? base + 1 : resolved) + "/name");
        std::string name;
        std::getline(file, name);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\n'))
            name.pop_back();
        return name;
    }
};

std::atomic<DeviceSystem*> g_override { nullptr };

} // namespace

DeviceSystem& CurrentDeviceSystem()
{
    static LinuxDeviceSystem linuxSystem;
    DeviceSystem* chosen = g_override.load();
    return chosen ? *chosen : linuxSystem;
}

ScopedDeviceSystem::ScopedDeviceSystem(DeviceSystem& system)
    : previous_(g_override.exchange(&system))
{
}

ScopedDeviceSystem::~ScopedDeviceSystem() { g_override.store(previous_); }

} // namespace v4l2
