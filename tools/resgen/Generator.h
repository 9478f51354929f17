#pragma once

// The resource generator: draws every generated resource and writes the
// files, together with the resource list that the build embeds, into a
// folder laid out as res/ is.

#include "tools/resgen/Resource.h"

#include <filesystem>
#include <string>
#include <vector>

namespace resgen {

// The resources of one window or purpose, under a heading.
struct ResourceGroup {
    std::string heading;
    std::vector<Resource> resources;
};

// Every generated resource in its group, in the order of the list.
const std::vector<ResourceGroup>& ResourceGroups();

// Writes every file and answers their paths relative to the folder, the
// resource list last. Throws std::runtime_error when a file cannot be
// written.
std::vector<std::string> WriteResources(const std::filesystem::path& folder);

} // namespace resgen
