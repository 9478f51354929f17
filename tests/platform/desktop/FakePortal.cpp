#include "tests/platform/desktop/FakePortal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace desktoptest {

namespace {

constexpr char kService[] = "org.freedesktop.portal.Desktop";
constexpr char kObject[] = "/org/freedesktop/portal/desktop";

long long NowMs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// The request path the portal documents: the sender's unique name without
// its colon, dots made underscores, then the token.
std::string RequestPathOf(const std::string& sender, const std::string& token)
{
    std::string name = sender.substr(1);
    std::replace(name.begin(), name.end(), '.', '_');
    return std::string(kObject) + "/request/" + name + "/" + token;
}

// One (sa(us)) filter.
platform::desktop::ChooserFilter ReadFilter(sd_bus_message* m)
{
    platform::desktop::ChooserFilter filter;
    const char* name = nullptr;
    sd_bus_message_enter_container(m, 'r', "sa(us)");
    sd_bus_message_read(m, "s", &name);
    filter.name = name ? name : "";
    sd_bus_message_enter_container(m, 'a', "(us)");
    std::uint32_t kind = 0;
    const char* pattern = nullptr;
    while (sd_bus_message_read(m, "(us)", &kind, &pattern) > 0)
        filter.patterns.push_back((kind == 0 ? "" : "mime:") + std::string(pattern));
    sd_bus_message_exit_container(m);
    sd_bus_message_exit_container(m);
    return filter;
}

void ReadOptions(sd_bus_message* m, PortalCall& call)
{
    sd_bus_message_enter_container(m, 'a', "{sv}");
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
        const char* key = nullptr;
        sd_bus_message_read(m, "s", &key);
        const std::string k = key ? key : "";
        const char* text = nullptr;
        if (k == "handle_token" && sd_bus_message_read(m, "v", "s", &text) > 0) {
            call.handleToken = text;
        } else if (k == "current_name" && sd_bus_message_read(m, "v", "s", &text) > 0) {
            call.hasCurrentName = true;
            call.currentName = text;
        } else if (k == "modal") {
            int modal = 0;
            sd_bus_message_read(m, "v", "b", &modal);
            call.modal = modal != 0;
        } else if (k == "current_folder") {
            sd_bus_message_enter_container(m, 'v', "ay");
            const void* bytes = nullptr;
            size_t size = 0;
            sd_bus_message_read_array(m, 'y', &bytes, &size);
            // The folder comes with its terminating NUL, which is kept here
            // to be checked.
            call.currentFolder.assign(static_cast<const char*>(bytes), size);
            sd_bus_message_exit_container(m);
        } else if (k == "filters") {
            sd_bus_message_enter_container(m, 'v', "a(sa(us))");
            sd_bus_message_enter_container(m, 'a', "(sa(us))");
            while (sd_bus_message_at_end(m, false) == 0)
                call.filters.push_back(ReadFilter(m));
            sd_bus_message_exit_container(m);
            sd_bus_message_exit_container(m);
        } else if (k == "current_filter") {
            sd_bus_message_enter_container(m, 'v', "(sa(us))");
            call.currentFilter = ReadFilter(m).name;
            sd_bus_message_exit_container(m);
        } else {
            sd_bus_message_skip(m, "v");
        }
        sd_bus_message_exit_container(m);
    }
    sd_bus_message_exit_container(m);
}

} // namespace

FakePortal::FakePortal(const std::string& busAddress, std::vector<PortalAnswer> answers)
    : answers_(std::move(answers))
{
    if (sd_bus_new(&bus_) < 0)
        return;
    if (sd_bus_set_address(bus_, busAddress.c_str()) < 0 || sd_bus_set_bus_client(bus_, 1) < 0
        || sd_bus_start(bus_) < 0)
        return;
    if (sd_bus_add_object(bus_, nullptr, kObject, &FakePortal::OnMessage, this) < 0
        || sd_bus_add_fallback(bus_, nullptr, (std::string(kObject) + "/request").c_str(), &FakePortal::OnMessage, this)
            < 0)
        return;
    // The fake before this one may still own the name for a moment: the
    // bus learns of its going in its own time.
    int r = sd_bus_request_name(bus_, kService, 0);
    for (int i = 0; r == -EEXIST && i < 200; ++i) {
        usleep(5000);
        r = sd_bus_request_name(bus_, kService, 0);
    }
    if (r < 0)
        return;
    stop_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    ready_ = stop_ >= 0;
    if (ready_)
        thread_ = std::thread([this] { Serve(); });
}

FakePortal::~FakePortal()
{
    if (thread_.joinable()) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(stop_, &one, sizeof one);
        thread_.join();
    }
    if (stop_ >= 0)
        close(stop_);
    if (bus_)
        sd_bus_flush_close_unref(bus_);
}

std::vector<PortalCall> FakePortal::Calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::string> FakePortal::Closed() const
{
    std::lock_guard lock(mutex_);
    return closed_;
}

int FakePortal::OnMessage(sd_bus_message* m, void* data, sd_bus_error* error)
{
    auto* self = static_cast<FakePortal*>(data);
    if (sd_bus_message_is_method_call(m, "org.freedesktop.portal.FileChooser", "SaveFile"))
        return OnSaveFile(m, data, error);
    if (sd_bus_message_is_method_call(m, "org.freedesktop.portal.Request", "Close")) {
        {
            std::lock_guard lock(self->mutex_);
            self->closed_.push_back(sd_bus_message_get_path(m));
        }
        return sd_bus_reply_method_return(m, "");
    }
    return 0;
}

int FakePortal::OnSaveFile(sd_bus_message* m, void* data, sd_bus_error*)
{
    auto* self = static_cast<FakePortal*>(data);
    PortalCall call;
    call.sender = sd_bus_message_get_sender(m);
    const char* parent = nullptr;
    const char* title = nullptr;
    sd_bus_message_read(m, "ss", &parent, &title);
    call.parentWindow = parent;
    call.title = title;
    ReadOptions(m, call);
    const PortalAnswer answer = self->answers_.empty()
        ? PortalAnswer {}
        : self->answers_[std::min(self->next_++, self->answers_.size() - 1)];
    {
        std::lock_guard lock(self->mutex_);
        self->calls_.push_back(call);
    }
    if (answer.kind == PortalAnswer::Kind::Error)
        return sd_bus_reply_method_errorf(m, "org.freedesktop.portal.Error.Failed", "the fake portal fails");
    const std::string path = RequestPathOf(call.sender, call.handleToken);
    if (answer.responseFirst)
        self->Respond(path, answer);
    int r = sd_bus_reply_method_return(m, "o", path.c_str());
    if (answer.kind == PortalAnswer::Kind::Leave) {
        sd_bus_flush(self->bus_);
        sd_bus_release_name(self->bus_, kService);
    } else if (!answer.responseFirst && answer.kind != PortalAnswer::Kind::Never) {
        self->pending_.push_back(Pending { path, answer, NowMs() + answer.delayMs });
    }
    return r;
}

void FakePortal::Respond(const std::string& path, const PortalAnswer& answer)
{
    sd_bus_message* signal = nullptr;
    if (sd_bus_message_new_signal(bus_, &signal, path.c_str(), "org.freedesktop.portal.Request", "Response") < 0)
        return;
    const std::uint32_t code = answer.kind == PortalAnswer::Kind::Choose ? 0
        : answer.kind == PortalAnswer::Kind::Cancel                      ? 1
                                                                         : 2;
    sd_bus_message_append(signal, "u", code);
    sd_bus_message_open_container(signal, 'a', "{sv}");
    if (code == 0)
        sd_bus_message_append(signal, "{sv}", "uris", "as", 1, answer.uri.c_str());
    sd_bus_message_close_container(signal);
    sd_bus_send(bus_, signal, nullptr);
    sd_bus_message_unref(signal);
    sd_bus_flush(bus_);
}

void FakePortal::Serve()
{
    for (;;) {
        const long long now = NowMs();
        for (std::size_t i = 0; i < pending_.size();) {
            if (pending_[i].dueMs <= now) {
                Respond(pending_[i].path, pending_[i].answer);
                pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
        const int r = sd_bus_process(bus_, nullptr);
        if (r < 0)
            return;
        if (r > 0)
            continue;
        int wait = -1;
        for (const Pending& p : pending_)
            wait = static_cast<int>(wait < 0 ? p.dueMs - now : std::min<long long>(wait, p.dueMs - now));
        pollfd fds[2] = { { sd_bus_get_fd(bus_), static_cast<short>(sd_bus_get_events(bus_)), 0 },
            { stop_, POLLIN, 0 } };
        if (poll(fds, 2, wait) > 0 && (fds[1].revents & POLLIN))
            return;
    }
}

} // namespace desktoptest
