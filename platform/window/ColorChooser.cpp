#include "platform/window/ColorChooser.h"

#include <cassert>

namespace ws::dlg {

namespace {

constexpr int kHues[ColorChooser::kColumns] = { 0, 20, 40, 80, 120, 160, 180, 200 };
constexpr int kLuminances[] = { 200, 160, 120, 80, 40 };
constexpr int kColourRows = 5;

} // namespace

COLORREF ColorChooser::Basic(int index)
{
    assert(index >= 0 && index < kBasicCount);
    int row = index / kColumns;
    int column = index % kColumns;
    if (row < kColourRows)
        return HlsToRgb(Hls { kHues[column], kHlsMax, kLuminances[row] });
    auto grey = static_cast<BYTE>((column * 255 + (kColumns - 1) / 2) / (kColumns - 1));
    return RGB(grey, grey, grey);
}

ColorChooser::ColorChooser(const COLORREF* custom, COLORREF initial, bool rgbInit)
{
    for (int i = 0; i < kCustomCount; ++i)
        custom_[static_cast<std::size_t>(i)] = custom ? custom[i] : RGB(255, 255, 255);
    SetRgb(rgbInit ? initial & 0x00FFFFFF : RGB(0, 0, 0));
    // The swatch that shows the starting colour, basic ones first.
    for (int i = 0; i < kBasicCount; ++i)
        if (Basic(i) == rgb_) {
            selected_ = Swatch { Kind::Basic, i };
            return;
        }
    for (int i = 0; i < kCustomCount; ++i)
        if (custom_[static_cast<std::size_t>(i)] == rgb_) {
            selected_ = Swatch { Kind::Custom, i };
            return;
        }
}

COLORREF ColorChooser::SwatchColour(Swatch s) const
{
    switch (s.kind) {
    case Kind::Basic:
        return Basic(s.index);
    case Kind::Custom:
        assert(s.index >= 0 && s.index < kCustomCount);
        return custom_[static_cast<std::size_t>(s.index)];
    case Kind::None:
        break;
    }
    return rgb_;
}

void ColorChooser::Select(Swatch s)
{
    SetRgb(SwatchColour(s));
    selected_ = s;
    if (s.kind == Kind::Custom)
        nextSlot_ = s.index;
}

void ColorChooser::SetRgb(COLORREF rgb)
{
    rgb_ = rgb & 0x00FFFFFF;
    hls_ = RgbToHls(rgb_);
    selected_ = Swatch {};
}

void ColorChooser::SetHls(Hls hls)
{
    hls_ = ClampHls(hls);
    rgb_ = HlsToRgb(hls_);
    selected_ = Swatch {};
}

int ColorChooser::AddCustom()
{
    int slot = nextSlot_;
    custom_[static_cast<std::size_t>(slot)] = rgb_;
    nextSlot_ = (slot + 1) % kCustomCount;
    return slot;
}

} // namespace ws::dlg
