#include "platform/gdiplus/GpObjects.h"
#include "platform/text/FontAliases.h"

#include <atomic>

namespace {

// Start-ups may nest; the library is usable until the last shutdown.
std::atomic<int> g_startCount { 0 };

} // namespace

namespace gdiplus {

bool Started() { return g_startCount.load() > 0; }

} // namespace gdiplus

GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output)
{
    if (!token || !input)
        return InvalidParameter;
    if (input->GdiplusVersion != 1)
        return UnsupportedGdiplusVersion;
    if (g_startCount.fetch_add(1) == 0)
        text::LoadFontAliases(); // early, though fonts would load them on first use
    *token = static_cast<ULONG_PTR>(g_startCount.load());
    if (output)
        *output = GdiplusStartupOutput {};
    return Ok;
}

void GdiplusShutdown(ULONG_PTR token)
{
    if (token == 0)
        return;
    int count = g_startCount.load();
    while (count > 0 && !g_startCount.compare_exchange_weak(count, count - 1)) { }
}
