// libFuzzer target for the script reader (built by tools/fuzz.sh, not by
// the normal build): any bytes are read without a crash, and whatever the
// reader accepts keeps the promises the player relies on.

#include "tools/play/Script.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void Require(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// Whether a path has a ".." component.
bool HasParentStep(std::string_view path)
{
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string_view::npos)
            slash = path.size();
        if (path.substr(start, slash - start) == "..")
            return true;
        start = slash + 1;
    }
    return false;
}

void OnScreen(const play::Script& s, int x, int y) { Require(x >= 0 && y >= 0 && x < s.width && y < s.height); }

void CheckAccepted(const play::Script& s)
{
    Require(!s.commands.empty() && s.commands.front().verb == play::Verb::Start);
    Require(!(s.noCamera && !s.cameras.empty()));
    for (const play::Camera& c : s.cameras)
        Require(!c.name.empty() && (!c.sizes.empty() || !c.stillFile.empty()) && c.fps >= 1);
    int line = 0;
    for (const play::Command& c : s.commands) {
        Require(c.line > line);
        line = c.line;
        switch (c.verb) {
        case play::Verb::MouseMove:
        case play::Verb::ExpectPixel:
            OnScreen(s, c.numbers.at(0), c.numbers.at(1));
            break;
        case play::Verb::Drag:
            OnScreen(s, c.numbers.at(0), c.numbers.at(1));
            OnScreen(s, c.numbers.at(2), c.numbers.at(3));
            Require(c.numbers.at(4) >= 1);
            break;
        case play::Verb::Key:
            Require(!c.keys.empty());
            break;
        case play::Verb::Screenshot:
            Require(!c.text.empty() && c.text.front() != '/' && !HasParentStep(c.text));
            break;
        case play::Verb::Wheel:
            Require(c.numbers.at(0) != 0);
            break;
        case play::Verb::MouseDown:
        case play::Verb::MouseUp:
        case play::Verb::Click:
            Require(c.button == 1 || c.button == 3);
            break;
        default:
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    play::Script script;
    play::ScriptError error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (play::ReadScript(text, script, error))
        CheckAccepted(script);
    else
        Require(!error.message.empty());
    return 0;
}
