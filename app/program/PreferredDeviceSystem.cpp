#include "app/program/PreferredDeviceSystem.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// True when the two paths name one device: the same text, or two names of
// one file (a link under /dev/v4l/by-id and the node it points to).
bool SameNode(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    std::error_code ignored;
    return std::filesystem::equivalent(a, b, ignored);
}

} // namespace

PreferredDeviceSystem::PreferredDeviceSystem(v4l2::DeviceSystem& inner, std::string first)
    : inner_(inner)
    , first_(std::move(first))
{
}

std::vector<std::string> PreferredDeviceSystem::Nodes()
{
    std::vector<std::string> nodes = inner_.Nodes();
    // The chosen node moves to the front; the others keep their order, so
    // the camera list still offers every camera.
    nodes.erase(
        std::remove_if(nodes.begin(), nodes.end(), [this](const std::string& node) { return SameNode(node, first_); }),
        nodes.end());
    nodes.insert(nodes.begin(), first_);
    return nodes;
}

std::unique_ptr<v4l2::DeviceIo> PreferredDeviceSystem::Open(const std::string& path, int& error)
{
    return inner_.Open(path, error);
}

std::string PreferredDeviceSystem::Name(const std::string& path) { return inner_.Name(path); }
