#include "tools/resgen/PanelArt.h"

#include "tools/resgen/CameraGlyphs.h"
#include "tools/resgen/Canvas.h"
#include "tools/resgen/DialogLayout.h"
#include "tools/resgen/Lettering.h"
#include "tools/resgen/Paint.h"
#include "tools/resgen/SliderArt.h"
#include "tools/resgen/Theme.h"

#include <cmath>

namespace resgen {

namespace {

constexpr int kWidth = 200, kHeight = 145;
constexpr int kChannelWidth = 138, kChannelHeight = 13;
// The panel's sliders set their thumbs three pixels down.
constexpr int kThumbTop = 3;

std::unique_ptr<gdi::Surface> DrawSkin()
{
    static const DialogLayout layout(105);
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr();
    Flood(cr, theme::kChrome);
    FrameBox(cr, 0, 0, kWidth, kHeight, theme::kChromeEdge);
    FillBox(cr, 1, 1, kWidth - 1, 2, theme::kChromeLine);

    struct Row {
        WORD slider;
        const char* label;
        void (*symbol)(cairo_t*, double, double, std::uint32_t);
    };
    const Row rows[] = {
        { 1014, "亮度", SunSymbol },
        { 1015, "饱和度", DropSymbol },
        { 1016, "对比度", ContrastSymbol },
    };
    // Each row: its name above the slider's left end, and its symbol in
    // the margin, level with the middle of name and slider together.
    const Lettering& words = InterfaceFont(13);
    for (const Row& row : rows) {
        const POINT at = layout.At(row.slider);
        const int baseline = at.y - 3;
        const double top = baseline - words.InkHeight(), bottom = at.y + kThumbTop + 2 * kKnobMiddle;
        row.symbol(cr, at.x / 2.0, std::round((top + bottom) / 2), theme::kInk);
        SetColor(cr, theme::kInk);
        words.Draw(cr, row.label, at.x + 2, baseline);
    }
    return canvas.ToSurface();
}

} // namespace

std::vector<Resource> AdjustmentPanelResources()
{
    return {
        BitmapResource("163", "adjustment_panel.bmp",
            "The image adjustment panel's skin: dark grey with the names and symbols of brightness, saturation and "
            "contrast.",
            DrawSkin),
        BitmapResource("165", "adjustment_channel.bmp",
            "The adjustment sliders' channel; its top-left pixel's colour lets the panel show through.",
            [] { return DarkChannel(kChannelWidth, kChannelHeight, kThumbTop + kKnobMiddle); }),
    };
}

} // namespace resgen
