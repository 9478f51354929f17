#include "tests/support/FileTestSupport.h"

#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

namespace test {

namespace {

constexpr unsigned kNobody = 65534;

} // namespace

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "inkveil-files-XXXXXX").string();
    path = ::mkdtemp(pattern.data()) ? pattern : "";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    // A folder the test made read-only is opened up again to be emptied.
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path, ignored);
}

std::vector<std::string> TempFolder::Names() const
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

DiskFull::DiskFull(rlim_t limit)
{
    ::getrlimit(RLIMIT_FSIZE, &old);
    handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = old;
    lower.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lower);
}

DiskFull::~DiskFull()
{
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
}

unsigned UnprivilegedUid() { return ::geteuid() == 0 ? kNobody : ::geteuid(); }

int RunUnprivileged(const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(255);
        ::_exit(check() & 0x7F);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace test
