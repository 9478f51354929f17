#include "tools/play/Script.h"

#include "tools/play/KeyNames.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

namespace play {

namespace {

using Words = std::vector<std::string>;

// Splits a line into words: blanks separate them, a word in double quotes
// may hold blanks (\" and \\ inside stand for themselves), and # outside
// quotes starts a comment.
bool Tokenize(std::string_view line, Words& words, std::string& error)
{
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        std::string word;
        if (c == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\'))
                    d = line[i++];
                word.push_back(d);
            }
            if (!closed) {
                error = "a quoted word has no closing \"";
                return false;
            }
            if (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                error = "a quoted word runs on into \"" + std::string(1, line[i]) + "\"";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word.push_back(line[i++]);
        }
        words.push_back(std::move(word));
    }
    return true;
}

bool ParseInt(std::string_view s, long long& out)
{
    if (s.empty())
        return false;
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && p == end;
}

bool ParseRgb(std::string_view s, std::uint32_t& out)
{
    if (s.size() != 6)
        return false;
    unsigned value = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + 6, value, 16);
    if (ec != std::errc() || p != s.data() + 6)
        return false;
    out = value;
    return true;
}

// Whether a path stays inside the folder it is taken relative to.
bool StaysInside(std::string_view path)
{
    if (path.empty() || path.front() == '/')
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string_view::npos)
            slash = path.size();
        if (path.substr(start, slash - start) == "..")
            return false;
        start = slash + 1;
    }
    return true;
}

bool EndsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

class Reader {
public:
    Reader(Script& script, ScriptError& error)
        : script_(script)
        , error_(error)
    {
    }

    bool Line(int number, const Words& words);
    bool Finish();

private:
    struct VerbRule;
    using Handler = bool (Reader::*)(const Words& words);
    struct VerbRule {
        const char* verb;
        std::size_t min, max; // arguments
        const char* usage;
        bool setup; // before start
        Handler handler;
    };
    static const VerbRule kVerbRules[];

    bool Fail(std::string message)
    {
        error_.line = line_;
        error_.message = std::move(message);
        return false;
    }
    bool Int(const std::string& word, const char* what, long long lo, long long hi, int& out);
    bool Point(const std::string& x, const std::string& y, int& outX, int& outY);
    bool Button(const Words& words, std::size_t at);
    bool CameraName(const std::string& name);
    Command& Add(Verb verb);

    // Set-up.
    bool Screen(const Words& w);
    bool Camera(const Words& w);
    bool CameraStill(const Words& w);
    bool NoCamera(const Words& w);
    // Program.
    bool Start(const Words& w);
    bool Quit(const Words& w);
    bool ExpectExit(const Words& w);
    // Hand.
    bool MouseMove(const Words& w);
    bool MouseDown(const Words& w);
    bool MouseUp(const Words& w);
    bool Click(const Words& w);
    bool Drag(const Words& w);
    bool Wheel(const Words& w);
    bool Key(const Words& w);
    bool Type(const Words& w);
    bool Sleep(const Words& w);
    bool ClickOn(const Words& w);
    bool Hover(const Words& w);
    bool Answer(const Words& w);
    bool Unplug(const Words& w);
    bool Plug(const Words& w);
    bool Stall(const Words& w);
    // Looking.
    bool Screenshot(const Words& w);
    bool Expect(const Words& w);
    bool ExpectPixel(const Words& w);
    bool ExpectFile(const Words& w);
    bool ExpectNoFile(const Words& w);
    bool ExpectWindow(const Words& w);
    bool ExpectSetting(const Words& w);
    bool ExpectTip(const Words& w);
    bool Print(const Words& w);

    Script& script_;
    ScriptError& error_;
    int line_ = 0;
    bool screenGiven_ = false;
    bool started_ = false;
    int startLine_ = 0;
    int exitLine_ = 0; // the line of expect exit, once seen
    std::map<std::string, bool> plugged_;
};

const Reader::VerbRule Reader::kVerbRules[] = {
    { "screen", 2, 3, "screen W H [BPP]", true, &Reader::Screen },
    { "camera", 2, 4, "camera NAME WxH[@FPS][,WxH...] [controls] [mjpg]", true, &Reader::Camera },
    { "camera-still", 2, 2, "camera-still NAME FILE.bmp", true, &Reader::CameraStill },
    { "nocamera", 0, 0, "nocamera", true, &Reader::NoCamera },
    { "start", 0, 0, "start", false, &Reader::Start },
    { "quit", 0, 0, "quit", false, &Reader::Quit },
    { "mousemove", 2, 2, "mousemove X Y", false, &Reader::MouseMove },
    { "mousedown", 0, 1, "mousedown [1|3]", false, &Reader::MouseDown },
    { "mouseup", 0, 1, "mouseup [1|3]", false, &Reader::MouseUp },
    { "click", 0, 1, "click [1|3]", false, &Reader::Click },
    { "drag", 4, 5, "drag X1 Y1 X2 Y2 [STEPS]", false, &Reader::Drag },
    { "wheel", 1, 1, "wheel N", false, &Reader::Wheel },
    { "key", 1, 1, "key NAME", false, &Reader::Key },
    { "type", 1, 1, "type TEXT (quoted when it has blanks)", false, &Reader::Type },
    { "sleep", 1, 1, "sleep MS", false, &Reader::Sleep },
    { "clickon", 2, 2, "clickon TEMPLATE CONTROL", false, &Reader::ClickOn },
    { "hover", 2, 2, "hover TEMPLATE CONTROL", false, &Reader::Hover },
    { "answer", 1, 2, "answer save PATH | colour RRGGBB | cancel | ok", false, &Reader::Answer },
    { "unplug", 1, 1, "unplug NAME", false, &Reader::Unplug },
    { "plug", 1, 1, "plug NAME", false, &Reader::Plug },
    { "stall", 2, 2, "stall NAME MS", false, &Reader::Stall },
    { "screenshot", 1, 1, "screenshot FILE.png", false, &Reader::Screenshot },
    { "expect", 1, 7, "expect exit|pixel|file|nofile|window|setting|tip ...", false, &Reader::Expect },
    { "print", 1, 1, "print windows", false, &Reader::Print },
};

bool Reader::Line(int number, const Words& words)
{
    line_ = number;
    const VerbRule* rule = nullptr;
    for (const VerbRule& s : kVerbRules)
        if (words[0] == s.verb)
            rule = &s;
    if (!rule)
        return Fail("unknown verb \"" + words[0] + "\"");
    const std::size_t args = words.size() - 1;
    if (args < rule->min)
        return Fail(std::string("missing argument: ") + rule->usage);
    if (args > rule->max)
        return Fail("too many arguments (\"" + words[rule->max + 1] + "\"): " + rule->usage);
    if (rule->setup && started_)
        return Fail(
            std::string(rule->verb) + " is set-up and belongs before start (line " + std::to_string(startLine_) + ")");
    if (!rule->setup && !started_ && words[0] != "start")
        return Fail(std::string(rule->verb) + " needs the program: start it first");
    const bool onFiles = words[0] == "expect" && words.size() > 1 && (words[1] == "file" || words[1] == "nofile");
    if (exitLine_ && !onFiles)
        return Fail("the program has ended (expect exit, line " + std::to_string(exitLine_)
            + "); only expect file and expect nofile may follow");
    return (this->*rule->handler)(words);
}

bool Reader::Finish()
{
    line_ = 0;
    if (!started_)
        return Fail("the script never starts the program (no start)");
    return true;
}

bool Reader::Int(const std::string& word, const char* what, long long lo, long long hi, int& out)
{
    long long v = 0;
    if (!ParseInt(word, v))
        return Fail(std::string(what) + " \"" + word + "\" is not a whole number");
    if (v < lo || v > hi)
        return Fail(std::string(what) + " " + word + " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
    out = static_cast<int>(v);
    return true;
}

bool Reader::Point(const std::string& x, const std::string& y, int& outX, int& outY)
{
    long long vx = 0, vy = 0;
    if (!ParseInt(x, vx))
        return Fail("X \"" + x + "\" is not a whole number");
    if (!ParseInt(y, vy))
        return Fail("Y \"" + y + "\" is not a whole number");
    if (vx < 0 || vy < 0 || vx >= script_.width || vy >= script_.height)
        return Fail("point " + x + " " + y + " is off the " + std::to_string(script_.width) + "x"
            + std::to_string(script_.height) + " screen");
    outX = static_cast<int>(vx);
    outY = static_cast<int>(vy);
    return true;
}

bool Reader::Button(const Words& words, std::size_t at)
{
    Command& c = script_.commands.back();
    c.button = 1;
    if (words.size() <= at)
        return true;
    if (words[at] != "1" && words[at] != "3")
        return Fail("button \"" + words[at] + "\" is neither 1 (left) nor 3 (right)");
    c.button = words[at][0] - '0';
    return true;
}

bool Reader::CameraName(const std::string& name)
{
    if (name.empty())
        return Fail("a camera needs a name");
    if (plugged_.count(name))
        return Fail("there is already a camera \"" + name + "\"");
    if (script_.noCamera)
        return Fail("nocamera was given, so there can be no camera");
    plugged_[name] = true;
    return true;
}

Command& Reader::Add(Verb verb)
{
    Command& c = script_.commands.emplace_back();
    c.verb = verb;
    c.line = line_;
    return c;
}

bool Reader::Screen(const Words& w)
{
    if (screenGiven_)
        return Fail("the screen was given already");
    screenGiven_ = true;
    if (!Int(w[1], "width", 64, 8192, script_.width) || !Int(w[2], "height", 64, 8192, script_.height))
        return false;
    if (w.size() > 3) {
        if (!Int(w[3], "bits per pixel", 8, 32, script_.bitsPerPixel))
            return false;
        if (script_.bitsPerPixel != 8 && script_.bitsPerPixel != 16 && script_.bitsPerPixel != 24
            && script_.bitsPerPixel != 32)
            return Fail("bits per pixel must be 8, 16, 24 or 32, not " + w[3]);
    }
    return true;
}

bool Reader::Camera(const Words& w)
{
    if (!CameraName(w[1]))
        return false;
    play::Camera cam;
    cam.line = line_;
    cam.name = w[1];
    // Sizes: WxH[@FPS] first, then ,WxH ...
    std::string_view list = w[2];
    bool first = true;
    while (true) {
        const std::size_t comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        std::string_view fps;
        if (const std::size_t at = item.find('@'); at != std::string_view::npos) {
            if (!first)
                return Fail("only the first size takes @FPS: \"" + std::string(item) + "\"");
            fps = item.substr(at + 1);
            item = item.substr(0, at);
        }
        const std::size_t x = item.find('x');
        long long width = 0, height = 0;
        if (x == std::string_view::npos || !ParseInt(item.substr(0, x), width) || !ParseInt(item.substr(x + 1), height))
            return Fail("camera size \"" + std::string(item) + "\" is not WxH");
        if (width < 16 || height < 16 || width > 4096 || height > 4096 || width % 2)
            return Fail("camera size " + std::string(item) + ": 16..4096 each way, an even width");
        cam.sizes.push_back(CameraSize { static_cast<int>(width), static_cast<int>(height) });
        if (!fps.empty() && !Int(std::string(fps), "frames a second", 1, 120, cam.fps))
            return false;
        first = false;
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    for (std::size_t i = 3; i < w.size(); ++i) {
        bool& option = w[i] == "controls" ? cam.controls : cam.mjpg;
        if (w[i] != "controls" && w[i] != "mjpg")
            return Fail("\"" + w[i] + "\" is not \"controls\" or \"mjpg\"");
        if (option)
            return Fail("\"" + w[i] + "\" is given twice");
        option = true;
    }
    script_.cameras.push_back(std::move(cam));
    return true;
}

bool Reader::CameraStill(const Words& w)
{
    if (!CameraName(w[1]))
        return false;
    if (!EndsWith(w[2], ".bmp") && !EndsWith(w[2], ".BMP"))
        return Fail("camera-still takes a .bmp file, not \"" + w[2] + "\"");
    play::Camera cam;
    cam.line = line_;
    cam.name = w[1];
    cam.stillFile = w[2];
    script_.cameras.push_back(std::move(cam));
    return true;
}

bool Reader::NoCamera(const Words&)
{
    if (!script_.cameras.empty())
        return Fail("nocamera after a camera was added");
    script_.noCamera = true;
    return true;
}

bool Reader::Start(const Words&)
{
    if (started_)
        return Fail("the program was started already (line " + std::to_string(startLine_) + ")");
    started_ = true;
    startLine_ = line_;
    if (!script_.noCamera && script_.cameras.empty())
        plugged_[DefaultCamera().name] = true;
    Add(Verb::Start);
    return true;
}

bool Reader::Quit(const Words&)
{
    Add(Verb::Quit);
    return true;
}

bool Reader::ExpectExit(const Words& w)
{
    if (w.size() != 3)
        return Fail("usage: expect exit CODE");
    Command& c = Add(Verb::ExpectExit);
    c.numbers.resize(1);
    if (!Int(w[2], "exit code", 0, 255, c.numbers[0]))
        return false;
    exitLine_ = line_;
    return true;
}

bool Reader::MouseMove(const Words& w)
{
    Command& c = Add(Verb::MouseMove);
    c.numbers.resize(2);
    return Point(w[1], w[2], c.numbers[0], c.numbers[1]);
}

bool Reader::MouseDown(const Words& w)
{
    Add(Verb::MouseDown);
    return Button(w, 1);
}

bool Reader::MouseUp(const Words& w)
{
    Add(Verb::MouseUp);
    return Button(w, 1);
}

bool Reader::Click(const Words& w)
{
    Add(Verb::Click);
    return Button(w, 1);
}

bool Reader::Drag(const Words& w)
{
    Command& c = Add(Verb::Drag);
    c.numbers.resize(5);
    c.numbers[4] = 8;
    if (!Point(w[1], w[2], c.numbers[0], c.numbers[1]) || !Point(w[3], w[4], c.numbers[2], c.numbers[3]))
        return false;
    return w.size() < 6 || Int(w[5], "steps", 1, 1000, c.numbers[4]);
}

bool Reader::Wheel(const Words& w)
{
    Command& c = Add(Verb::Wheel);
    c.numbers.resize(1);
    if (!Int(w[1], "notches", -100, 100, c.numbers[0]))
        return false;
    if (c.numbers[0] == 0)
        return Fail("wheel 0 turns nothing");
    return true;
}

bool Reader::Key(const Words& w)
{
    Command& c = Add(Verb::Key);
    c.keys = KeysFromName(w[1]);
    c.text = w[1];
    if (c.keys.empty())
        return Fail("unknown key \"" + w[1]
            + "\" (xdotool's names: Home End Prior Next Left Right Up Down "
              "Tab Return Escape BackSpace Delete space a-z 0-9 F1-F12, "
              "with ctrl+ shift+ alt+)");
    return true;
}

bool Reader::Type(const Words& w)
{
    Command& c = Add(Verb::Type);
    c.text = w[1];
    if (c.text.empty())
        return Fail("type needs some text");
    return true;
}

bool Reader::Sleep(const Words& w)
{
    Command& c = Add(Verb::Sleep);
    c.numbers.resize(1);
    return Int(w[1], "milliseconds", 0, 3600000, c.numbers[0]);
}

bool Reader::ClickOn(const Words& w)
{
    Command& c = Add(Verb::ClickOn);
    c.numbers.resize(2);
    return Int(w[1], "template", 1, 65535, c.numbers[0]) && Int(w[2], "control", 0, 65535, c.numbers[1]);
}

bool Reader::Hover(const Words& w)
{
    if (!ClickOn(w))
        return false;
    script_.commands.back().verb = Verb::Hover;
    return true;
}

bool Reader::Answer(const Words& w)
{
    Command& c = Add(Verb::Answer);
    const std::string& kind = w[1];
    const bool takesValue = kind == "save" || kind == "colour";
    if (kind != "save" && kind != "colour" && kind != "cancel" && kind != "ok")
        return Fail("unknown answer \"" + kind + "\": save PATH, colour RRGGBB, cancel or ok");
    if (takesValue != (w.size() == 3))
        return Fail(takesValue ? "answer " + kind + " needs its value" : "answer " + kind + " takes nothing more");
    if (kind == "save") {
        c.answer = AnswerKind::Save;
        c.text = w[2];
        if (c.text.empty())
            return Fail("answer save needs a path");
    } else if (kind == "colour") {
        c.answer = AnswerKind::Colour;
        if (!ParseRgb(w[2], c.rgb))
            return Fail("colour \"" + w[2] + "\" is not RRGGBB");
    } else {
        c.answer = kind == "cancel" ? AnswerKind::Cancel : AnswerKind::Ok;
    }
    return true;
}

bool Reader::Unplug(const Words& w)
{
    auto it = plugged_.find(w[1]);
    if (it == plugged_.end())
        return Fail("there is no camera \"" + w[1] + "\"");
    if (!it->second)
        return Fail("camera \"" + w[1] + "\" is unplugged already");
    it->second = false;
    Add(Verb::Unplug).text = w[1];
    return true;
}

bool Reader::Plug(const Words& w)
{
    auto it = plugged_.find(w[1]);
    if (it == plugged_.end())
        return Fail("there is no camera \"" + w[1] + "\"");
    if (it->second)
        return Fail("camera \"" + w[1] + "\" is plugged in already");
    it->second = true;
    Add(Verb::Plug).text = w[1];
    return true;
}

bool Reader::Stall(const Words& w)
{
    auto it = plugged_.find(w[1]);
    if (it == plugged_.end())
        return Fail("there is no camera \"" + w[1] + "\"");
    if (!it->second)
        return Fail("camera \"" + w[1] + "\" is unplugged");
    int ms = 0;
    if (!Int(w[2], "milliseconds", 1, 600000, ms))
        return false;
    Command& c = Add(Verb::Stall);
    c.text = w[1];
    c.numbers.push_back(ms);
    return true;
}

bool Reader::Screenshot(const Words& w)
{
    if (!StaysInside(w[1]))
        return Fail("screenshot \"" + w[1] + "\" must be a relative path that stays in the output folder");
    if (!EndsWith(w[1], ".png"))
        return Fail("screenshot \"" + w[1] + "\" must end in .png");
    Add(Verb::Screenshot).text = w[1];
    return true;
}

bool Reader::Expect(const Words& w)
{
    const std::string& what = w[1];
    if (what == "exit")
        return ExpectExit(w);
    if (what == "pixel")
        return ExpectPixel(w);
    if (what == "file")
        return ExpectFile(w);
    if (what == "nofile")
        return ExpectNoFile(w);
    if (what == "window")
        return ExpectWindow(w);
    if (what == "setting")
        return ExpectSetting(w);
    if (what == "tip")
        return ExpectTip(w);
    return Fail("unknown expectation \"" + what + "\": exit, pixel, file, nofile, window, setting or tip");
}

bool Reader::ExpectPixel(const Words& w)
{
    if (w.size() < 5 || w.size() > 6)
        return Fail("usage: expect pixel X Y RRGGBB [TOL]");
    Command& c = Add(Verb::ExpectPixel);
    c.numbers.resize(3);
    if (!Point(w[2], w[3], c.numbers[0], c.numbers[1]))
        return false;
    if (!ParseRgb(w[4], c.rgb))
        return Fail("colour \"" + w[4] + "\" is not RRGGBB");
    return w.size() < 6 || Int(w[5], "tolerance", 0, 255, c.numbers[2]);
}

bool Reader::ExpectFile(const Words& w)
{
    if (w.size() != 7 || w[3] != "bmp")
        return Fail("usage: expect file PATH bmp W H BPP");
    Command& c = Add(Verb::ExpectFile);
    c.text = w[2];
    c.numbers.resize(3);
    if (c.text.empty())
        return Fail("expect file needs a path");
    if (!Int(w[4], "width", 1, 65535, c.numbers[0]) || !Int(w[5], "height", 1, 65535, c.numbers[1])
        || !Int(w[6], "bits per pixel", 1, 32, c.numbers[2]))
        return false;
    return true;
}

bool Reader::ExpectNoFile(const Words& w)
{
    if (w.size() != 3 || w[2].empty())
        return Fail("usage: expect nofile PATH");
    Add(Verb::ExpectNoFile).text = w[2];
    return true;
}

bool Reader::ExpectWindow(const Words& w)
{
    if (w.size() != 4 && w.size() != 8)
        return Fail("usage: expect window TEMPLATE|\"NAME\" visible|hidden|absent [X Y W H]");
    Command& c = Add(Verb::ExpectWindow);
    c.numbers.resize(5);
    // A number names a dialog by its template; anything else is a window
    // name.
    long long id = 0;
    c.byTemplate = ParseInt(w[2], id);
    if (c.byTemplate && !Int(w[2], "template", 1, 65535, c.numbers[0]))
        return false;
    if (!c.byTemplate)
        c.text = w[2];
    if (w[3] == "visible")
        c.visibility = Visibility::Visible;
    else if (w[3] == "hidden")
        c.visibility = Visibility::Hidden;
    else if (w[3] == "absent")
        c.visibility = Visibility::Absent;
    else
        return Fail("\"" + w[3] + "\" is none of visible, hidden, absent");
    if (w.size() == 8) {
        if (c.visibility == Visibility::Absent)
            return Fail("an absent window has no rectangle");
        c.withRect = true;
        return Int(w[4], "X", -65536, 65536, c.numbers[1]) && Int(w[5], "Y", -65536, 65536, c.numbers[2])
            && Int(w[6], "W", 0, 65536, c.numbers[3]) && Int(w[7], "H", 0, 65536, c.numbers[4]);
    }
    return true;
}

bool Reader::ExpectSetting(const Words& w)
{
    if (w.size() != 4)
        return Fail("usage: expect setting penwidth|colour|alpha|linetype VALUE");
    Command& c = Add(Verb::ExpectSetting);
    c.numbers.resize(1);
    const std::string& name = w[2];
    if (name == "colour") {
        c.setting = Setting::Colour;
        if (!ParseRgb(w[3], c.rgb))
            return Fail("colour \"" + w[3] + "\" is not RRGGBB");
        return true;
    }
    if (name == "penwidth") {
        c.setting = Setting::PenWidth;
        return Int(w[3], "pen width", 0, 1000, c.numbers[0]);
    }
    if (name == "alpha") {
        c.setting = Setting::Alpha;
        return Int(w[3], "opacity", 0, 100, c.numbers[0]);
    }
    if (name == "linetype") {
        c.setting = Setting::LineType;
        return Int(w[3], "line type", 0, 3, c.numbers[0]);
    }
    return Fail("unknown setting \"" + name + "\": penwidth, colour, alpha or linetype");
}

bool Reader::ExpectTip(const Words& w)
{
    if (w.size() != 3)
        return Fail("usage: expect tip TEXT (quoted when it has blanks)");
    Add(Verb::ExpectTip).text = w[2];
    return true;
}

bool Reader::Print(const Words& w)
{
    if (w[1] != "windows")
        return Fail("usage: print windows");
    Add(Verb::PrintWindows);
    return true;
}

} // namespace

Camera DefaultCamera()
{
    Camera c;
    c.name = "Document Camera";
    c.sizes = { { 1280, 720 }, { 640, 480 } };
    c.fps = 30;
    c.controls = true;
    return c;
}

bool ReadScript(std::string_view text, Script& out, ScriptError& error)
{
    out = Script {};
    error = ScriptError {};
    Reader reader(out, error);
    int number = 0;
    while (!text.empty() || number == 0) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        Words words;
        std::string problem;
        if (!Tokenize(line, words, problem)) {
            error.line = number;
            error.message = problem;
            return false;
        }
        if (!words.empty() && !reader.Line(number, words))
            return false;
        if (text.empty())
            break;
    }
    return reader.Finish();
}

} // namespace play
