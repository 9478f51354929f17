#include "platform/text/Utf.h"

namespace text {

std::vector<CodePoint> DecodeUtf16(const char16_t* text, int length)
{
    std::vector<CodePoint> out;
    out.reserve(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) {
        const std::uint32_t u = text[i];
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        const bool lowNext = i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (high && lowNext) {
            out.push_back({ 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00u), i, 2 });
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            out.push_back({ 0xFFFD, i, 1 });
        } else {
            out.push_back({ u, i, 1 });
        }
    }
    return out;
}

std::vector<CodePoint> DecodeUtf8(const char* text, int length)
{
    std::vector<CodePoint> out;
    out.reserve(static_cast<std::size_t>(length));
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    int i = 0;
    while (i < length) {
        const std::uint32_t lead = s[i];
        int extra = lead < 0x80     ? 0
            : (lead & 0xE0) == 0xC0 ? 1
            : (lead & 0xF0) == 0xE0 ? 2
            : (lead & 0xF8) == 0xF0 ? 3
                                    : -1;
        std::uint32_t value = extra == 0 ? lead
            : extra == 1                 ? (lead & 0x1F)
            : extra == 2                 ? (lead & 0x0F)
                                         : (lead & 0x07);
        bool ok = extra >= 0 && i + extra < length;
        for (int k = 1; ok && k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                value = (value << 6) | (s[i + k] & 0x3F);
        }
        // The shortest form only, and no surrogates or values past U+10FFFF.
        static constexpr std::uint32_t kMin[] = { 0, 0x80, 0x800, 0x10000 };
        if (ok && (value < kMin[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)))
            ok = false;
        if (ok) {
            out.push_back({ value, i, extra + 1 });
            i += extra + 1;
        } else {
            out.push_back({ 0xFFFD, i, 1 });
            ++i;
        }
    }
    return out;
}

void AppendUtf8(std::string& out, std::uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Utf16ToUtf8(const std::u16string& text)
{
    std::string out;
    for (const CodePoint& c : DecodeUtf16(text.data(), static_cast<int>(text.size())))
        AppendUtf8(out, c.value);
    return out;
}

} // namespace text
