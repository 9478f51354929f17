// The portal's file chooser spoken to over a private bus, with a fake
// portal that records what it was asked and answers as each case wants.

#include "platform/desktop/PortalChooser.h"
#include "tests/platform/desktop/FakePortal.h"
#include "tests/platform/desktop/PrivateBus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using desktoptest::FakePortal;
using desktoptest::PortalAnswer;
using desktoptest::PrivateBus;
using platform::desktop::CancelSignal;
using platform::desktop::ChooserFilter;
using platform::desktop::PortalChooser;
using platform::desktop::SaveAnswer;
using platform::desktop::SaveRequest;
using Outcome = SaveAnswer::Outcome;
using Kind = PortalAnswer::Kind;

SaveRequest PhotoRequest()
{
    SaveRequest r;
    r.title = "另存为";
    r.parentWindow = 0x3a00007;
    r.currentName = "照片";
    r.currentFolder = "/home/lehrer/Bilder";
    r.filters = { ChooserFilter { "BMP图像 (*.bmp)", { "*.bmp" } }, ChooserFilter { "全部", { "*", "*.BMP" } } };
    r.currentFilter = 0;
    return r;
}

class PortalChooserTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(bus.Address().empty()) << bus.Error(); }

    SaveAnswer Ask(const SaveRequest& request = PhotoRequest())
    {
        CancelSignal cancel;
        return PortalChooser(bus.Address()).Save(request, cancel);
    }

    PrivateBus bus;
};

TEST_F(PortalChooserTest, TheCallCarriesTheRequestAndTheChosenUriComesBackAsAPath)
{
    FakePortal portal(bus.Address(), { { Kind::Choose, "file:///home/lehrer/Bilder/Tafel%20%E4%B8%80.bmp" } });
    ASSERT_TRUE(portal.Ready());
    const SaveAnswer answer = Ask();
    EXPECT_EQ(answer.outcome, Outcome::Chosen) << answer.why;
    EXPECT_EQ(answer.path, "/home/lehrer/Bilder/Tafel 一.bmp");

    const std::vector<desktoptest::PortalCall> calls = portal.Calls();
    ASSERT_EQ(calls.size(), 1u);
    const desktoptest::PortalCall& call = calls[0];
    EXPECT_EQ(call.parentWindow, "x11:3a00007");
    EXPECT_EQ(call.title, "另存为");
    EXPECT_TRUE(call.modal);
    EXPECT_FALSE(call.handleToken.empty());
    EXPECT_EQ(call.currentName, "照片");
    EXPECT_EQ(call.currentFolder, std::string("/home/lehrer/Bilder") + '\0') << "a byte string ending in NUL";
    ASSERT_EQ(call.filters.size(), 2u);
    EXPECT_EQ(call.filters[0].name, "BMP图像 (*.bmp)");
    EXPECT_EQ(call.filters[0].patterns, std::vector<std::string>({ "*.bmp" })) << "globs, kind 0";
    EXPECT_EQ(call.filters[1].patterns, std::vector<std::string>({ "*", "*.BMP" }));
    EXPECT_EQ(call.currentFilter, "BMP图像 (*.bmp)");
}

TEST_F(PortalChooserTest, NoNameNoFolderAndNoWindowAreLeftOutOfTheCall)
{
    FakePortal portal(bus.Address(), { { Kind::Choose, "file:///tmp/x.bmp" } });
    SaveRequest bare;
    bare.title = "保存";
    EXPECT_EQ(Ask(bare).outcome, Outcome::Chosen);
    const std::vector<desktoptest::PortalCall> calls = portal.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].parentWindow, "");
    EXPECT_FALSE(calls[0].hasCurrentName);
    EXPECT_EQ(calls[0].currentFolder, "");
    EXPECT_TRUE(calls[0].filters.empty());
    EXPECT_EQ(calls[0].currentFilter, "");
}

TEST_F(PortalChooserTest, EachWayTheDialogEndsHasItsOutcome)
{
    const struct {
        const char* what;
        PortalAnswer answer;
        Outcome outcome;
    } cases[] = {
        { "chosen after a while", { Kind::Choose, "file:///tmp/a.bmp", 150 }, Outcome::Chosen },
        { "the response before the reply (no race lost)", { Kind::Choose, "file:///tmp/a.bmp", 0, true },
            Outcome::Chosen },
        { "cancelled", { Kind::Cancel }, Outcome::Cancelled },
        { "cancelled before the reply", { Kind::Cancel, "", 0, true }, Outcome::Cancelled },
        { "ended otherwise (2)", { Kind::Other }, Outcome::Unavailable },
        { "an error reply", { Kind::Error }, Outcome::Unavailable },
        { "the portal leaves the bus", { Kind::Leave }, Outcome::Unavailable },
        { "a file on another machine", { Kind::Choose, "file://server/x.bmp" }, Outcome::Unavailable },
        { "not a file at all", { Kind::Choose, "https://example.org/x.bmp" }, Outcome::Unavailable },
    };
    for (const auto& c : cases) {
        FakePortal portal(bus.Address(), { c.answer });
        ASSERT_TRUE(portal.Ready()) << c.what;
        const SaveAnswer answer = Ask();
        EXPECT_EQ(answer.outcome, c.outcome) << c.what << ": " << answer.why;
        EXPECT_EQ(answer.outcome == Outcome::Unavailable, !answer.why.empty()) << c.what;
        if (c.outcome == Outcome::Chosen) {
            EXPECT_EQ(answer.path, "/tmp/a.bmp") << c.what;
        }
    }
}

TEST_F(PortalChooserTest, WithoutAPortalOrABusTheChooserIsUnavailable)
{
    // Nobody owns the portal's name on this bus, and it activates nothing.
    SaveAnswer answer = Ask();
    EXPECT_EQ(answer.outcome, Outcome::Unavailable);
    EXPECT_NE(answer.why.find("ServiceUnknown"), std::string::npos) << answer.why;

    CancelSignal cancel;
    for (const char* address : { "", "unix:path=/nonexistent/bus", "nonsense" }) {
        answer = PortalChooser(address).Save(PhotoRequest(), cancel);
        EXPECT_EQ(answer.outcome, Outcome::Unavailable) << address;
        EXPECT_FALSE(answer.why.empty()) << address;
    }
}

TEST_F(PortalChooserTest, CancellingWhileTheDialogIsOpenClosesTheRequest)
{
    FakePortal portal(bus.Address(), { { Kind::Never } });
    CancelSignal cancel;
    std::thread giveUp([&] {
        // Once the portal has the call, the program gives up.
        while (portal.Calls().empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        cancel.Raise();
    });
    const SaveAnswer answer = PortalChooser(bus.Address()).Save(PhotoRequest(), cancel);
    giveUp.join();
    EXPECT_EQ(answer.outcome, Outcome::Cancelled);
    // The close goes out as the chooser returns; the portal hears it soon.
    for (int i = 0; i < 400 && portal.Closed().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(portal.Closed().size(), 1u);
    const desktoptest::PortalCall call = portal.Calls().at(0);
    EXPECT_EQ(portal.Closed()[0], PortalChooser::RequestPath(call.sender, call.handleToken));
}

TEST_F(PortalChooserTest, EveryCallHasATokenOfItsOwn)
{
    FakePortal portal(bus.Address(), { { Kind::Cancel } });
    Ask();
    Ask();
    const std::vector<desktoptest::PortalCall> calls = portal.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_NE(calls[0].handleToken, calls[1].handleToken);
}

} // namespace
