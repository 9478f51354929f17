#pragma once

// file:// URIs, as the desktop portal answers chosen files, turned into
// local paths: "file:///home/a/Bild%201.bmp" is "/home/a/Bild 1.bmp".

#include <optional>
#include <string>
#include <string_view>

namespace platform::desktop {

class FileUri {
public:
    // The local path of a file URI with an empty or "localhost" host, its
    // percent escapes decoded to bytes. Nothing for another scheme or host,
    // a malformed escape, an escaped NUL or a query or fragment.
    static std::optional<std::string> ToPath(std::string_view uri);
};

} // namespace platform::desktop
