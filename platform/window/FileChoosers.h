#pragma once

// The desktop's file choosers that GetSaveFileName tries before its
// built-in dialog. There are none until someone installs a policy: tests,
// the scenario player and tools get the built-in dialog whatever the
// session they run in offers; the program installs the desktop's at start.

#include "platform/desktop/ChooserPolicy.h"

#include <memory>

namespace platform {

// Null goes back to the built-in dialog alone.
void UseFileChoosers(std::shared_ptr<const desktop::ChooserPolicy> policy);
std::shared_ptr<const desktop::ChooserPolicy> FileChoosers();

} // namespace platform
