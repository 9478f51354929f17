#pragma once

// Files for tests: a temporary folder removed with everything in it, and a
// disk that fills up (a file size limit) while a DiskFull lives.

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace test {

struct TempFolder {
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "inkveil-picture-XXXXXX").string();
        path = ::mkdtemp(pattern.data()) ? pattern : "";
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string File(const std::string& name) const { return (path / name).string(); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path))
            names.push_back(e.path().filename().string());
        return names;
    }
    std::filesystem::path path;
};

// Files may grow to no more than limit bytes while it lives, as on a full
// disk; writing past it fails instead of ending the program.
struct DiskFull {
    explicit DiskFull(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &old);
        handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = old;
        lower.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~DiskFull()
    {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;
    rlimit old {};
    void (*handler)(int) = nullptr;
};

} // namespace test
