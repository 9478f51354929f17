#pragma once

// Text arrives as UTF-16 (WCHAR); fontconfig and cairo take UTF-8.

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gdiplus {

// One code point of a UTF-16 string and the code units it came from.
struct CodePoint {
    std::uint32_t value; // U+FFFD for a lone surrogate
    int unit; // index of its first code unit
    int units; // 1, or 2 for a surrogate pair
};

std::vector<CodePoint> DecodeUtf16(const WCHAR* text, int length);
void AppendUtf8(std::string& out, std::uint32_t codePoint);
std::string Utf16ToUtf8(const std::u16string& text);

} // namespace gdiplus
