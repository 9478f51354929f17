#include "platform/desktop/FileUri.h"

namespace platform::desktop {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool SchemeIsFile(std::string_view uri)
{
    constexpr std::string_view kScheme = "file://";
    if (uri.size() < kScheme.size())
        return false;
    for (std::size_t i = 0; i < kScheme.size(); ++i) {
        char c = uri[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != kScheme[i])
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> FileUri::ToPath(std::string_view uri)
{
    if (!SchemeIsFile(uri))
        return std::nullopt;
    std::string_view rest = uri.substr(7);
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && host != "localhost")
        return std::nullopt; // another machine's file is no path here
    rest = rest.substr(slash);
    // A chooser escapes '?' and '#' in names; bare ones would be a query or
    // a fragment, which no local file has.
    if (rest.find_first_of("?#") != std::string_view::npos)
        return std::nullopt;

    std::string path;
    path.reserve(rest.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != '%') {
            path += rest[i];
            continue;
        }
        if (i + 2 >= rest.size())
            return std::nullopt;
        const int high = HexValue(rest[i + 1]);
        const int low = HexValue(rest[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        const char byte = static_cast<char>(high * 16 + low);
        if (byte == '\0')
            return std::nullopt;
        path += byte;
        i += 2;
    }
    return path;
}

} // namespace platform::desktop
