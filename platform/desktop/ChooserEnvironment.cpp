#include "platform/desktop/ChooserEnvironment.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform::desktop {

namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsExecutableFile(const std::string& path)
{
    struct stat st { };
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Calls each(part) for every part of text between separators; empty parts
// too.
template <typename Each>
bool AnyPart(std::string_view text, char separator, Each each)
{
    for (;;) {
        const std::size_t end = text.find(separator);
        if (each(text.substr(0, end)))
            return true;
        if (end == std::string_view::npos)
            return false;
        text.remove_prefix(end + 1);
    }
}

} // namespace

ChooserEnvironment ChooserEnvironment::FromProcess(const char* choiceVariable)
{
    ChooserEnvironment env;
    env.choice = Variable(choiceVariable);
    env.sessionBus = Variable("DBUS_SESSION_BUS_ADDRESS");
    if (env.sessionBus.empty()) {
        // A session started by systemd has its bus here and may not say so.
        const std::string runtime = Variable("XDG_RUNTIME_DIR");
        struct stat st { };
        if (!runtime.empty() && stat((runtime + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
            env.sessionBus = "unix:path=" + runtime + "/bus";
    }
    env.searchPath = Variable("PATH");
    env.currentDesktop = Variable("XDG_CURRENT_DESKTOP");
    return env;
}

std::string ChooserEnvironment::Find(std::string_view program) const
{
    std::string found;
    AnyPart(searchPath, ':', [&](std::string_view folder) {
        // An empty entry would mean the current folder; a file chooser is
        // never taken from there.
        if (folder.empty() || folder.front() != '/')
            return false;
        std::string candidate = std::string(folder) + "/" + std::string(program);
        if (!IsExecutableFile(candidate))
            return false;
        found = std::move(candidate);
        return true;
    });
    return found;
}

bool ChooserEnvironment::IsKde() const
{
    return AnyPart(currentDesktop, ':', [](std::string_view name) { return name == "KDE"; });
}

} // namespace platform::desktop
