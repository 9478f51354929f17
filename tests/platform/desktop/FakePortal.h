#pragma once

// A desktop portal of the test's own on a private bus: it owns
// org.freedesktop.portal.Desktop and serves FileChooser.SaveFile, written
// with sd-bus and run on a thread of its own. Each call is recorded with
// the options it carried and answered with the next of the answers the
// test gave (the last one again when they run out).

#include "platform/desktop/SaveRequest.h"

#include <systemd/sd-bus.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace desktoptest {

struct PortalAnswer {
    enum class Kind {
        Choose, // response 0 with uri
        Cancel, // response 1
        Other, // response 2
        Error, // an error reply to SaveFile
        Leave, // the portal leaves the bus without answering
        Never, // no response at all (the client must be cancelled)
    };
    PortalAnswer(Kind k = Kind::Choose, std::string u = {}, int delay = 0, bool first = false)
        : kind(k)
        , uri(std::move(u))
        , delayMs(delay)
        , responseFirst(first)
    {
    }

    Kind kind;
    std::string uri;
    int delayMs; // between the reply and the response
    bool responseFirst; // the response goes out before the reply
};

struct PortalCall {
    std::string sender;
    std::string parentWindow;
    std::string title;
    std::string handleToken;
    bool modal = false;
    bool hasCurrentName = false;
    std::string currentName;
    std::string currentFolder;
    std::vector<platform::desktop::ChooserFilter> filters;
    std::string currentFilter; // its name
};

class FakePortal {
public:
    FakePortal(const std::string& busAddress, std::vector<PortalAnswer> answers);
    ~FakePortal();
    FakePortal(const FakePortal&) = delete;
    FakePortal& operator=(const FakePortal&) = delete;

    // Whether it owns the portal's name (false: it could not start).
    bool Ready() const { return ready_; }
    std::vector<PortalCall> Calls() const;
    // Request objects the client asked to close.
    std::vector<std::string> Closed() const;

private:
    static int OnSaveFile(sd_bus_message* call, void* data, sd_bus_error* error);
    static int OnMessage(sd_bus_message* m, void* data, sd_bus_error* error);
    void Serve();
    void Respond(const std::string& path, const PortalAnswer& answer);

    sd_bus* bus_ = nullptr;
    std::vector<PortalAnswer> answers_;
    std::size_t next_ = 0;
    mutable std::mutex mutex_;
    std::vector<PortalCall> calls_;
    std::vector<std::string> closed_;
    // A response waiting for its time.
    struct Pending {
        std::string path;
        PortalAnswer answer;
        long long dueMs;
    };
    std::vector<Pending> pending_;
    bool ready_ = false;
    int stop_ = -1;
    std::thread thread_;
};

} // namespace desktoptest
