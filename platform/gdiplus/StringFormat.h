#pragma once

// A string format: where text sits in its layout rectangle, and whether it
// wraps and is clipped there.

#include "platform/gdiplus/GdiPlusFlat.h"

namespace gdiplus {

// The StringFormatFlags the layout honours.
inline constexpr INT kFormatMeasureTrailingSpaces = 0x00000800;
inline constexpr INT kFormatNoWrap = 0x00001000;
inline constexpr INT kFormatLineLimit = 0x00002000;
inline constexpr INT kFormatNoClip = 0x00004000;

} // namespace gdiplus

struct GpStringFormat {
    INT flags = 0;
    LANGID language = LANG_NEUTRAL;
    StringAlignment align = StringAlignmentNear; // along the line
    StringAlignment lineAlign = StringAlignmentNear; // across lines
};
