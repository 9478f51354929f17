#pragma once

// A scenario script: what a teacher does with the program, one command a
// line, for the scenario player. The reader turns the text into commands
// and checks everything that can be checked before the program runs (verbs,
// arguments, coordinates against the screen, the order of set-up and
// actions, where files may go), so that a bad script is refused with its
// line before anything happens.
//
// The reader knows nothing of the program or the window system; it is the
// part of the player that reads untrusted text, and is fuzzed on its own.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace play {

enum class Verb {
    // Actions, after start.
    Start,
    Quit,
    ExpectExit,
    MouseMove,
    MouseDown,
    MouseUp,
    Click,
    Drag,
    Wheel,
    Key,
    Type,
    Sleep,
    ClickOn,
    Hover,
    Answer,
    Unplug,
    Plug,
    Stall,
    Screenshot,
    ExpectPixel,
    ExpectFile,
    ExpectNoFile,
    ExpectWindow,
    ExpectSetting,
    ExpectTip,
    PrintWindows,
};

// The kinds of answer given to the next modal dialog.
enum class AnswerKind { Save, Colour, Cancel, Ok };

// The windows' visibility as expect window names it.
enum class Visibility { Visible, Hidden, Absent };

enum class Setting { PenWidth, Colour, Alpha, LineType };

struct Command {
    Verb verb = Verb::Start;
    int line = 0;
    // Coordinates, counts and codes in the order the verb takes them.
    std::vector<int> numbers;
    // A path, a text, a camera or window name, as the verb takes it.
    std::string text;
    // Mouse buttons: 1 left, 3 right.
    int button = 1;
    // key: the virtual keys to hold, last the key itself.
    std::vector<unsigned> keys;
    // A colour as 0xRRGGBB.
    std::uint32_t rgb = 0;
    AnswerKind answer = AnswerKind::Ok;
    Visibility visibility = Visibility::Visible;
    Setting setting = Setting::PenWidth;
    // expect window: by template number (numbers[0]) or by name (text).
    bool byTemplate = false;
    // expect window: whether a rectangle follows (numbers[1..4]).
    bool withRect = false;
};

struct CameraSize {
    int width = 0;
    int height = 0;
};

struct Camera {
    int line = 0;
    std::string name;
    // A camera showing the ruled test page: its sizes, the first current.
    std::vector<CameraSize> sizes;
    int fps = 30;
    bool controls = false;
    // Sends MJPG only (frames of the page encoded once at each size).
    bool mjpg = false;
    // A camera showing a picture from a BMP file instead, as written.
    std::string stillFile;
};

struct Script {
    int width = 1366;
    int height = 768;
    int bitsPerPixel = 32;
    std::vector<Camera> cameras;
    // No camera at all; without it and without cameras the program gets
    // the default one.
    bool noCamera = false;
    // From start on.
    std::vector<Command> commands;
};

struct ScriptError {
    int line = 0; // 0: the script as a whole
    std::string message;
};

// Reads a script. Answers false with the first error found.
bool ReadScript(std::string_view text, Script& out, ScriptError& error);

// The camera the program gets when the script names none.
Camera DefaultCamera();

} // namespace play
