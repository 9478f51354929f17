// zenity and kdialog as file choosers: the arguments each is given, what
// its exit status and output mean, and a run of a stand-in script.

#include "platform/desktop/ToolChooser.h"
#include "tests/platform/desktop/FakeTool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using desktoptest::FakeTool;
using platform::desktop::CancelSignal;
using platform::desktop::ChooserFilter;
using platform::desktop::SaveAnswer;
using platform::desktop::SaveRequest;
using platform::desktop::ToolChooser;
using Outcome = SaveAnswer::Outcome;
using Tool = ToolChooser::Tool;
using Args = std::vector<std::string>;

SaveRequest BoardRequest()
{
    SaveRequest r;
    r.title = "另存为";
    r.parentWindow = 0x2c00005;
    r.currentName = "板书";
    r.currentFolder = "/home/lehrer";
    r.filters = { ChooserFilter { "BMP图像 (*.bmp)", { "*.bmp" } }, ChooserFilter { "全部", { "*", "*.BMP" } } };
    r.currentFilter = 1;
    return r;
}

TEST(ToolChooser, EachToolIsAskedInItsOwnWords)
{
    EXPECT_EQ(ToolChooser::Arguments(Tool::Zenity, BoardRequest()),
        Args({ "--file-selection", "--save", "--confirm-overwrite", "--title=另存为", "--filename=/home/lehrer/板书",
            "--file-filter=全部 | * *.BMP", "--file-filter=BMP图像 (*.bmp) | *.bmp" }))
        << "the current filter first, as zenity starts on its first";
    EXPECT_EQ(ToolChooser::Arguments(Tool::Kdialog, BoardRequest()),
        Args({ "--title", "另存为", "--attach", "0x2c00005", "--getsavefilename", "/home/lehrer/板书",
            "BMP图像 (*.bmp)\n全部 (* *.BMP)" }))
        << "a description with its patterns in brackets stands as it is";

    SaveRequest folderOnly;
    folderOnly.currentFolder = "/srv/";
    EXPECT_EQ(ToolChooser::Arguments(Tool::Zenity, folderOnly),
        Args({ "--file-selection", "--save", "--confirm-overwrite", "--filename=/srv/" }));
    EXPECT_EQ(ToolChooser::Arguments(Tool::Kdialog, folderOnly), Args({ "--getsavefilename", "/srv/" }));
    const SaveRequest nothing;
    EXPECT_EQ(ToolChooser::Arguments(Tool::Zenity, nothing),
        Args({ "--file-selection", "--save", "--confirm-overwrite" }));
    EXPECT_EQ(ToolChooser::Arguments(Tool::Kdialog, nothing), Args({ "--getsavefilename", "." }))
        << "kdialog's start place stands before any filter";
}

TEST(ToolChooser, TheExitStatusAndOutputSayWhatWasChosen)
{
    const struct {
        int exit;
        const char* output;
        Outcome outcome;
        const char* path;
    } cases[] = {
        { 0, "/home/lehrer/板书.bmp\n", Outcome::Chosen, "/home/lehrer/板书.bmp" },
        { 0, "/tmp/no newline", Outcome::Chosen, "/tmp/no newline" },
        { 0, "/tmp/two\n\n", Outcome::Unavailable, "" }, // a second line is not a name
        { 0, "file:///tmp/a%20b.bmp\n", Outcome::Chosen, "/tmp/a b.bmp" },
        { 0, "file://elsewhere/a.bmp\n", Outcome::Unavailable, "" }, { 0, "", Outcome::Unavailable, "" },
        { 0, "relative.bmp\n", Outcome::Unavailable, "" }, { 1, "", Outcome::Cancelled, "" },
        { 5, "", Outcome::Unavailable, "" }, // zenity's time-out
        { 255, "", Outcome::Unavailable, "" }, { -1, "", Outcome::Unavailable, "" }, // killed
    };
    for (const auto& c : cases) {
        const SaveAnswer answer = ToolChooser::Interpret(c.exit, c.output);
        EXPECT_EQ(answer.outcome, c.outcome) << c.exit << " \"" << c.output << "\"";
        EXPECT_EQ(answer.path, c.path) << c.exit << " \"" << c.output << "\"";
    }
}

TEST(ToolChooser, AStandInZenityIsRunWithTheArgumentsAndItsAnswerTaken)
{
    FakeTool zenity("zenity", "/home/lehrer/板书.bmp\n", 0);
    CancelSignal cancel;
    ToolChooser chooser(Tool::Zenity, zenity.Program());
    EXPECT_STREQ(chooser.Name(), "zenity");
    SaveAnswer answer = chooser.Save(BoardRequest(), cancel);
    EXPECT_EQ(answer.outcome, Outcome::Chosen) << answer.why;
    EXPECT_EQ(answer.path, "/home/lehrer/板书.bmp");
    ASSERT_EQ(zenity.Runs().size(), 1u);
    EXPECT_EQ(zenity.Runs()[0], ToolChooser::Arguments(Tool::Zenity, BoardRequest()));

    zenity.Answer("", 1);
    EXPECT_EQ(chooser.Save(BoardRequest(), cancel).outcome, Outcome::Cancelled);
    zenity.Answer("", 3);
    answer = chooser.Save(BoardRequest(), cancel);
    EXPECT_EQ(answer.outcome, Outcome::Unavailable);
    EXPECT_NE(answer.why.find("zenity"), std::string::npos) << answer.why;

    answer = ToolChooser(Tool::Zenity, zenity.Folder() + "/missing").Save(BoardRequest(), cancel);
    EXPECT_EQ(answer.outcome, Outcome::Unavailable);
    EXPECT_FALSE(answer.why.empty());
}

TEST(ToolChooser, CancellingStopsTheToolAtOnce)
{
    FakeTool kdialog("kdialog", "/tmp/late.bmp\n", 0, 30);
    CancelSignal cancel;
    std::thread giveUp([&] {
        while (kdialog.Runs().empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        cancel.Raise();
    });
    const auto start = std::chrono::steady_clock::now();
    const SaveAnswer answer = ToolChooser(Tool::Kdialog, kdialog.Program()).Save(BoardRequest(), cancel);
    giveUp.join();
    EXPECT_EQ(answer.outcome, Outcome::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << "the tool was not stopped";
}

} // namespace
