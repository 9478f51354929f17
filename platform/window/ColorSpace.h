#pragma once

// Colours as the colour dialog shows them: hue, saturation and luminance on
// a scale of 0 to 240 (hue wraps at 240, so it runs 0 to 239), converted to
// and from 8-bit RGB in integer arithmetic with rounding. Greys have no hue
// of their own; they are given 160, the hue of blue, as the original's
// dialog shows them.

#include "platform/win/WinTypes.h"

namespace ws::dlg {

inline constexpr int kHlsMax = 240;
inline constexpr int kGreyHue = kHlsMax * 2 / 3;

struct Hls {
    int hue = 0; // 0..239
    int sat = 0; // 0..240
    int lum = 0; // 0..240
    bool operator==(const Hls&) const = default;
};

Hls RgbToHls(COLORREF rgb);
// Values outside the scale are clamped first (hue 240 is hue 0).
COLORREF HlsToRgb(Hls hls);
Hls ClampHls(Hls hls);

} // namespace ws::dlg
