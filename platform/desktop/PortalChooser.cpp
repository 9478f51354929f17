#include "platform/desktop/PortalChooser.h"

#include "platform/desktop/FileUri.h"
#include "platform/desktop/PortalOptions.h"

#include <poll.h>
#include <systemd/sd-bus.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace platform::desktop {

namespace {

constexpr char kService[] = "org.freedesktop.portal.Desktop";
constexpr char kObject[] = "/org/freedesktop/portal/desktop";
constexpr char kFileChooser[] = "org.freedesktop.portal.FileChooser";
constexpr char kRequest[] = "org.freedesktop.portal.Request";
constexpr char kPortalGone[] = "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
                               "interface='org.freedesktop.DBus',member='NameOwnerChanged',"
                               "arg0='org.freedesktop.portal.Desktop'";

struct BusClose {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message* m) const { sd_bus_message_unref(m); }
};
struct SlotUnref {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using Bus = std::unique_ptr<sd_bus, BusClose>;
using Message = std::unique_ptr<sd_bus_message, MessageUnref>;
using Slot = std::unique_ptr<sd_bus_slot, SlotUnref>;

std::string Failed(const char* what, int r) { return std::string(what) + ": " + std::strerror(-r); }

// What one SaveFile call has heard so far. Lives on the stack of Save; the
// bus's callbacks reach it through their user data.
struct Exchange {
    std::string expectedPath; // where the Response is awaited from the start
    std::string handle; // the request the portal's reply named
    std::string portal; // the portal's own (unique) name on the bus, from its reply
    bool finished = false;
    SaveAnswer answer;

    void Finish(SaveAnswer a)
    {
        if (finished)
            return;
        finished = true;
        answer = std::move(a);
    }
};

int OnReply(sd_bus_message* reply, void* data, sd_bus_error*)
{
    auto& x = *static_cast<Exchange*>(data);
    if (sd_bus_message_is_method_error(reply, nullptr)) {
        const sd_bus_error* e = sd_bus_message_get_error(reply);
        std::string why = "the portal answered ";
        why += e && e->name ? e->name : "an error";
        if (e && e->message)
            why += std::string(" (") + e->message + ")";
        x.Finish(SaveAnswer::Unavailable(why));
        return 0;
    }
    const char* handle = nullptr;
    if (sd_bus_message_read(reply, "o", &handle) < 0 || !handle) {
        x.Finish(SaveAnswer::Unavailable("the portal's reply names no request"));
        return 0;
    }
    x.handle = handle;
    if (const char* sender = sd_bus_message_get_sender(reply))
        x.portal = sender;
    return 0;
}

// The "uris" of a Response's results; the rest is skipped.
std::vector<std::string> ReadUris(sd_bus_message* m)
{
    std::vector<std::string> uris;
    if (sd_bus_message_enter_container(m, 'a', "{sv}") <= 0)
        return uris;
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
        const char* key = nullptr;
        if (sd_bus_message_read(m, "s", &key) < 0)
            break;
        if (key && std::strcmp(key, "uris") == 0 && sd_bus_message_enter_container(m, 'v', "as") > 0) {
            char** list = nullptr;
            if (sd_bus_message_read_strv(m, &list) >= 0 && list) {
                for (char** s = list; *s; ++s) {
                    uris.emplace_back(*s);
                    free(*s);
                }
                free(list);
            }
            sd_bus_message_exit_container(m);
        } else if (sd_bus_message_skip(m, "v") < 0) {
            break;
        }
        sd_bus_message_exit_container(m);
    }
    sd_bus_message_exit_container(m);
    return uris;
}

int OnResponse(sd_bus_message* m, void* data, sd_bus_error*)
{
    auto& x = *static_cast<Exchange*>(data);
    const char* path = sd_bus_message_get_path(m);
    // A signal for the path the reply named, when that differs from the
    // one awaited, is heard too (through a second match), but only once
    // the reply has named it.
    if (!path || (path != x.expectedPath && path != x.handle))
        return 0;
    std::uint32_t code = 0;
    if (sd_bus_message_read(m, "u", &code) < 0) {
        x.Finish(SaveAnswer::Unavailable("the portal's response carries no code"));
        return 0;
    }
    if (code == 1) {
        x.Finish(SaveAnswer::Cancelled());
        return 0;
    }
    if (code != 0) {
        x.Finish(SaveAnswer::Unavailable("the portal ended the dialog with code " + std::to_string(code)));
        return 0;
    }
    const std::vector<std::string> uris = ReadUris(m);
    if (uris.empty()) {
        x.Finish(SaveAnswer::Unavailable("the portal's response names no file"));
        return 0;
    }
    if (std::optional<std::string> local = FileUri::ToPath(uris.front()))
        x.Finish(SaveAnswer::Chosen(*local));
    else
        x.Finish(SaveAnswer::Unavailable("the portal chose no local file: " + uris.front()));
    return 0;
}

int OnNameOwnerChanged(sd_bus_message* m, void* data, sd_bus_error*)
{
    const char* name = nullptr;
    const char* before = nullptr;
    const char* after = nullptr;
    // Only the portal that took the call leaving matters; before its reply
    // a portal that goes away makes the call itself fail.
    auto& x = *static_cast<Exchange*>(data);
    if (sd_bus_message_read(m, "sss", &name, &before, &after) >= 0 && before && after && !*after && !x.portal.empty()
        && x.portal == before)
        x.Finish(SaveAnswer::Unavailable("the portal left the bus"));
    return 0;
}

std::string NextToken()
{
    static std::atomic<unsigned> counter { 0 };
    return "inkveil" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

// Milliseconds until the bus's next time-out (a pending call's), -1 for
// none.
int PollTimeout(sd_bus* bus)
{
    std::uint64_t until = 0;
    if (sd_bus_get_timeout(bus, &until) < 0 || until == UINT64_MAX)
        return -1;
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t nowUs = static_cast<std::uint64_t>(now.tv_sec) * 1000000u + now.tv_nsec / 1000;
    if (until <= nowUs)
        return 0;
    return static_cast<int>(std::min<std::uint64_t>((until - nowUs + 999) / 1000, 60000));
}

} // namespace

PortalChooser::PortalChooser(std::string busAddress)
    : address_(std::move(busAddress))
{
}

std::string PortalChooser::RequestPath(std::string_view uniqueName, std::string_view token)
{
    std::string sender(uniqueName.substr(uniqueName.starts_with(':') ? 1 : 0));
    for (char& c : sender)
        if (c == '.')
            c = '_';
    return std::string(kObject) + "/request/" + sender + "/" + std::string(token);
}

std::string PortalChooser::ParentWindowName(unsigned long window)
{
    if (window == 0)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "x11:%lx", window);
    return text;
}

SaveAnswer PortalChooser::Save(const SaveRequest& request, const CancelSignal& cancel)
{
    if (address_.empty())
        return SaveAnswer::Unavailable("no session bus");
    sd_bus* raw = nullptr;
    int r = sd_bus_new(&raw);
    if (r < 0)
        return SaveAnswer::Unavailable(Failed("no bus connection", r));
    Bus bus(raw);
    if ((r = sd_bus_set_address(bus.get(), address_.c_str())) < 0 || (r = sd_bus_set_bus_client(bus.get(), 1)) < 0
        || (r = sd_bus_start(bus.get())) < 0)
        return SaveAnswer::Unavailable(Failed("cannot reach the session bus", r));
    const char* unique = nullptr;
    if ((r = sd_bus_get_unique_name(bus.get(), &unique)) < 0)
        return SaveAnswer::Unavailable(Failed("the session bus gave no name", r));

    // The slots go before the bus: declared after it, they are released
    // first.
    Exchange x;
    const std::string token = NextToken();
    x.expectedPath = RequestPath(unique, token);
    sd_bus_slot* slot = nullptr;
    if ((r = sd_bus_match_signal(bus.get(), &slot, kService, x.expectedPath.c_str(), kRequest, "Response", OnResponse,
             &x))
        < 0)
        return SaveAnswer::Unavailable(Failed("cannot subscribe to the portal's answer", r));
    Slot response(slot);
    if ((r = sd_bus_add_match(bus.get(), &slot, kPortalGone, OnNameOwnerChanged, &x)) < 0)
        return SaveAnswer::Unavailable(Failed("cannot watch the portal", r));
    Slot gone(slot);

    sd_bus_message* call = nullptr;
    if ((r = sd_bus_message_new_method_call(bus.get(), &call, kService, kObject, kFileChooser, "SaveFile")) < 0)
        return SaveAnswer::Unavailable(Failed("cannot make the call", r));
    Message message(call);
    if ((r = sd_bus_message_append(call, "ss", PortalChooser::ParentWindowName(request.parentWindow).c_str(),
             request.title.c_str()))
            < 0
        || (r = PortalOptions::Append(call, request, token)) < 0)
        return SaveAnswer::Unavailable(Failed("cannot write the call", r));
    if ((r = sd_bus_call_async(bus.get(), &slot, call, OnReply, &x, 0)) < 0)
        return SaveAnswer::Unavailable(Failed("cannot call the portal", r));
    Slot pending(slot);
    Slot other; // the match for a request path other than the expected one

    while (!x.finished) {
        if (!x.handle.empty() && x.handle != x.expectedPath && !other) {
            // An older portal that makes its own path: listen there too.
            if (sd_bus_match_signal(bus.get(), &slot, kService, x.handle.c_str(), kRequest, "Response", OnResponse, &x)
                >= 0)
                other.reset(slot);
        }
        r = sd_bus_process(bus.get(), nullptr);
        if (r < 0)
            return SaveAnswer::Unavailable(Failed("the session bus failed", r));
        if (r > 0)
            continue;
        pollfd fds[2] = { { sd_bus_get_fd(bus.get()), static_cast<short>(sd_bus_get_events(bus.get())), 0 },
            { cancel.Fd(), POLLIN, 0 } };
        const int n = poll(fds, cancel.Fd() >= 0 ? 2 : 1, PollTimeout(bus.get()));
        if (n < 0 && errno != EINTR)
            return SaveAnswer::Unavailable(Failed("waiting on the session bus failed", -errno));
        if (n > 0 && cancel.Fd() >= 0 && (fds[1].revents & POLLIN)) {
            // The program gives up: the portal is asked to close its
            // dialog, and the choice no longer matters.
            const std::string& path = x.handle.empty() ? x.expectedPath : x.handle;
            sd_bus_call_method_async(bus.get(), nullptr, kService, path.c_str(), kRequest, "Close", nullptr, nullptr,
                "");
            sd_bus_flush(bus.get());
            return SaveAnswer::Cancelled();
        }
    }
    return x.answer;
}

} // namespace platform::desktop
