#pragma once

// What the resource tests share: finding a registered picture by the id or
// name the program asks for, and reading its pixels.

#include "platform/window/Resources.h"

#include <cstdint>
#include <string>

namespace restest {

// "157" is the number 157, anything else a name.
res::Name NameOf(const std::string& text);
// The registered picture; throws when there is none, so a test fails with
// the name.
const res::Bitmap& Picture(const std::string& name);
inline std::uint32_t At(const res::Bitmap& b, int x, int y)
{
    return b.pixels[static_cast<std::size_t>(y * b.width + x)];
}

} // namespace restest
