#pragma once

// What a script expects, checked against the running program: the screen's
// pixels, files the program wrote, its windows, the shared drawing settings
// and the red tip. Each check answers nothing when it holds, else "expected
// ..., got ...". Also the screenshot, as a PNG file.

#include "platform/gdi/Surface.h"
#include "tools/play/Script.h"

#include <filesystem>
#include <optional>
#include <string>

namespace play {

using Outcome = std::optional<std::string>;

Outcome CheckPixel(const gdi::Surface& screen, const Command& c);
// Paths relative to the output folder.
Outcome CheckFile(const Command& c, const std::filesystem::path& outDir);
Outcome CheckNoFile(const Command& c, const std::filesystem::path& outDir);
Outcome CheckWindow(const Command& c);
Outcome CheckSetting(const Command& c);
Outcome CheckTip(const Command& c);

// Writes the surface as a PNG picture, making the folders it needs.
bool WritePng(const gdi::Surface& screen, const std::filesystem::path& file);

std::string Hex(std::uint32_t rgb);

} // namespace play
