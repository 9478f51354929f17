// Which file choosers are tried, in which order, for each environment: the
// portal when there is a session bus, the helper programs found on the
// search path (kdialog first on KDE), the built-in dialog always last, and
// the user's own choice.

#include "platform/desktop/ChooserPolicy.h"
#include "platform/desktop/PortalChooser.h"
#include "tests/support/FileTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

using platform::desktop::ChooserEnvironment;
using platform::desktop::ChooserKind;
using platform::desktop::ChooserPolicy;

// The variable the user's choice is read from; the program names its own.
constexpr char kChoice[] = "CHOOSER_TESTS_FILE_DIALOG";

// A folder holding executables of the names given, and a non-executable
// file "kdialog" in a second folder.
struct ToolFolders {
    ToolFolders()
    {
        std::filesystem::create_directories(both.path / "bin");
        for (const char* tool : { "zenity", "kdialog" })
            Make(both.path / "bin" / tool, 0755);
        Make(zenityOnly.path / "zenity", 0755);
        Make(kdialogOnly.path / "kdialog", 0755);
        Make(notExecutable.path / "kdialog", 0644);
    }
    static void Make(const std::filesystem::path& file, mode_t mode)
    {
        std::ofstream(file) << "#!/bin/sh\nexit 0\n";
        chmod(file.c_str(), mode);
    }
    test::TempFolder both, zenityOnly, kdialogOnly, notExecutable, empty;
};

TEST(ChooserPolicy, TheOrderFollowsTheBusTheToolsFoundTheDesktopAndTheUsersChoice)
{
    ToolFolders f;
    const std::string bus = "unix:path=/run/user/1000/bus";
    const std::string both = (f.both.path / "bin").string();
    const std::string zenity = f.zenityOnly.path.string();
    const std::string kdialog = f.kdialogOnly.path.string();
    using K = ChooserKind;
    const struct {
        const char* what;
        ChooserEnvironment env;
        std::vector<ChooserKind> order;
    } cases[] = {
        { "nothing: the built-in dialog", { "", "", f.empty.path.string(), "" }, { K::Builtin } },
        { "a bus: the portal first", { "", bus, f.empty.path.string(), "GNOME" }, { K::Portal, K::Builtin } },
        { "bus and both tools on GNOME", { "", bus, both, "ubuntu:GNOME" },
            { K::Portal, K::Zenity, K::Kdialog, K::Builtin } },
        { "bus and both tools on KDE", { "", bus, both, "KDE" }, { K::Portal, K::Kdialog, K::Zenity, K::Builtin } },
        { "KDE among others", { "", "", both, "foo:KDE" }, { K::Kdialog, K::Zenity, K::Builtin } },
        { "a name that only contains KDE", { "", "", both, "KDE-like" }, { K::Zenity, K::Kdialog, K::Builtin } },
        { "zenity alone, later in the path", { "", "", "/nonexistent:" + zenity, "" }, { K::Zenity, K::Builtin } },
        { "kdialog alone on XFCE", { "", "", kdialog, "XFCE" }, { K::Kdialog, K::Builtin } },
        { "a file that cannot run is no tool", { "", "", f.notExecutable.path.string(), "KDE" }, { K::Builtin } },
        { "relative path entries are never searched", { "", "", ":.:bin", "" }, { K::Builtin } },
        { "auto is the default", { "auto", bus, zenity, "" }, { K::Portal, K::Zenity, K::Builtin } },
        { "builtin alone", { "builtin", bus, both, "KDE" }, { K::Builtin } },
        { "the portal alone, even without a bus", { "portal", "", both, "" }, { K::Portal, K::Builtin } },
        { "zenity alone", { "zenity", bus, both, "KDE" }, { K::Zenity, K::Builtin } },
        { "kdialog alone", { "kdialog", bus, both, "" }, { K::Kdialog, K::Builtin } },
        { "a tool asked for but missing", { "kdialog", bus, zenity, "" }, { K::Builtin } },
        { "an unknown choice is the built-in dialog", { "gtk", bus, both, "" }, { K::Builtin } },
    };
    for (const auto& c : cases) {
        ChooserPolicy policy(c.env);
        EXPECT_EQ(policy.Order(), c.order) << c.what;
        for (ChooserKind kind : policy.Order())
            EXPECT_EQ(policy.Make(kind) == nullptr, kind == K::Builtin) << c.what;
    }
}

TEST(ChooserPolicy, TheProcessEnvironmentGivesTheBusThePathAndTheChoice)
{
    test::TempFolder runtime;
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    };
    std::vector<Saved> saved;
    for (const char* name : { kChoice, "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR", "PATH", "XDG_CURRENT_DESKTOP" }) {
        const char* v = std::getenv(name);
        saved.push_back({ name, v ? std::optional<std::string>(v) : std::nullopt });
    }
    setenv(kChoice, "zenity", 1);
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/x", 1);
    setenv("PATH", "/usr/bin:/bin", 1);
    setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
    ChooserEnvironment env = ChooserEnvironment::FromProcess(kChoice);
    EXPECT_EQ(env.choice, "zenity");
    EXPECT_EQ(env.sessionBus, "unix:path=/x");
    EXPECT_EQ(env.searchPath, "/usr/bin:/bin");
    EXPECT_TRUE(env.IsKde());
    EXPECT_EQ(env.Find("sh"), "/usr/bin/sh");

    // Without an address, a session's bus socket in the runtime folder is
    // the bus; a plain file there is not.
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("XDG_RUNTIME_DIR", runtime.path.c_str(), 1);
    EXPECT_EQ(ChooserEnvironment::FromProcess(kChoice).sessionBus, "");
    std::ofstream(runtime.path / "bus") << "";
    EXPECT_EQ(ChooserEnvironment::FromProcess(kChoice).sessionBus, "");
    std::filesystem::remove(runtime.path / "bus");
    const std::string socketPath = (runtime.path / "bus").string();
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(ChooserEnvironment::FromProcess(kChoice).sessionBus, "unix:path=" + socketPath);
    close(listening);

    for (const Saved& s : saved)
        s.value ? setenv(s.name, s.value->c_str(), 1) : unsetenv(s.name);
}

TEST(PortalChooser, RequestPathsAndParentWindowsAreSpelledAsThePortalWants)
{
    EXPECT_EQ(platform::desktop::PortalChooser::RequestPath(":1.42", "inkveil7_1"),
        "/org/freedesktop/portal/desktop/request/1_42/inkveil7_1");
    EXPECT_EQ(platform::desktop::PortalChooser::RequestPath(":12.3.4", "t"),
        "/org/freedesktop/portal/desktop/request/12_3_4/t");
    EXPECT_EQ(platform::desktop::PortalChooser::ParentWindowName(0x1a00003), "x11:1a00003");
    EXPECT_EQ(platform::desktop::PortalChooser::ParentWindowName(0), "");
}

} // namespace
