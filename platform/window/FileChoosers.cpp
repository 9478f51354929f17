#include "platform/window/FileChoosers.h"

namespace platform {

namespace {

std::shared_ptr<const desktop::ChooserPolicy>& Installed()
{
    static std::shared_ptr<const desktop::ChooserPolicy> policy;
    return policy;
}

} // namespace

void UseFileChoosers(std::shared_ptr<const desktop::ChooserPolicy> policy) { Installed() = std::move(policy); }

std::shared_ptr<const desktop::ChooserPolicy> FileChoosers() { return Installed(); }

} // namespace platform
