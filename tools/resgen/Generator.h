#pragma once

// The resource generator: draws every generated resource and writes the
// files, together with the resource list that the build embeds, into a
// folder laid out as res/ is.

#include <filesystem>
#include <string>
#include <vector>

namespace resgen {

// Writes every file and answers their paths relative to the folder, the
// resource list last. Throws std::runtime_error when a file cannot be
// written.
std::vector<std::string> WriteResources(const std::filesystem::path& folder);

} // namespace resgen
