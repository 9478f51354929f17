#pragma once

// One generated resource: what the resource list says of it and how to
// draw its file.

#include "platform/gdi/Surface.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace resgen {

using Bytes = std::vector<std::uint8_t>;

struct Resource {
    std::string kind; // as the resource list names it: bitmap, cursor, icon
    std::string name; // an id ("157") or a name ("PENU")
    std::string file; // relative to res/
    std::string about; // the comment above it in the list
    std::function<Bytes()> draw;
};

// A bitmap resource file: the picture at 24 bits per pixel.
Bytes Bitmap24(const gdi::Surface& picture);

// A bitmap resource with its list entry; file is its name in res/bitmap.
Resource BitmapResource(std::string name, std::string file, std::string about,
    std::function<std::unique_ptr<gdi::Surface>()> draw);

// A bitmap resource whose picture is drawn once and kept, because the
// pictures of its buttons are cut from it too.
Resource SkinResource(std::string name, std::string file, std::string about, const gdi::Surface& (*skin)());

} // namespace resgen
