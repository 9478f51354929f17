#pragma once

// What the colour dialog knows apart from its windows: the basic palette,
// the sixteen custom colours, the colour being chosen (kept both as RGB and
// as hue, saturation and luminance, so that moving one HLS value never
// disturbs the others through rounding), which swatch is selected, and the
// slot the next "add to custom colours" fills.
//
// The basic palette is a grid of 8 columns by 6 rows. Columns are hues:
// red, orange, yellow, green, cyan, blue, purple and magenta (hues 0, 20,
// 40, 80, 120, 160, 180 and 200 of 240). The first five rows hold those hues
// fully saturated at luminance 200, 160, 120 (the pure colours), 80 and 40;
// the last row is eight greys from black to white in even steps.

#include "platform/window/ColorSpace.h"

#include <array>

namespace ws::dlg {

class ColorChooser {
public:
    static constexpr int kColumns = 8;
    static constexpr int kBasicCount = 48;
    static constexpr int kCustomCount = 16;

    enum class Kind { None, Basic, Custom };
    struct Swatch {
        Kind kind = Kind::None;
        int index = 0;
        bool operator==(const Swatch&) const = default;
    };

    static COLORREF Basic(int index);

    // custom: 16 colours, or null for 16 whites. Without rgbInit the colour
    // starts black, as if rgbInit had asked for black.
    ColorChooser(const COLORREF* custom, COLORREF initial, bool rgbInit);

    COLORREF Colour() const { return rgb_; }
    Hls HlsValue() const { return hls_; }
    const std::array<COLORREF, kCustomCount>& Custom() const { return custom_; }
    COLORREF SwatchColour(Swatch s) const;
    Swatch Selected() const { return selected_; }
    int NextCustomSlot() const { return nextSlot_; }

    // A swatch chosen: its colour becomes the colour; a custom swatch also
    // becomes the slot the next addition fills.
    void Select(Swatch s);
    // The colour set from RGB values (the RGB fields): the HLS values follow.
    void SetRgb(COLORREF rgb);
    // The colour set from HLS values (the HLS fields, the field and the bar):
    // RGB follows. Values are clamped to the scale.
    void SetHls(Hls hls);
    // Stores the colour in the next custom slot and moves on to the slot
    // after it (the sixteenth wraps to the first). Answers the slot filled.
    int AddCustom();

private:
    std::array<COLORREF, kCustomCount> custom_ {};
    COLORREF rgb_ = 0;
    Hls hls_ {};
    Swatch selected_ {};
    int nextSlot_ = 0;
};

} // namespace ws::dlg
