#pragma once

// The resource files compiled into the program. The build reads the
// resource list (res/resources.list) and writes a source file holding every
// listed file's bytes and this table of them; see cmake/EmbedResources.cmake.

#include <cstddef>

namespace res {

struct EmbeddedFile {
    const char* kind; // "bitmap", "cursor" or "icon"
    const char* name; // a number for an id, otherwise a name
    const char* path; // the file, relative to res/
    const unsigned char* data;
    std::size_t size;
};

extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

} // namespace res
