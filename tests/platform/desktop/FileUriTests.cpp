// File URIs as the portal answers them, turned into local paths.

#include "platform/desktop/FileUri.h"

#include <gtest/gtest.h>

namespace {

using platform::desktop::FileUri;

TEST(FileUri, LocalFileUrisBecomePathsWithTheirEscapesDecoded)
{
    const struct {
        const char* uri;
        const char* path;
    } cases[] = {
        { "file:///home/lehrer/tafel.bmp", "/home/lehrer/tafel.bmp" },
        { "file:///home/lehrer/Bild%201.bmp", "/home/lehrer/Bild 1.bmp" },
        { "file:///tmp/%E6%9D%BF%E4%B9%A6.bmp", "/tmp/板书.bmp" }, // UTF-8 bytes, escaped
        { "file:///tmp/板书.bmp", "/tmp/板书.bmp" }, // and unescaped
        { "file:///tmp/a%23b%3Fc%25.bmp", "/tmp/a#b?c%.bmp" },
        { "file:///tmp/%2e%2E", "/tmp/.." }, // lower- and upper-case hex
        { "FILE:///x", "/x" },
        { "file://localhost/srv/x.bmp", "/srv/x.bmp" },
        { "file:///", "/" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileUri::ToPath(c.uri), std::optional<std::string>(c.path)) << c.uri;
}

TEST(FileUri, WhatIsNoLocalPathIsRefused)
{
    const char* refused[] = {
        "", "/tmp/x.bmp", "http://example.org/x.bmp", "file:", "file://", "file:x.bmp",
        "file://server/share/x.bmp", // another machine
        "file:///tmp/a%2", "file:///tmp/a%", "file:///tmp/a%zz", "file:///tmp/a%g1", // broken escapes
        "file:///tmp/a%00b", // a NUL would cut the path short
        "file:///tmp/a?b", "file:///tmp/a#b", // a query or a fragment
    };
    for (const char* uri : refused)
        EXPECT_EQ(FileUri::ToPath(uri), std::nullopt) << uri;
}

} // namespace
