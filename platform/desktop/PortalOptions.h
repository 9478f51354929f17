#pragma once

// The options of the portal's SaveFile call (an a{sv} dictionary):
// handle_token, modal, current_name and current_folder when known, the
// filters as (name, [(0, glob)]) and the current filter.

#include "platform/desktop/SaveRequest.h"

#include <string>

struct sd_bus_message;

namespace platform::desktop {

class PortalOptions {
public:
    // Appends the dictionary to the call; answers sd-bus's status (negative
    // errno on failure).
    static int Append(sd_bus_message* call, const SaveRequest& request, const std::string& token);
};

} // namespace platform::desktop
