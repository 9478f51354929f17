#pragma once

// CString: the class library's string. Text is UTF-8, and lengths and
// positions count bytes, as they do for multibyte text in the original;
// a character outside ASCII takes two to four of them.

#include "platform/win/WinTypes.h"

#include <string>
#include <type_traits>
#include <utility>

class CString {
public:
    CString() = default;
    CString(const char* text)
        : text_(text ? text : "")
    {
    }
    CString(const char* text, int length)
        : text_(text ? std::string(text, static_cast<std::size_t>(length < 0 ? 0 : length)) : std::string())
    {
    }
    CString(char c, int repeat = 1)
        : text_(static_cast<std::size_t>(repeat < 0 ? 0 : repeat), c)
    {
    }
    explicit CString(std::string text)
        : text_(std::move(text))
    {
    }

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    char GetAt(int index) const { return text_.at(static_cast<std::size_t>(index)); }
    operator const char*() const { return text_.c_str(); }
    const char* GetString() const { return text_.c_str(); }
    const std::string& str() const { return text_; }

    CString& operator=(const char* text)
    {
        text_ = text ? text : "";
        return *this;
    }
    CString& operator+=(const char* text)
    {
        if (text)
            text_ += text;
        return *this;
    }
    CString& operator+=(const CString& other)
    {
        text_ += other.text_;
        return *this;
    }
    CString& operator+=(char c)
    {
        text_ += c;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.text_ + b.text_); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.text_ + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.text_); }
    friend CString operator+(const CString& a, char b) { return CString(a.text_ + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const char* b) { return a.text_ == (b ? b : ""); }
    int Compare(const char* other) const { return text_.compare(other ? other : ""); }
    int CompareNoCase(const char* other) const;

    // printf-style formatting. A CString argument may be given for %s
    // directly; it is passed on as its text.
    template <typename... Args>
    void Format(const char* format, const Args&... args)
    {
        FormatRaw(format, Pass(args)...);
    }
    template <typename... Args>
    void AppendFormat(const char* format, const Args&... args)
    {
        CString more;
        more.Format(format, args...);
        *this += more;
    }
    // Replaces the text with the string resource; answers whether there is one.
    BOOL LoadString(UINT id);

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    // The position of the first occurrence at or after start, or -1.
    int Find(char c, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    // The position of the last occurrence, or -1.
    int ReverseFind(char c) const;
    // ASCII letters change case; other characters stay as they are.
    CString& MakeLower();
    CString& MakeUpper();
    CString& Trim();
    int Replace(const char* from, const char* to);

    // A buffer of at least minLength bytes (plus the terminator) to write
    // into; ReleaseBuffer then takes the text up to the first zero, or
    // newLength bytes.
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    template <typename T>
    static decltype(auto) Pass(const T& arg)
    {
        if constexpr (std::is_same_v<T, CString>)
            return arg.GetString();
        else
            return arg;
    }
    void FormatRaw(const char* format, ...);

    std::string text_;
};
