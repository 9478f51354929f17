// Formatting and writing the log's lines.

#include "platform/log/Log.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <strings.h>
#include <sys/time.h>

namespace logging {

namespace {

constexpr const char* kVariable = "INKVEIL_LOG";

std::mutex g_writeLock;
std::FILE* g_stream = nullptr; // null: stderr; guarded by g_writeLock

// "2026-12-07T14:03:09.412+08:00 ": local time with its offset from UTC,
// so that lines from machines in any zone read unambiguously.
std::size_t FormatTime(char* out, std::size_t size)
{
    timeval now {};
    gettimeofday(&now, nullptr);
    std::tm local {};
    localtime_r(&now.tv_sec, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    const long offset = local.tm_gmtoff / 60; // minutes, within a day
    const unsigned magnitude = static_cast<unsigned>(offset < 0 ? -offset : offset) % (24 * 60);
    const unsigned millis = static_cast<unsigned>(now.tv_usec / 1000) % 1000;
    int n = std::snprintf(out, size, "%.19s.%03u%c%02u:%02u", date, millis, offset < 0 ? '-' : '+', magnitude / 60,
        magnitude % 60);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void WriteLine(Level level, std::uint64_t held, const char* format, va_list args)
{
    const int saved = errno; // a caller may log strerror(errno) and go on using errno
    char stamp[64];
    FormatTime(stamp, sizeof stamp);
    std::string line = stamp;
    line += ' ';
    line += program_invocation_short_name;
    line += ' ';
    line += LevelName(level);
    line += ": ";

    char text[512];
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(text, sizeof text, format, args);
    if (n >= static_cast<int>(sizeof text)) {
        const std::size_t start = line.size();
        line.resize(start + static_cast<std::size_t>(n) + 1);
        std::vsnprintf(line.data() + start, static_cast<std::size_t>(n) + 1, format, again);
        line.resize(start + static_cast<std::size_t>(n));
    } else if (n > 0) {
        line.append(text, static_cast<std::size_t>(n));
    }
    va_end(again);
    // One call, one line: a reader splitting on line breaks never sees half
    // a message.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    if (held > 0)
        line += " (" + std::to_string(held) + " more like it held back)";
    for (char& c : line) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    line += '\n';

    std::lock_guard guard(g_writeLock);
    std::FILE* stream = g_stream ? g_stream : stderr;
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fflush(stream);
    errno = saved;
}

} // namespace

Level ParseLevel(const char* text)
{
    if (!text)
        return Level::Off;
    constexpr struct {
        const char* name;
        Level level;
    } kNames[] = {
        { "error", Level::Error },
        { "warn", Level::Warn },
        { "warning", Level::Warn },
        { "info", Level::Info },
        { "debug", Level::Debug },
    };
    for (const auto& n : kNames) {
        if (strcasecmp(text, n.name) == 0)
            return n.level;
    }
    return Level::Off;
}

const char* LevelName(Level level)
{
    switch (level) {
    case Level::Error:
        return "error";
    case Level::Warn:
        return "warn";
    case Level::Info:
        return "info";
    case Level::Debug:
        return "debug";
    default:
        return "off";
    }
}

namespace detail {

int LevelFromEnvironment()
{
    const int parsed = static_cast<int>(ParseLevel(std::getenv(kVariable)));
    // A level set meanwhile (SetLevel on another thread) stands.
    int expected = -1;
    if (g_level.compare_exchange_strong(expected, parsed, std::memory_order_relaxed))
        return parsed;
    return expected;
}

} // namespace detail

Level CurrentLevel()
{
    int now = detail::g_level.load(std::memory_order_relaxed);
    return static_cast<Level>(now < 0 ? detail::LevelFromEnvironment() : now);
}

void SetLevel(Level level) { detail::g_level.store(static_cast<int>(level), std::memory_order_relaxed); }

void ReadEnvironment()
{
    detail::g_level.store(-1, std::memory_order_relaxed);
    detail::LevelFromEnvironment();
}

void SetStream(std::FILE* stream)
{
    std::lock_guard guard(g_writeLock);
    g_stream = stream;
}

void Write(Level level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    WriteLine(level, 0, format, args);
    va_end(args);
}

void WriteHeld(Level level, std::uint64_t held, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    WriteLine(level, held, format, args);
    va_end(args);
}

} // namespace logging
