#pragma once

// The desktop portal's file chooser (org.freedesktop.portal.FileChooser)
// over the session bus, spoken with sd-bus. SaveFile answers the object
// path of a request at once; the user's choice comes later as that
// request's Response signal: 0 with the chosen "uris", 1 cancelled, 2 ended
// some other way. The signal is subscribed to before the call, at the path
// the portal will use (made from our unique name and the handle token), so
// that a fast answer cannot slip past.

#include "platform/desktop/FileChooser.h"

#include <string>
#include <string_view>

namespace platform::desktop {

class PortalChooser final : public FileChooser {
public:
    // busAddress: a D-Bus address ("unix:path=/run/user/1000/bus").
    explicit PortalChooser(std::string busAddress);

    // Unavailable when the bus cannot be reached, the portal is not there
    // or answers an error, or ends the dialog otherwise than with a choice
    // or a cancel (code 2), or leaves the bus before answering.
    SaveAnswer Save(const SaveRequest& request, const CancelSignal& cancel) override;
    bool ConfirmsOverwrite() const override { return true; }
    const char* Name() const override { return "portal"; }

    // Where the portal puts the request of the connection named uniqueName
    // (":1.42") made with the token: /org/freedesktop/portal/desktop/
    // request/1_42/<token>.
    static std::string RequestPath(std::string_view uniqueName, std::string_view token);
    // "x11:<hex id>", or empty for no window.
    static std::string ParentWindowName(unsigned long window);

private:
    std::string address_;
};

} // namespace platform::desktop
