#pragma once

// The caller's text as the text calls take it: UTF-8 with a byte count, -1
// meaning up to the terminating zero.

#include "platform/text/Utf.h"

#include <cstring>
#include <optional>
#include <vector>

namespace gdi {

struct TextRun {
    std::vector<text::CodePoint> chars;
    int bytes = 0;
};

// Null text is a run only when empty; other negative counts are errors.
inline std::optional<TextRun> DecodeRun(const char* s, long long count)
{
    if (count < -1 || (!s && count != 0))
        return std::nullopt;
    TextRun run;
    run.bytes = count == -1 ? static_cast<int>(std::strlen(s)) : static_cast<int>(count);
    if (run.bytes > 0)
        run.chars = text::DecodeUtf8(s, run.bytes);
    return run;
}

} // namespace gdi
