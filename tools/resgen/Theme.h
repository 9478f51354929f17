#pragma once

// The colours of the program's look, 0x00RRGGBB. The tool windows that
// stay on screen (palette, camera toolbar, adjustment panel) are dark, so
// that they recede beside the camera picture; the choosers that pop up for
// a moment are light, like paper. One blue marks what is pressed or chosen
// throughout.

#include <cstdint>

namespace resgen::theme {

// What the skins cut away: pure yellow, the skinned windows' key colour.
inline constexpr std::uint32_t kKey = 0xFFFF00;

// The dark tool windows.
inline constexpr std::uint32_t kChrome = 0x2D3238;
inline constexpr std::uint32_t kChromeHeader = 0x24282D;
inline constexpr std::uint32_t kChromeEdge = 0x15181C;
inline constexpr std::uint32_t kChromeLine = 0x474E57;
inline constexpr std::uint32_t kChromeHover = 0x424951;
inline constexpr std::uint32_t kGroove = 0x191C20;
inline constexpr std::uint32_t kInk = 0xE9ECEF;
inline constexpr std::uint32_t kInkDim = 0xA7AEB6;

// The light choosers.
inline constexpr std::uint32_t kPaper = 0xFFFFFF;
inline constexpr std::uint32_t kPaperEdge = 0x3A4048;
inline constexpr std::uint32_t kPaperLine = 0xE1E5EA;
inline constexpr std::uint32_t kPaperFrame = 0x9AA2AB;
inline constexpr std::uint32_t kPaperPressed = 0xE3E7EC;
inline constexpr std::uint32_t kText = 0x23272C;
inline constexpr std::uint32_t kTextDim = 0x5F6770;
inline constexpr std::uint32_t kHoverBlue = 0xDCEBFD;
inline constexpr std::uint32_t kHoverBlueEdge = 0xA6C8F5;

// Marks.
inline constexpr std::uint32_t kAccent = 0x2F80ED;
inline constexpr std::uint32_t kAccentDark = 0x1C62C8;
inline constexpr std::uint32_t kAccentLight = 0x5B9CF2;
inline constexpr std::uint32_t kOrange = 0xFF9A1F;
inline constexpr std::uint32_t kAmber = 0xFFC83D;
inline constexpr std::uint32_t kCloseRed = 0xE0474C;
// The tip's picture: every pixel this red (red 255, green 4, blue 2).
inline constexpr std::uint32_t kTipRed = 0xFF0402;

} // namespace resgen::theme
