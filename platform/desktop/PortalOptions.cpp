#include "platform/desktop/PortalOptions.h"

#include <systemd/sd-bus.h>

#include <cstdint>

namespace platform::desktop {

namespace {

// The portal's kind of pattern: 0 is a glob, 1 a MIME type.
constexpr std::uint32_t kGlob = 0;

// One filter, a (sa(us)) structure.
int AppendFilter(sd_bus_message* m, const ChooserFilter& filter)
{
    int r = sd_bus_message_open_container(m, 'r', "sa(us)");
    if (r >= 0)
        r = sd_bus_message_append(m, "s", filter.name.c_str());
    if (r >= 0)
        r = sd_bus_message_open_container(m, 'a', "(us)");
    for (const std::string& pattern : filter.patterns)
        if (r >= 0)
            r = sd_bus_message_append(m, "(us)", kGlob, pattern.c_str());
    if (r >= 0)
        r = sd_bus_message_close_container(m);
    if (r >= 0)
        r = sd_bus_message_close_container(m);
    return r;
}

// Opens a dictionary entry with its key and a variant of the signature.
int OpenEntry(sd_bus_message* m, const char* key, const char* signature)
{
    int r = sd_bus_message_open_container(m, 'e', "sv");
    if (r >= 0)
        r = sd_bus_message_append(m, "s", key);
    if (r >= 0)
        r = sd_bus_message_open_container(m, 'v', signature);
    return r;
}

int CloseEntry(sd_bus_message* m)
{
    int r = sd_bus_message_close_container(m);
    if (r >= 0)
        r = sd_bus_message_close_container(m);
    return r;
}

} // namespace

int PortalOptions::Append(sd_bus_message* call, const SaveRequest& request, const std::string& token)
{
    int r = sd_bus_message_open_container(call, 'a', "{sv}");
    if (r >= 0)
        r = sd_bus_message_append(call, "{sv}", "handle_token", "s", token.c_str());
    if (r >= 0)
        r = sd_bus_message_append(call, "{sv}", "modal", "b", 1);
    if (r >= 0 && !request.currentName.empty())
        r = sd_bus_message_append(call, "{sv}", "current_name", "s", request.currentName.c_str());
    if (r >= 0 && !request.currentFolder.empty()) {
        // A byte string with its terminating NUL, as the portal wants it.
        r = OpenEntry(call, "current_folder", "ay");
        if (r >= 0)
            r = sd_bus_message_append_array(call, 'y', request.currentFolder.c_str(), request.currentFolder.size() + 1);
        if (r >= 0)
            r = CloseEntry(call);
    }
    if (r >= 0 && !request.filters.empty()) {
        r = OpenEntry(call, "filters", "a(sa(us))");
        if (r >= 0)
            r = sd_bus_message_open_container(call, 'a', "(sa(us))");
        for (const ChooserFilter& filter : request.filters)
            if (r >= 0)
                r = AppendFilter(call, filter);
        if (r >= 0)
            r = sd_bus_message_close_container(call);
        if (r >= 0)
            r = CloseEntry(call);
        const auto current = static_cast<std::size_t>(request.currentFilter);
        if (r >= 0 && request.currentFilter >= 0 && current < request.filters.size()) {
            r = OpenEntry(call, "current_filter", "(sa(us))");
            if (r >= 0)
                r = AppendFilter(call, request.filters[current]);
            if (r >= 0)
                r = CloseEntry(call);
        }
    }
    if (r >= 0)
        r = sd_bus_message_close_container(call);
    return r;
}

} // namespace platform::desktop
