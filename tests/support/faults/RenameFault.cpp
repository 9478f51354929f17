#include "tests/support/faults/RenameFault.h"

#include <atomic>
#include <cerrno>

namespace {

std::atomic<int> g_failWith { 0 };
std::atomic<bool> g_hit { false };

} // namespace

extern "C" int __real_rename(const char* from, const char* to);

// The linker sends the code's calls of rename here.
extern "C" int __wrap_rename(const char* from, const char* to)
{
    if (const int error = g_failWith.exchange(0)) {
        g_hit = true;
        errno = error;
        return -1;
    }
    return __real_rename(from, to);
}

namespace test {

RenameFault::RenameFault(int error)
{
    g_hit = false;
    g_failWith = error;
}

RenameFault::~RenameFault() { g_failWith = 0; }

bool RenameFault::Hit() const { return g_hit; }

} // namespace test
