// The script reader: what a good script turns into, and every kind of bad
// script refused with its line and a message that says what is wrong,
// before anything runs.

#include "tools/play/Script.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using play::ReadScript;
using play::Script;
using play::ScriptError;
using play::Verb;

TEST(ScriptReader, ASessionBecomesSetUpAndCommandsInOrder)
{
    const char* text = "# a lesson\n"
                       "screen 1024 768 16\n"
                       "camera \"Doc Cam\" 640x480@15,1280x720 controls   # two sizes\n"
                       "camera Other 320x240 mjpg\n"
                       "\n"
                       "start\n"
                       "drag 10 20 300 400 5\n"
                       "key ctrl+s\n"
                       "type \"hello \\\"world\\\"\"\n"
                       "answer colour 00FF80\n"
                       "expect window \"PaintBoard\" visible 0 0 1024 768\n"
                       "expect window 102 absent\n"
                       "expect pixel 1023 767 646464 3\n"
                       "stall Other 3000\n"
                       "unplug Other\n"
                       "plug Other\n"
                       "quit\n"
                       "expect exit 0\n"
                       "expect nofile out.bmp\n";
    Script s;
    ScriptError e;
    ASSERT_TRUE(ReadScript(text, s, e)) << e.line << ": " << e.message;
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(s.bitsPerPixel, 16);
    ASSERT_EQ(s.cameras.size(), 2u);
    EXPECT_EQ(s.cameras[0].name, "Doc Cam");
    EXPECT_EQ(s.cameras[0].fps, 15);
    ASSERT_EQ(s.cameras[0].sizes.size(), 2u);
    EXPECT_EQ(s.cameras[0].sizes[1].width, 1280);
    EXPECT_TRUE(s.cameras[0].controls);
    EXPECT_FALSE(s.cameras[1].controls);
    EXPECT_FALSE(s.cameras[0].mjpg);
    EXPECT_TRUE(s.cameras[1].mjpg);

    std::vector<Verb> verbs;
    for (const auto& c : s.commands)
        verbs.push_back(c.verb);
    EXPECT_EQ(verbs,
        (std::vector<Verb> { Verb::Start, Verb::Drag, Verb::Key, Verb::Type, Verb::Answer, Verb::ExpectWindow,
            Verb::ExpectWindow, Verb::ExpectPixel, Verb::Stall, Verb::Unplug, Verb::Plug, Verb::Quit, Verb::ExpectExit,
            Verb::ExpectNoFile }));
    EXPECT_EQ(s.commands[1].line, 7);
    EXPECT_EQ(s.commands[1].numbers, (std::vector<int> { 10, 20, 300, 400, 5 }));
    EXPECT_EQ(s.commands[2].keys, (std::vector<unsigned> { 0x11, 'S' }));
    EXPECT_EQ(s.commands[3].text, "hello \"world\"");
    EXPECT_EQ(s.commands[4].rgb, 0x00FF80u);
    EXPECT_FALSE(s.commands[5].byTemplate);
    EXPECT_EQ(s.commands[5].text, "PaintBoard");
    EXPECT_TRUE(s.commands[5].withRect);
    EXPECT_TRUE(s.commands[6].byTemplate);
    EXPECT_EQ(s.commands[6].numbers[0], 102);
    EXPECT_EQ(s.commands[8].text, "Other");
    EXPECT_EQ(s.commands[8].numbers, std::vector<int> { 3000 });
    EXPECT_EQ(s.commands[7].numbers, (std::vector<int> { 1023, 767, 3 }));
}

TEST(ScriptReader, WithoutCamerasTheProgramGetsTheDefaultOneWhichCanBeUnplugged)
{
    Script s;
    ScriptError e;
    ASSERT_TRUE(ReadScript("start\nunplug \"Document Camera\"\n", s, e)) << e.message;
    EXPECT_TRUE(s.cameras.empty());
    EXPECT_FALSE(s.noCamera);
    EXPECT_EQ(play::DefaultCamera().name, "Document Camera");
}

TEST(ScriptReader, BadScriptsAreRefusedWithTheirLineAndWhatIsWrong)
{
    struct Case {
        const char* text;
        int line;
        const char* says;
    };
    const Case cases[] = {
        { "start\nfrobnicate 1 2\n", 2, "unknown verb \"frobnicate\"" },
        { "start\nmousemove 10\n", 2, "missing argument: mousemove X Y" },
        { "start\nclick 1 2\n", 2, "too many arguments (\"2\")" },
        { "start\nmousemove 1366 10\n", 2, "point 1366 10 is off the 1366x768 screen" },
        { "screen 800 600\nstart\ndrag 0 0 10 600\n", 3, "point 10 600 is off the 800x600 screen" },
        { "start\nmousemove -1 5\n", 2, "off the" },
        { "start\nmousemove 1x 5\n", 2, "X \"1x\" is not a whole number" },
        { "start\nclick 2\n", 2, "button \"2\" is neither 1 (left) nor 3 (right)" },
        { "mousemove 1 1\nstart\n", 1, "mousemove needs the program: start it first" },
        { "start\nscreen 800 600\n", 2, "screen is set-up and belongs before start (line 1)" },
        { "start\nstart\n", 2, "started already" },
        { "screen 800 600\n", 0, "never starts the program" },
        { "", 0, "never starts the program" },
        { "start\nexpect exit 0\nclick\n", 3, "the program has ended (expect exit, line 2)" },
        { "start\nkey Hyper_Q\n", 2, "unknown key \"Hyper_Q\"" },
        { "start\nkey ctrl+\n", 2, "unknown key" },
        { "start\ntype \"no end\n", 2, "no closing \"" },
        { "start\ntype \"a\"b\n", 2, "runs on into" },
        { "start\nwheel 0\n", 2, "wheel 0 turns nothing" },
        { "start\nsleep -5\n", 2, "milliseconds -5 is outside 0..3600000" },
        { "start\nsleep 99999999999999999999\n", 2, "is not a whole number" },
        { "start\nanswer save\n", 2, "answer save needs its value" },
        { "start\nanswer ok now\n", 2, "answer ok takes nothing more" },
        { "start\nanswer colour red\n", 2, "colour \"red\" is not RRGGBB" },
        { "start\nanswer maybe\n", 2, "unknown answer \"maybe\"" },
        { "start\nscreenshot /tmp/x.png\n", 2, "must be a relative path that stays in the output folder" },
        { "start\nscreenshot a/../../x.png\n", 2, "stays in the output folder" },
        { "start\nscreenshot shot.bmp\n", 2, "must end in .png" },
        { "start\nexpect pixel 1 1 12345\n", 2, "colour \"12345\" is not RRGGBB" },
        { "start\nexpect pixel 1 1\n", 2, "usage: expect pixel X Y RRGGBB [TOL]" },
        { "start\nexpect file a.bmp png 1 1 24\n", 2, "usage: expect file PATH bmp W H BPP" },
        { "start\nexpect window 102 shown\n", 2, "\"shown\" is none of visible, hidden, absent" },
        { "start\nexpect window 102 absent 1 2 3 4\n", 2, "an absent window has no rectangle" },
        { "start\nexpect setting speed 3\n", 2, "unknown setting \"speed\"" },
        { "start\nexpect setting linetype 4\n", 2, "line type 4 is outside 0..3" },
        { "start\nexpect weather fine\n", 2, "unknown expectation \"weather\"" },
        { "start\nprint everything\n", 2, "usage: print windows" },
        { "camera A 640x480\ncamera A 320x240\nstart\n", 2, "there is already a camera \"A\"" },
        { "camera A 641x480\nstart\n", 1, "an even width" },
        { "camera A 640x480,320x240@5\nstart\n", 1, "only the first size takes @FPS" },
        { "camera A 640*480\nstart\n", 1, "camera size \"640*480\" is not WxH" },
        { "camera A 640x480 knobs\nstart\n", 1, "\"knobs\" is not \"controls\" or \"mjpg\"" },
        { "camera A 640x480 mjpg mjpg\nstart\n", 1, "\"mjpg\" is given twice" },
        { "camera A 640x480\nstart\nstall B 100\n", 3, "there is no camera \"B\"" },
        { "camera A 640x480\nstart\nunplug A\nstall A 100\n", 4, "camera \"A\" is unplugged" },
        { "camera A 640x480\nstart\nstall A 0\n", 3, "milliseconds" },
        { "camera A 640x480\nstall A 10\nstart\n", 2, "needs the program" },
        { "camera A 640x480\nnocamera\nstart\n", 2, "nocamera after a camera was added" },
        { "nocamera\ncamera A 640x480\nstart\n", 2, "there can be no camera" },
        { "camera-still A picture.png\nstart\n", 1, "camera-still takes a .bmp file" },
        { "screen 800 600 12\nstart\n", 1, "bits per pixel must be 8, 16, 24 or 32" },
        { "screen 800 600\nscreen 800 600\nstart\n", 2, "the screen was given already" },
        { "nocamera\nstart\nunplug A\n", 3, "there is no camera \"A\"" },
        { "camera A 640x480\nstart\nplug A\n", 3, "camera \"A\" is plugged in already" },
        { "camera A 640x480\nstart\nunplug A\nunplug A\n", 4, "camera \"A\" is unplugged already" },
        { "start\nclickon 102\n", 2, "missing argument: clickon TEMPLATE CONTROL" },
        { "start\nhover 0 5\n", 2, "template 0 is outside 1..65535" },
    };
    for (const Case& c : cases) {
        Script s;
        ScriptError e;
        EXPECT_FALSE(ReadScript(c.text, s, e)) << c.text;
        EXPECT_EQ(e.line, c.line) << c.text << "\n -> " << e.message;
        EXPECT_NE(e.message.find(c.says), std::string::npos) << c.text << "\n -> " << e.message;
    }
}

TEST(ScriptReader, CommentsBlankLinesAndWindowsLineEndsAreIgnored)
{
    Script s;
    ScriptError e;
    ASSERT_TRUE(ReadScript("  # only a comment\r\n\r\n\tstart   # go\r\nexpect tip \"# not a comment\"\r\n", s, e))
        << e.line << ": " << e.message;
    ASSERT_EQ(s.commands.size(), 2u);
    EXPECT_EQ(s.commands[1].line, 4);
    EXPECT_EQ(s.commands[1].text, "# not a comment");
}

} // namespace
