#include "platform/afx/String.h"

#include "platform/window/WinUser.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::size_t Clamp(int value, std::size_t size)
{
    if (value < 0)
        return 0;
    return std::min(static_cast<std::size_t>(value), size);
}

} // namespace

int CString::CompareNoCase(const char* other) const
{
    const char* a = text_.c_str();
    const char* b = other ? other : "";
    for (;; ++a, ++b) {
        char x = AsciiLower(*a), y = AsciiLower(*b);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
        if (!x)
            return 0;
    }
}

void CString::FormatRaw(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int needed = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (needed < 0) {
        va_end(again);
        text_.clear();
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, again);
    va_end(again);
    text_.assign(buffer.data(), static_cast<std::size_t>(needed));
}

BOOL CString::LoadString(UINT id)
{
    // The length is not known beforehand: grow the buffer until the text
    // fits with room to spare.
    for (int size = 256;; size *= 2) {
        std::vector<char> buffer(static_cast<std::size_t>(size));
        int n = ::LoadString(GetModuleHandle(nullptr), id, buffer.data(), size);
        if (n < size - 4 || size >= (1 << 24)) {
            text_.assign(buffer.data(), static_cast<std::size_t>(n));
            return n > 0 ? TRUE : FALSE;
        }
    }
}

CString CString::Left(int count) const { return CString(text_.substr(0, Clamp(count, text_.size()))); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    std::size_t start = Clamp(first, text_.size());
    return CString(text_.substr(start, Clamp(count, text_.size() - start)));
}

CString CString::Right(int count) const
{
    std::size_t n = Clamp(count, text_.size());
    return CString(text_.substr(text_.size() - n));
}

int CString::Find(char c, int start) const
{
    if (start < 0 || static_cast<std::size_t>(start) > text_.size())
        return -1;
    std::size_t at = text_.find(c, static_cast<std::size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || static_cast<std::size_t>(start) > text_.size())
        return -1;
    std::size_t at = text_.find(sub, static_cast<std::size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char c) const
{
    std::size_t at = text_.rfind(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString& CString::MakeLower()
{
    std::transform(text_.begin(), text_.end(), text_.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeUpper()
{
    std::transform(text_.begin(), text_.end(), text_.begin(), AsciiUpper);
    return *this;
}

CString& CString::Trim()
{
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t b = 0, e = text_.size();
    while (b < e && space(text_[b]))
        ++b;
    while (e > b && space(text_[e - 1]))
        --e;
    text_ = text_.substr(b, e - b);
    return *this;
}

int CString::Replace(const char* from, const char* to)
{
    if (!from || !*from)
        return 0;
    std::string replacement = to ? to : "";
    std::size_t fromLength = std::strlen(from);
    int count = 0;
    for (std::size_t at = text_.find(from); at != std::string::npos; at = text_.find(from, at + replacement.size())) {
        text_.replace(at, fromLength, replacement);
        ++count;
    }
    return count;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        text_.resize(static_cast<std::size_t>(minLength));
    return text_.data();
}

void CString::ReleaseBuffer(int newLength)
{
    std::size_t n = newLength < 0 ? std::strlen(text_.c_str()) : Clamp(newLength, text_.size());
    text_.resize(n);
}
