#include "tools/play/KeyNames.h"

#include <cstddef>
#include <cstdint>

namespace play {

namespace {

// Virtual-key codes of the desktop API. Letters and digits are their own
// upper-case characters, F1 to F12 run from 0x70.
constexpr unsigned kShift = 0x10, kControl = 0x11, kAlt = 0x12;

struct Named {
    std::string_view name;
    unsigned vk;
};

constexpr Named kKeys[] = {
    { "BackSpace", 0x08 },
    { "Tab", 0x09 },
    { "Return", 0x0D },
    { "KP_Enter", 0x0D },
    { "Escape", 0x1B },
    { "space", 0x20 },
    { "Prior", 0x21 },
    { "Page_Up", 0x21 },
    { "Next", 0x22 },
    { "Page_Down", 0x22 },
    { "End", 0x23 },
    { "Home", 0x24 },
    { "Left", 0x25 },
    { "Up", 0x26 },
    { "Right", 0x27 },
    { "Down", 0x28 },
    { "Insert", 0x2D },
    { "Delete", 0x2E },
    { "Shift_L", kShift },
    { "Shift_R", kShift },
    { "Control_L", kControl },
    { "Control_R", kControl },
    { "Alt_L", kAlt },
    { "Alt_R", kAlt },
};

constexpr Named kModifiers[] = {
    { "shift", kShift },
    { "ctrl", kControl },
    { "control", kControl },
    { "alt", kAlt },
};

unsigned KeyCode(std::string_view name)
{
    for (const Named& k : kKeys)
        if (k.name == name)
            return k.vk;
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= 'a' && c <= 'z')
            return static_cast<unsigned>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return static_cast<unsigned>(c);
    }
    // F1 .. F12.
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        unsigned n = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9')
                return 0;
            n = n * 10 + static_cast<unsigned>(name[i] - '0');
        }
        if (n >= 1 && n <= 12)
            return 0x70 + n - 1;
    }
    return 0;
}

unsigned ModifierCode(std::string_view name)
{
    for (const Named& k : kModifiers)
        if (k.name == name)
            return k.vk;
    return 0;
}

} // namespace

std::vector<unsigned> KeysFromName(std::string_view name)
{
    std::vector<unsigned> keys;
    // Every part before the last '+' is a modifier; a lone "+" is no key.
    for (;;) {
        const std::size_t plus = name.find('+');
        if (plus == std::string_view::npos)
            break;
        const unsigned modifier = ModifierCode(name.substr(0, plus));
        if (!modifier)
            return {};
        keys.push_back(modifier);
        name.remove_prefix(plus + 1);
    }
    const unsigned key = KeyCode(name);
    if (!key)
        return {};
    keys.push_back(key);
    return keys;
}

} // namespace play
