#pragma once

// The parts of the colour dialog it paints itself, right of the palettes:
// the hue/saturation field (hue across, saturation up, at the middle
// luminance) with a cross at the colour, the luminance bar for the colour's
// hue and saturation with an arrow at its luminance, and the preview. Also
// how a point on the field or the bar reads as a colour, and the look of a
// swatch. Positions are pixels of the dialog's client area.

#include "platform/window/ColorSpace.h"
#include "platform/window/WinUser.h"

#include <cstdint>
#include <vector>

namespace ws::dlg {

class ColorPicture {
public:
    static constexpr RECT kField { 248, 8, 448, 188 };
    static constexpr RECT kBar { 456, 8, 470, 188 };
    static constexpr RECT kPreview { 248, 196, 328, 248 };

    // Where a press works the field or the bar: the bar's arrow counts.
    static bool OnField(POINT p);
    static bool OnBar(POINT p);
    // The colour the point shows, from `current` (points outside are moved
    // to the nearest edge).
    static Hls AtField(POINT p, Hls current);
    static Hls AtBar(POINT p, Hls current);

    void Paint(HDC dc, Hls hls, COLORREF colour);
    // Marks everything that shows the colour for painting again.
    static void Invalidate(HWND dialog);

    // A swatch filling r: the colour inside a grey border three pixels in,
    // with a two-pixel black frame when selected, or the dotted focus frame.
    static void DrawSwatch(HDC dc, const RECT& r, COLORREF colour, bool selected, bool focused);

private:
    void PaintField(HDC dc, Hls hls);
    static void PaintBar(HDC dc, Hls hls);

    std::vector<std::uint32_t> field_; // made at the first painting; it never changes
};

} // namespace ws::dlg
