// The single-instance service on a private X server, with every instance a
// connection of its own in this process: the first owns the selection, a
// later one signals it and is told so, the owner receives each request, an
// owner's end frees the selection for the next, and instances that start
// together agree on one owner.

#include "platform/x11/SingleInstance.h"

#include "tests/platform/x11/XvfbServer.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

using platform::x11::SingleInstance;
using Outcome = SingleInstance::Outcome;

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::XvfbServer& server = test::XvfbServer::Shared();
        if (!server.Installed())
            GTEST_SKIP() << "no Xvfb binary";
        ASSERT_FALSE(server.Display().empty()) << server.Error();
        display_ = server.Display();
        observer_ = XOpenDisplay(display_.c_str());
        ASSERT_NE(observer_, nullptr);
    }
    void TearDown() override
    {
        if (observer_)
            XCloseDisplay(observer_);
    }

    std::unique_ptr<SingleInstance> Claim(const std::string& name, Outcome& outcome)
    {
        return SingleInstance::Claim(display_.c_str(), name, outcome);
    }

    // The owner of the selection as another client sees it.
    ::Window OwnerOf(const std::string& selection)
    {
        return XGetSelectionOwner(observer_, XInternAtom(observer_, selection.c_str(), False));
    }

    // Collects the owner's requests until want have come or two seconds
    // have passed; answers how many came.
    static int RequestsWithin(SingleInstance& owner, int want)
    {
        int got = 0;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got < want && std::chrono::steady_clock::now() < end) {
            got += owner.TakeRequests();
            pollfd fd { owner.Fd(), POLLIN, 0 };
            poll(&fd, 1, 20);
        }
        return got + owner.TakeRequests();
    }

    std::string display_;
    Display* observer_ = nullptr;
};

TEST_F(SingleInstanceTest, TheFirstOwnsTheSelectionAndEachLaterStartSignalsIt)
{
    Outcome outcome = Outcome::NoDisplay;
    std::unique_ptr<SingleInstance> first = Claim("_INKVEIL_TEST_A", outcome);
    ASSERT_EQ(outcome, Outcome::First);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->SelectionName(), "_INKVEIL_TEST_A_S0");
    EXPECT_NE(OwnerOf("_INKVEIL_TEST_A_S0"), static_cast<::Window>(None));
    EXPECT_EQ(first->TakeRequests(), 0) << "no request before a second start";

    for (int start = 0; start < 3; ++start) {
        SCOPED_TRACE(start);
        Outcome later = Outcome::First;
        EXPECT_EQ(Claim("_INKVEIL_TEST_A", later), nullptr);
        EXPECT_EQ(later, Outcome::Signalled);
        EXPECT_EQ(RequestsWithin(*first, 1), 1) << "each start asks once";
    }
    EXPECT_TRUE(first->Owns());

    // Another name is another program: it is first on its own.
    Outcome other = Outcome::NoDisplay;
    std::unique_ptr<SingleInstance> b = Claim("_INKVEIL_TEST_B", other);
    EXPECT_EQ(other, Outcome::First);
    EXPECT_EQ(first->TakeRequests(), 0);
}

TEST_F(SingleInstanceTest, AnOwnersEndFreesTheSelectionForTheNextStart)
{
    Outcome outcome = Outcome::NoDisplay;
    std::unique_ptr<SingleInstance> first = Claim("_INKVEIL_TEST_C", outcome);
    ASSERT_EQ(outcome, Outcome::First);
    first.reset(); // its connection closes, as when the process ends or dies
    XSync(observer_, False);
    EXPECT_EQ(OwnerOf("_INKVEIL_TEST_C_S0"), static_cast<::Window>(None));

    std::unique_ptr<SingleInstance> next = Claim("_INKVEIL_TEST_C", outcome);
    EXPECT_EQ(outcome, Outcome::First);
    ASSERT_NE(next, nullptr);
    Outcome third = Outcome::First;
    EXPECT_EQ(Claim("_INKVEIL_TEST_C", third), nullptr);
    EXPECT_EQ(third, Outcome::Signalled);
    EXPECT_EQ(RequestsWithin(*next, 1), 1) << "the new owner answers";
}

TEST_F(SingleInstanceTest, InstancesStartingTogetherAgreeOnOneOwner)
{
    // Fresh names each round, so that every round is a race from nothing.
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        const std::string name = "_INKVEIL_TEST_RACE" + std::to_string(round);
        constexpr int kStarts = 6;
        std::vector<std::unique_ptr<SingleInstance>> owners(kStarts);
        std::vector<Outcome> outcomes(kStarts, Outcome::NoDisplay);
        std::atomic<bool> go { false };
        std::vector<std::thread> threads;
        for (int i = 0; i < kStarts; ++i)
            threads.emplace_back([&, i] {
                while (!go)
                    std::this_thread::yield();
                owners[i] = Claim(name, outcomes[i]);
            });
        go = true;
        for (std::thread& t : threads)
            t.join();
        int firsts = 0, signalled = 0;
        SingleInstance* owner = nullptr;
        for (int i = 0; i < kStarts; ++i) {
            firsts += outcomes[i] == Outcome::First;
            signalled += outcomes[i] == Outcome::Signalled;
            if (owners[i])
                owner = owners[i].get();
        }
        EXPECT_EQ(firsts, 1);
        EXPECT_EQ(signalled, kStarts - 1);
        ASSERT_NE(owner, nullptr);
        EXPECT_EQ(RequestsWithin(*owner, kStarts - 1), kStarts - 1);
    }
}

TEST_F(SingleInstanceTest, WithoutADisplayNothingIsDecided)
{
    Outcome outcome = Outcome::First;
    EXPECT_EQ(SingleInstance::Claim(":59999", "_INKVEIL_TEST_D", outcome), nullptr);
    EXPECT_EQ(outcome, Outcome::NoDisplay);
}

} // namespace
