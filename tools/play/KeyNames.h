#pragma once

// Key names as xdotool spells them (X keysyms: Home, Prior, Return, a, F5,
// ...) and its modifier combinations ("ctrl+s", "shift+Tab"), turned into
// the window system's virtual-key codes.

#include <string_view>
#include <vector>

namespace play {

// The keys to press in order (modifiers first, the key last), or an empty
// list when the name is not a key the player knows.
std::vector<unsigned> KeysFromName(std::string_view name);

} // namespace play
