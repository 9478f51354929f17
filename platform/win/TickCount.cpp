#include "platform/win/TickCount.h"

#include <chrono>

namespace {

std::function<DWORD()>& Source()
{
    static std::function<DWORD()> source;
    return source;
}

DWORD SystemTicks()
{
    using namespace std::chrono;
    // Wraps around after about 49.7 days, as the original does.
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

DWORD GetTickCount()
{
    const auto& source = Source();
    return source ? source() : SystemTicks();
}

namespace platform {

void SetTickSource(std::function<DWORD()> source) { Source() = std::move(source); }

} // namespace platform
