#pragma once

// The contact sheet: every generated picture at twice its size, pixel for
// pixel, with its id or name and its size, group by group, in one PNG for
// the documentation. Cursors and icons stand on a checkerboard so that
// their transparent parts show; the skins' yellow is left as it is, since
// it is what marks the parts that the windows cut away.

#include "tools/resgen/Generator.h"

#include <filesystem>
#include <vector>

namespace resgen {

// Throws std::runtime_error when a picture does not decode or the file
// cannot be written.
void WriteContactSheet(const std::vector<ResourceGroup>& groups, const std::filesystem::path& png);

} // namespace resgen
