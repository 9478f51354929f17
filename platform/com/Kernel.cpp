// Process id and UTF-16 to UTF-8 conversion; files are in ReplacingFile.cpp.

#include "platform/com/Kernel.h"

#include <string>
#include <unistd.h>

namespace {

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

int WideCharToMultiByte(UINT, DWORD, LPCWSTR wide, int wideLength, LPSTR out, int outSize, LPCSTR, BOOL* usedDefault)
{
    if (!wide || outSize < 0 || (outSize > 0 && !out))
        return 0;
    if (usedDefault)
        *usedDefault = FALSE;
    std::size_t n = 0;
    if (wideLength < 0) {
        while (wide[n])
            ++n;
        ++n; // the terminator is converted too
    } else {
        n = static_cast<std::size_t>(wideLength);
    }
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        AppendUtf8(text, c);
    }
    if (outSize == 0)
        return static_cast<int>(text.size());
    if (text.size() > static_cast<std::size_t>(outSize))
        return 0;
    text.copy(out, text.size());
    return static_cast<int>(text.size());
}
