#pragma once

// Text arrives as UTF-16 (GDI+) or UTF-8 (GDI); fontconfig and cairo take
// UTF-8. Both decoders answer the code points with where each came from, so
// that a layout can report positions in the caller's code units.

#include <cstdint>
#include <string>
#include <vector>

namespace text {

// One code point of a string and the code units it came from.
struct CodePoint {
    std::uint32_t value; // U+FFFD for a malformed sequence
    int unit; // index of its first code unit
    int units; // how many code units it took
};

std::vector<CodePoint> DecodeUtf16(const char16_t* text, int length);
// Malformed bytes (stray continuation bytes, truncated or overlong
// sequences, surrogates) decode to one U+FFFD each.
std::vector<CodePoint> DecodeUtf8(const char* text, int length);
void AppendUtf8(std::string& out, std::uint32_t codePoint);
std::string Utf16ToUtf8(const std::u16string& text);

} // namespace text
