// Answers given ahead to the platform's own modal dialogs: the save
// dialog gets its path (relative paths under the output folder), the colour
// dialog its colour, a message box OK or Cancel; one answer a dialog, in
// order; a dialog of another kind than the answer is a failure that names
// the answer's line; while no answer waits, a dialog is left alone.

#include "platform/headless/Driver.h"
#include "platform/window/Controls.h"
#include "tools/play/Answers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class AnswerTest : public ::testing::Test {
protected:
    AnswerTest() { fs::create_directories(out_); }
    ~AnswerTest() override
    {
        std::error_code ec;
        fs::remove_all(out_, ec);
    }

    play::Command Answer(play::AnswerKind kind, int line, std::string text = {}, std::uint32_t rgb = 0)
    {
        play::Command c;
        c.verb = play::Verb::Answer;
        c.answer = kind;
        c.line = line;
        c.text = std::move(text);
        c.rgb = rgb;
        return c;
    }

    // The answers look at each wait of the program's modal loop, as the
    // player does, until the dialog has gone.
    void Look(int times)
    {
        for (int i = 0; i < times; ++i)
            driver.WhenWaiting([this] { answers.Apply(driver, failure, failureLine); });
    }

    headless::Driver driver;
    const fs::path out_ = fs::temp_directory_path() / ("inkveil-answers-" + std::to_string(getpid()));
    play::Answers answers { out_ };
    std::optional<std::string> failure;
    int failureLine = 0;
};

TEST_F(AnswerTest, EachModalDialogTakesTheOldestAnswerOfItsKind)
{
    const play::Command save = Answer(play::AnswerKind::Save, 3, "pictures/board.bmp");
    const play::Command colour = Answer(play::AnswerKind::Colour, 4, {}, 0x12A0FE);
    const play::Command ok = Answer(play::AnswerKind::Ok, 5);
    const play::Command cancel = Answer(play::AnswerKind::Cancel, 6);
    for (const play::Command* c : { &save, &colour, &ok, &cancel })
        answers.Add(*c);
    fs::create_directories(out_ / "pictures");

    char file[512] = "untitled.bmp";
    OPENFILENAME ofn {};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = "BMP (*.bmp)\0*.bmp\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "bmp";
    Look(3);
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(fs::path(file), out_ / "pictures/board.bmp");

    COLORREF custom[16] = {};
    CHOOSECOLOR cc {};
    cc.lStructSize = sizeof cc;
    cc.rgbResult = RGB(255, 0, 0);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    Look(3);
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(0x12, 0xA0, 0xFE));

    Look(3);
    EXPECT_EQ(MessageBox(nullptr, "Replace it?", "Inkveil", MB_OKCANCEL), IDOK);
    Look(3);
    EXPECT_EQ(MessageBox(nullptr, "Replace it?", "Inkveil", MB_YESNO), IDNO) << "cancel on a yes/no box is No";
    EXPECT_FALSE(failure) << *failure;
    EXPECT_EQ(answers.Unused(), nullptr);
}

TEST_F(AnswerTest, ADialogOfAnotherKindFailsAtTheAnswersLineAndADialogWithoutAnswerIsLeftToTheHand)
{
    // No answer waits: the box stays for the hand, which presses Esc.
    driver.WhenWaiting([this] {
        EXPECT_FALSE(answers.Apply(driver, failure, failureLine));
        driver.Key(VK_ESCAPE);
    });
    EXPECT_EQ(MessageBox(nullptr, "Left alone", "Inkveil", MB_OKCANCEL), IDCANCEL);

    const play::Command colour = Answer(play::AnswerKind::Colour, 7, {}, 0x00FF00);
    answers.Add(colour);
    driver.WhenWaiting([this] {
        EXPECT_TRUE(answers.Apply(driver, failure, failureLine));
        driver.Key(VK_RETURN);
    });
    EXPECT_EQ(MessageBox(nullptr, "Not a colour", "Inkveil", MB_OK), IDOK);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failureLine, 7);
    EXPECT_EQ(*failure, "expected the colour dialog to answer, got a message box \"Not a colour\"");
}

} // namespace
