// The streaming thread's log lines.

#include "platform/v4l2/StreamDiagnostics.h"

#include "platform/log/Log.h"

#include <cerrno>
#include <cstring>

namespace v4l2 {

namespace {

enum Kind : std::size_t { kReceived, kHandedOn, kDropped };

unsigned long long Ull(std::uint64_t n) { return static_cast<unsigned long long>(n); }

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

} // namespace

StreamDiagnostics::StreamDiagnostics(const std::string& path, const CurrentFormat& format)
    : label_("camera " + path)
    , rates_("frame rate: camera " + path, { "received", "handed on", "dropped" })
    , lastFrame_(Clock::now())
{
    INKVEIL_LOG(Debug, "%s: streaming %s %ux%u, %u bytes a line, %u a frame", label_.c_str(),
        FourCcText(format.fourcc).c_str(), format.width, format.height, format.bytesPerLine, format.sizeImage);
}

StreamDiagnostics::~StreamDiagnostics()
{
    // What the rate limits held back since their last line.
    const struct {
        logging::RateLimit& limit;
        const char* what;
    } limits[] = {
        { damagedLimit_, "damaged buffers dropped" },
        { shortLimit_, "short buffers dropped" },
        { ioLimit_, "dequeues failed with EIO" },
    };
    for (const auto& l : limits) {
        if (const std::uint64_t held = l.limit.TakeHeld())
            INKVEIL_LOG(Warn, "%s: %llu more %s before the stream ended", label_.c_str(), Ull(held), l.what);
    }
    INKVEIL_LOG(Info, "%s: stream ended: %llu buffers received, %llu handed on, %llu damaged, %llu short, %llu EIO",
        label_.c_str(), Ull(received_), Ull(handedOn_), Ull(damaged_), Ull(short_), Ull(ioErrors_));
}

void StreamDiagnostics::Arrived()
{
    ++received_;
    rates_.Count(kReceived);
    lastFrame_ = Clock::now();
    if (stalled_) {
        INKVEIL_LOG(Warn, "%s: frames again after %.1f s without", label_.c_str(), Seconds(lastFrame_ - stallFrom_));
        stalled_ = false;
    }
}

void StreamDiagnostics::Received() { Arrived(); }

void StreamDiagnostics::HandedOn()
{
    ++handedOn_;
    rates_.Count(kHandedOn);
    rates_.Tick();
}

void StreamDiagnostics::Damaged()
{
    Arrived();
    ++damaged_;
    rates_.Count(kDropped);
    INKVEIL_LOG_LIMITED(damagedLimit_, Warn, "%s: buffer flagged damaged by the driver, dropped (%llu so far)",
        label_.c_str(), Ull(damaged_));
    rates_.Tick();
}

void StreamDiagnostics::Short(std::size_t bytes, std::size_t needed)
{
    Arrived();
    ++short_;
    rates_.Count(kDropped);
    INKVEIL_LOG_LIMITED(shortLimit_, Warn, "%s: buffer of %zu bytes, %zu needed, dropped (%llu so far)", label_.c_str(),
        bytes, needed, Ull(short_));
    rates_.Tick();
}

void StreamDiagnostics::Timeout()
{
    // One line as the stall starts, and its length when it ends.
    const Clock::time_point now = Clock::now();
    if (!stalled_)
        INKVEIL_LOG(Warn, "%s: no frame for %.1f s; the last picture stays, waiting on", label_.c_str(),
            Seconds(now - lastFrame_));
    else
        INKVEIL_LOG(Debug, "%s: still no frame after %.1f s", label_.c_str(), Seconds(now - lastFrame_));
    if (!stalled_)
        stallFrom_ = lastFrame_;
    stalled_ = true;
}

void StreamDiagnostics::IoError(int attempt, int limit)
{
    ++ioErrors_;
    ioInARow_ = attempt;
    INKVEIL_LOG_LIMITED(ioLimit_, Warn, "%s: dequeue failed with EIO, retry %d of %d", label_.c_str(), attempt, limit);
}

void StreamDiagnostics::Lost(int result)
{
    if (result == -ENODEV)
        INKVEIL_LOG(Error, "%s: the camera went away (unplugged?); the last picture stays", label_.c_str());
    else if (result == -EIO)
        INKVEIL_LOG(Error, "%s: EIO again after %d retries in a row; the camera is treated as lost", label_.c_str(),
            ioInARow_);
    else
        INKVEIL_LOG(Error, "%s: stream lost: %s", label_.c_str(), std::strerror(-result));
}

} // namespace v4l2
