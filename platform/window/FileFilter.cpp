#include "platform/window/FileFilter.h"

#include <cstring>

namespace ws::dlg {

namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::vector<std::string> SplitPatterns(std::string_view list)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == std::string_view::npos)
            end = list.size();
        std::string_view one = list.substr(start, end - start);
        while (!one.empty() && one.front() == ' ')
            one.remove_prefix(1);
        while (!one.empty() && one.back() == ' ')
            one.remove_suffix(1);
        if (!one.empty())
            out.emplace_back(one);
        start = end + 1;
    }
    return out;
}

} // namespace

std::vector<FileType> FileFilter::Parse(const char* filter)
{
    std::vector<FileType> types;
    if (!filter)
        return types;
    const char* p = filter;
    while (*p) {
        const char* description = p;
        p += std::strlen(p) + 1;
        if (!*p)
            break;
        types.push_back(FileType { description, SplitPatterns(p) });
        p += std::strlen(p) + 1;
    }
    return types;
}

bool FileFilter::Matches(std::string_view name, std::string_view pattern)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    // Greedy matching with one point to go back to: the last '*' seen.
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            if (pattern[p] == '?') {
                // '?' stands for one whole character, however many bytes.
                ++n;
                while (n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
                    ++n;
            } else {
                ++n;
            }
            ++p;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool FileFilter::MatchesAny(std::string_view name, const std::vector<std::string>& patterns)
{
    if (patterns.empty())
        return true;
    for (const std::string& pattern : patterns)
        if (Matches(name, pattern))
            return true;
    return false;
}

} // namespace ws::dlg
