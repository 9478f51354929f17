#pragma once

// What decides which file chooser the desktop offers: the session bus (for
// the portal), the helper programs on the search path, the desktop's name,
// and the user's own choice in a variable the program names. Made from the
// process's environment by the program; tests make their own.

#include <string>
#include <string_view>

namespace platform::desktop {

struct ChooserEnvironment {
    // The user's choice: "builtin", "portal", "zenity", "kdialog", or
    // empty (or "auto") for the desktop's own; anything else is "builtin".
    std::string choice;
    // The session bus's address; empty when the session has none.
    std::string sessionBus;
    // The search path for the helper programs (PATH's form).
    std::string searchPath;
    // XDG_CURRENT_DESKTOP: names separated by ':' ("KDE", "ubuntu:GNOME").
    std::string currentDesktop;

    // The choice from the variable named; DBUS_SESSION_BUS_ADDRESS, or
    // the bus socket in XDG_RUNTIME_DIR where a session's bus listens
    // without saying so; PATH; XDG_CURRENT_DESKTOP.
    static ChooserEnvironment FromProcess(const char* choiceVariable);

    // The absolute path of an executable file of that name in the search
    // path, or empty.
    std::string Find(std::string_view program) const;
    // Whether the desktop is KDE's.
    bool IsKde() const;
};

} // namespace platform::desktop
