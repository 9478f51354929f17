#pragma once

// The diagnostic log: failures the user never sees (a control that would
// not set, a dropped frame, a rejected format, a stalled or lost camera)
// written to the standard error stream, one line each with the local time,
// the program's name and the level:
//
//     2026-12-07T14:03:09.412+08:00 inkveil warn: camera /dev/video0: ...
//
// The level comes from the environment variable INKVEIL_LOG, read on first
// use: "error", "warn", "info" or "debug" (any case) writes that level and
// the ones above it; unset, empty or anything else writes nothing, so a
// normal run prints nothing. Asking whether a level is on is one relaxed
// atomic load, and INKVEIL_LOG(level, ...) evaluates its arguments only
// when it is. Lines are written whole from any thread.

#include <atomic>
#include <cstdint>
#include <cstdio>

namespace logging {

enum class Level : int { Off = 0, Error, Warn, Info, Debug };

// The level a value of INKVEIL_LOG names; Off for null, empty or unknown.
Level ParseLevel(const char* text);
const char* LevelName(Level level);

namespace detail {
// -1 until the environment has been read.
inline std::atomic<int> g_level { -1 };
int LevelFromEnvironment();
} // namespace detail

inline bool Enabled(Level level)
{
    int now = detail::g_level.load(std::memory_order_relaxed);
    if (now < 0)
        now = detail::LevelFromEnvironment();
    return level != Level::Off && static_cast<int>(level) <= now;
}

Level CurrentLevel();
// Sets the level in force, overriding the environment (for tests).
void SetLevel(Level level);
// Reads INKVEIL_LOG again (for tests that change it).
void ReadEnvironment();
// Where lines go; null restores the standard error stream (for tests).
void SetStream(std::FILE* stream);

// Writes one line at the level, whatever the level in force: the time,
// the program, the level, then the formatted text with any line breaks in
// it made spaces, and a line break. Use INKVEIL_LOG, which checks first.
void Write(Level level, const char* format, ...) __attribute__((format(printf, 2, 3)));
// The same, with "(n more like it held back)" added when held isn't 0: for
// lines passed by a RateLimit.
void WriteHeld(Level level, std::uint64_t held, const char* format, ...) __attribute__((format(printf, 3, 4)));

} // namespace logging

// INKVEIL_LOG(Warn, "camera %s: format refused (%s)", path, strerror(e));
#define INKVEIL_LOG(level, ...)                                                                                        \
    do {                                                                                                               \
        if (::logging::Enabled(::logging::Level::level))                                                               \
            ::logging::Write(::logging::Level::level, __VA_ARGS__);                                                    \
    } while (false)

// The same for an event that may repeat many times a second: written when
// the RateLimit lets it pass, with the count of those it held back since.
#define INKVEIL_LOG_LIMITED(limit, level, ...)                                                                         \
    do {                                                                                                               \
        std::uint64_t inkveilHeld = 0;                                                                                 \
        if (::logging::Enabled(::logging::Level::level) && (limit).Pass(inkveilHeld))                                  \
            ::logging::WriteHeld(::logging::Level::level, inkveilHeld, __VA_ARGS__);                                   \
    } while (false)
