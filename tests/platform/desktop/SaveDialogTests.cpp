// GetSaveFileName through the desktop's choosers, on the in-memory screen
// with a fake portal on a private bus and a stand-in zenity: which chooser
// answers, what the program gets back, the one overwrite question, and the
// program's messages running while a chooser has the user's attention.

#include "platform/headless/Driver.h"
#include "platform/log/Log.h"
#include "platform/window/Controls.h"
#include "platform/window/FileChoosers.h"
#include "platform/window/WinUser.h"
#include "tests/platform/desktop/FakePortal.h"
#include "tests/platform/desktop/FakeTool.h"
#include "tests/platform/desktop/PrivateBus.h"
#include "tests/platform/window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <fstream>
#include <functional>
#include <thread>

namespace {

using desktoptest::FakePortal;
using desktoptest::FakeTool;
using desktoptest::PortalAnswer;
using desktoptest::PrivateBus;
using platform::desktop::ChooserEnvironment;
using platform::desktop::ChooserPolicy;
using Kind = PortalAnswer::Kind;

constexpr char kFilter[] = "BMP图像 (*.bmp)\0 *.bmp\0";
constexpr UINT_PTR kTimer = 7;

std::string TextOf(HWND h)
{
    std::string s(static_cast<std::size_t>(GetWindowTextLength(h)) + 1, '\0');
    s.resize(static_cast<std::size_t>(GetWindowText(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

// The file URI of a path, every byte outside the unreserved ones escaped
// as a portal does.
std::string UriOf(const std::string& path)
{
    std::string uri = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return uri;
}

class DesktopSaveTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(bus.Address().empty()) << bus.Error();
        main = test::MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 400, 300 });
        palette = test::MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, RECT { 500, 0, 560, 300 });
        SetActiveWindow(main);
        driver.Pump();
        // Real time passes while a chooser's thread works: each wait of the
        // program sleeps a little and moves the virtual clock on as much.
        // When one of our own windows waits for the user (a message box,
        // the built-in dialog), the hand's next action runs.
        driver.screen().SetIdleHook([this](DWORD timeout) { return OnIdle(timeout); });

        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = main;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrDefExt = "bmp";
        ofn.lpstrInitialDir = folderText.c_str();
        ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    }
    void TearDown() override { platform::UseFileChoosers(nullptr); }

    // Installs the choosers of an environment with this test's bus (or
    // none) and the given search path.
    void Use(bool withBus, const std::string& searchPath = "/nonexistent")
    {
        ChooserEnvironment env;
        env.sessionBus = withBus ? bus.Address() : "";
        env.searchPath = searchPath;
        platform::UseFileChoosers(std::make_shared<ChooserPolicy>(env));
    }

    // The hand's actions on windows of ours that wait for the user; each
    // gets the active window.
    void WhenAsked(std::function<void(HWND)> action) { actions.push_back(std::move(action)); }

    DWORD OnIdle(DWORD timeout)
    {
        HWND active = GetActiveWindow();
        if (active && IsWindowEnabled(active) && active != main && active != palette) {
            if (actions.empty()) {
                // Nobody expected this window: note it and say yes.
                unexpected.push_back(TextOf(active));
                Key(VK_RETURN);
            } else {
                auto action = std::move(actions.front());
                actions.pop_front();
                action(active);
            }
            return 0;
        }
        const DWORD slice = std::min<DWORD>(timeout, 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(slice));
        return slice;
    }

    void Key(UINT vk)
    {
        platform::InputEvent e;
        e.type = platform::InputEvent::Type::KeyDown;
        e.virtualKey = vk;
        driver.screen().Inject(e);
        e.type = platform::InputEvent::Type::KeyUp;
        driver.screen().Inject(e);
    }
    void Type(const std::string& ascii)
    {
        for (char c : ascii) {
            platform::InputEvent e;
            e.type = platform::InputEvent::Type::Char;
            e.character = static_cast<unsigned char>(c);
            driver.screen().Inject(e);
        }
    }

    std::string Saved(const std::string& name) const { return (folder.path / name).string(); }

    headless::Driver driver;
    PrivateBus bus;
    test::TempFolder folder;
    std::string folderText = folder.path.string();
    HWND main = nullptr;
    HWND palette = nullptr;
    char file[512] = {};
    OPENFILENAME ofn {};
    std::deque<std::function<void(HWND)>> actions;
    std::vector<std::string> unexpected;
};

TEST_F(DesktopSaveTest, ThePortalsChoiceGetsTheDefaultExtensionWhileTheProgramKeepsRunning)
{
    FakePortal portal(bus.Address(), { { Kind::Choose, UriOf(Saved("Tafel neu 一")), 300 } });
    ASSERT_TRUE(portal.Ready());
    Use(true);
    int ticks = 0;
    bool allDisabled = true;
    test::SetHandler(main, [&](HWND, UINT msg, WPARAM id, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_TIMER || id != kTimer)
            return std::nullopt;
        ++ticks;
        allDisabled = allDisabled && !IsWindowEnabled(main) && !IsWindowEnabled(palette);
        return 0;
    });
    SetTimer(main, kTimer, 20, nullptr);

    ASSERT_TRUE(GetSaveFileName(&ofn));
    KillTimer(main, kTimer);
    EXPECT_EQ(std::string(file), Saved("Tafel neu 一.bmp"));
    EXPECT_EQ(std::string(file + ofn.nFileOffset), "Tafel neu 一.bmp");
    EXPECT_EQ(std::string(file + ofn.nFileExtension), "bmp");
    EXPECT_GE(ticks, 3) << "the timer stopped while the portal had the user";
    EXPECT_TRUE(allDisabled) << "our windows stay usable beside the portal's dialog";
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(palette));
    EXPECT_TRUE(unexpected.empty()) << unexpected.front();

    const std::vector<desktoptest::PortalCall> calls = portal.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].title, "另存为");
    EXPECT_FALSE(calls[0].hasCurrentName) << "no name given, none proposed";
    EXPECT_EQ(calls[0].currentFolder, folderText + '\0');
    ASSERT_EQ(calls[0].filters.size(), 1u);
    EXPECT_EQ(calls[0].filters[0].name, "BMP图像 (*.bmp)");
    EXPECT_EQ(calls[0].filters[0].patterns, std::vector<std::string>({ "*.bmp" })) << "without the leading blank";
    EXPECT_EQ(calls[0].currentFilter, "BMP图像 (*.bmp)");
}

TEST_F(DesktopSaveTest, ACancelInThePortalIsTheProgramsCancel)
{
    FakePortal portal(bus.Address(), { { Kind::Cancel, "", 50 } });
    Use(true);
    std::strcpy(file, "tafel");
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(file, "tafel") << "the buffer is left alone";
    ASSERT_EQ(portal.Calls().size(), 1u);
    EXPECT_EQ(portal.Calls()[0].currentName, "tafel");
    EXPECT_TRUE(unexpected.empty());
}

TEST_F(DesktopSaveTest, APortalThatCannotAskHandsOverToZenityAndThenToTheBuiltInDialog)
{
    FakeTool zenity("zenity", Saved("von zenity") + "\n", 0);
    {
        FakePortal portal(bus.Address(), { { Kind::Error } });
        Use(true, zenity.Folder());
        // Why the portal handed over goes to the log at the info level.
        std::FILE* log = std::tmpfile();
        ASSERT_NE(log, nullptr);
        logging::SetStream(log);
        logging::SetLevel(logging::Level::Info);
        const BOOL saved = GetSaveFileName(&ofn);
        logging::SetStream(nullptr);
        logging::ReadEnvironment();
        std::rewind(log);
        char line[512] = {};
        const bool logged = std::fgets(line, sizeof line, log) != nullptr;
        std::fclose(log);
        ASSERT_TRUE(saved);
        EXPECT_EQ(std::string(file), Saved("von zenity.bmp"));
        EXPECT_EQ(portal.Calls().size(), 1u);
        EXPECT_EQ(zenity.Runs().size(), 1u);
        ASSERT_TRUE(logged) << "nothing logged";
        EXPECT_NE(std::string(line).find("the portal chooser could not ask"), std::string::npos) << line;
        EXPECT_NE(std::string(line).find("org.freedesktop.portal.Error.Failed"), std::string::npos) << line;
    }
    {
        // No portal on the bus at all, and zenity fails.
        zenity.Answer("", 255);
        std::string caption;
        WhenAsked([&](HWND dialog) {
            caption = TextOf(dialog);
            Type("eigen");
            Key(VK_RETURN);
        });
        ASSERT_TRUE(GetSaveFileName(&ofn));
        EXPECT_EQ(caption, "另存为") << "the built-in dialog";
        EXPECT_EQ(std::string(file), Saved("eigen.bmp"));
        EXPECT_EQ(zenity.Runs().size(), 2u);
    }
    EXPECT_TRUE(unexpected.empty());
}

TEST_F(DesktopSaveTest, WithoutChoosersInstalledTheBuiltInDialogRunsWhateverTheSessionOffers)
{
    FakePortal portal(bus.Address(), { { Kind::Choose, "file:///tmp/never.bmp" } });
    FakeTool zenity("zenity", "/tmp/never.bmp\n", 0);
    const char* oldBus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string savedBus = oldBus ? oldBus : "";
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str(), 1);
    std::string caption;
    WhenAsked([&](HWND dialog) {
        caption = TextOf(dialog);
        Key(VK_ESCAPE);
    });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    oldBus ? setenv("DBUS_SESSION_BUS_ADDRESS", savedBus.c_str(), 1) : unsetenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_EQ(caption, "另存为");
    EXPECT_TRUE(portal.Calls().empty());
    EXPECT_TRUE(zenity.Runs().empty());
}

TEST_F(DesktopSaveTest, TheUserIsAskedAboutReplacingExactlyOnce)
{
    std::ofstream(Saved("da.bmp")) << "old";
    Use(true);
    {
        // The portal asked about this very file: the program does not ask
        // again.
        FakePortal portal(bus.Address(), { { Kind::Choose, UriOf(Saved("da.bmp")) } });
        ASSERT_TRUE(GetSaveFileName(&ofn));
        EXPECT_EQ(std::string(file), Saved("da.bmp"));
        EXPECT_TRUE(unexpected.empty()) << "asked a second time: " << unexpected.front();
    }
    {
        // The portal answered "da"; the extension makes it a file that
        // exists, which nobody asked about yet. No chooses again.
        FakePortal portal(bus.Address(),
            { { Kind::Choose, UriOf(Saved("da")) }, { Kind::Choose, UriOf(Saved("neu")) } });
        std::string question, caption;
        WhenAsked([&](HWND box) {
            question = TextOf(GetDlgItem(box, 0xFFFF));
            caption = TextOf(box);
            Key(VK_TAB); // to No
            Key(VK_RETURN);
        });
        ASSERT_TRUE(GetSaveFileName(&ofn));
        EXPECT_EQ(question, "da.bmp 已存在。\n要替换它吗?");
        EXPECT_EQ(caption, "另存为");
        EXPECT_EQ(std::string(file), Saved("neu.bmp"));
        const std::vector<desktoptest::PortalCall> calls = portal.Calls();
        ASSERT_EQ(calls.size(), 2u) << "the portal asked again";
        EXPECT_EQ(calls[1].currentName, "da.bmp");
        EXPECT_EQ(calls[1].currentFolder, folderText + '\0');
    }
    {
        // Yes to the question keeps the name.
        FakePortal portal(bus.Address(), { { Kind::Choose, UriOf(Saved("da")) } });
        WhenAsked([&](HWND) { Key(VK_RETURN); });
        ASSERT_TRUE(GetSaveFileName(&ofn));
        EXPECT_EQ(std::string(file), Saved("da.bmp"));
        EXPECT_EQ(portal.Calls().size(), 1u);
    }
    {
        // Without OFN_OVERWRITEPROMPT nobody asks.
        ofn.Flags = OFN_HIDEREADONLY;
        FakePortal portal(bus.Address(), { { Kind::Choose, UriOf(Saved("da")) } });
        ASSERT_TRUE(GetSaveFileName(&ofn));
        EXPECT_EQ(std::string(file), Saved("da.bmp"));
    }
    EXPECT_TRUE(unexpected.empty());
}

TEST_F(DesktopSaveTest, AQuitWhileThePortalAsksClosesItsDialogAndReachesTheOuterLoop)
{
    FakePortal portal(bus.Address(), { { Kind::Never } });
    Use(true);
    SetTimer(main, kTimer, 20, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        PostQuitMessage(3);
    });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(file[0], '\0');
    for (int i = 0; i < 400 && portal.Closed().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(portal.Closed().size(), 1u) << "the portal's dialog was left open";
    MSG msg {};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_TRUE(IsWindowEnabled(main));
}

} // namespace
