#include "tools/resgen/PaletteArt.h"

#include "tools/resgen/ButtonArt.h"
#include "tools/resgen/Canvas.h"
#include "tools/resgen/DialogLayout.h"
#include "tools/resgen/Paint.h"
#include "tools/resgen/Theme.h"
#include "tools/resgen/ToolGlyphs.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace resgen {

namespace {

constexpr int kWidth = 42;
constexpr int kHeight = 556;
constexpr int kTool = 32; // the tool buttons' pictures
constexpr int kSmall = 13; // MIN and CLOSE
constexpr int kHover = 35; // one picture of a hover button's strip

const DialogLayout& Layout()
{
    static const DialogLayout layout(102);
    return layout;
}

// A groove across the palette between two groups of buttons: a dark line
// over a light one, between the bottom of one control and the top of the
// next.
void Groove(cairo_t* cr, int above, int below)
{
    const int y = (above + below) / 2 - 1;
    FillBox(cr, 7, y, kWidth - 7, y + 1, theme::kChromeEdge);
    FillBox(cr, 7, y + 1, kWidth - 7, y + 2, theme::kChromeLine);
}

std::unique_ptr<gdi::Surface> DrawSkin()
{
    const DialogLayout& at = Layout();
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr();
    Panel(cr, 0, 0, kWidth, kHeight, 7, theme::kChrome, theme::kChromeEdge);

    // A darker title band holds the auto-hide and close buttons; the rest
    // of the palette is one surface with grooves between the groups.
    const int bandBottom = (at.At(1015).y + kSmall + at.At(1003).y) / 2;
    cairo_save(cr);
    RoundedRect(cr, 1, 1, kWidth - 2, kHeight - 2, 6);
    cairo_clip(cr);
    FillBox(cr, 0, 0, kWidth, bandBottom, theme::kChromeHeader);
    FillBox(cr, 0, bandBottom, kWidth, bandBottom + 1, theme::kChromeEdge);
    FillBox(cr, 0, bandBottom + 1, kWidth, bandBottom + 2, theme::kChromeLine);
    cairo_restore(cr);
    Groove(cr, at.At(1003).y + kHover, at.At(1001).y);
    Groove(cr, at.At(1007).y + kTool, at.At(1021).y);
    Groove(cr, at.At(1023).y + kHover, at.At(1008).y);
    return canvas.ToKeyedSurface(theme::kKey);
}

ButtonPlace PlaceOf(WORD control) { return ButtonPlace { PaletteSkin(), Layout().At(control), theme::kChrome }; }

// The bitmap buttons, by caption: their control and their symbol.
struct ToolButton {
    const char* caption;
    WORD control;
    std::function<void(cairo_t*, std::uint32_t ink, std::uint32_t ground)> symbol;
};

const std::vector<ToolButton>& ToolButtons()
{
    constexpr double c = kTool / 2.0;
    static const std::vector<ToolButton> all = {
        { "PEN", 1001, [](cairo_t* cr, std::uint32_t, std::uint32_t) { PencilSymbol(cr, c, c, 24); } },
        { "LINE", 1006, [](cairo_t* cr, std::uint32_t ink, std::uint32_t) { LineSymbol(cr, c, c, 22, ink); } },
        { "RECTANGLE", 1002,
            [](cairo_t* cr, std::uint32_t ink, std::uint32_t) { RectangleSymbol(cr, c, c, 18, 12, false, ink); } },
        { "MCIRCLE", 1004,
            [](cairo_t* cr, std::uint32_t ink, std::uint32_t) { EllipseSymbol(cr, c, c, 8, 8, false, ink); } },
        { "ECLIPSE", 1005,
            [](cairo_t* cr, std::uint32_t ink, std::uint32_t) { EllipseSymbol(cr, c, c, 10, 6.5, false, ink); } },
        { "RECTFILL", 1010,
            [](cairo_t* cr, std::uint32_t ink, std::uint32_t) { RectangleSymbol(cr, c, c, 18, 12, true, ink); } },
        { "MCIRCLEFILL", 1011,
            [](cairo_t* cr, std::uint32_t ink, std::uint32_t) { EllipseSymbol(cr, c, c, 8, 8, true, ink); } },
        { "ECLIPSEFILL", 1012,
            [](cairo_t* cr, std::uint32_t ink, std::uint32_t) { EllipseSymbol(cr, c, c, 10, 6.5, true, ink); } },
        { "ERASE", 1007, [](cairo_t* cr, std::uint32_t, std::uint32_t) { EraserSymbol(cr, c, c, 22); } },
        { "COLOR", 1009,
            [](cairo_t* cr, std::uint32_t, std::uint32_t ground) { ColourWheelSymbol(cr, c, c, 10, ground); } },
        { "SAVE", 1013, [](cairo_t* cr, std::uint32_t, std::uint32_t) { DiskSymbol(cr, c, c, 20); } },
    };
    return all;
}

std::unique_ptr<gdi::Surface> ToolPicture(const ToolButton& button, Look look)
{
    return ButtonPicture(PlaceOf(button.control), kTool, kTool, look, [&](cairo_t* cr, Look l, int w, int h) {
        const FaceColors colors = DarkGround(cr, l, 1, 1, w - 1, h - 1, 5);
        button.symbol(cr, colors.ink, colors.ground);
    });
}

// CLOSE turns red when pressed, as closing buttons do.
std::unique_ptr<gdi::Surface> ClosePicture(Look look)
{
    return ButtonPicture(PlaceOf(1000), kSmall, kSmall, look, [](cairo_t* cr, Look l, int w, int h) {
        std::uint32_t ink = theme::kInkDim;
        if (l == Look::Pressed) {
            Panel(cr, 0, 0, w, h, 3, theme::kCloseRed, kNoColor);
            ink = 0xFFFFFF;
        }
        CrossSymbol(cr, w / 2.0, h / 2.0, 6, ink);
    });
}

// The auto-hide button's pictures: 161 is its resting face (auto-hide off),
// 160 the lit face that shows it pressed or auto-hide on.
std::unique_ptr<gdi::Surface> AutoHidePicture(Look look)
{
    return ButtonPicture(PlaceOf(1015), kSmall, kSmall, look, [](cairo_t* cr, Look l, int w, int h) {
        std::uint32_t ink = theme::kInkDim;
        if (l == Look::Pressed) {
            Panel(cr, 0, 0, w, h, 3, theme::kAccent, kNoColor);
            ink = 0xFFFFFF;
        }
        DockSymbol(cr, w / 2.0, h / 2.0, 8, ink);
    });
}

using StripSymbol = std::function<void(cairo_t*, const FaceColors&)>;

std::unique_ptr<gdi::Surface> HoverStrip(WORD control, const StripSymbol& symbol)
{
    return ButtonStrip(PlaceOf(control), kHover, kHover,
        [&](cairo_t* cr, Look look, int w, int h) { symbol(cr, DarkGround(cr, look, 2, 1, w - 2, h - 1, 6)); });
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

} // namespace

const gdi::Surface& PaletteSkin()
{
    static const std::unique_ptr<gdi::Surface> skin = DrawSkin();
    return *skin;
}

std::vector<Resource> PaletteResources()
{
    constexpr double c = kHover / 2.0;
    std::vector<Resource> out;
    out.push_back(SkinResource("157", "palette.bmp",
        "The tool palette's skin: a dark rounded strip, yellow (cut away) outside it.", PaletteSkin));
    out.push_back(BitmapResource("160", "palette_autohide_on.bmp",
        "The palette's auto-hide button, lit: pressed, or auto-hide on.",
        [] { return AutoHidePicture(Look::Pressed); }));
    out.push_back(BitmapResource("161", "palette_autohide_off.bmp",
        "The palette's auto-hide button at rest: an arrow to the screen's edge.",
        [] { return AutoHidePicture(Look::Normal); }));
    for (const ToolButton& b : ToolButtons()) {
        const std::string file = "palette_" + Lower(b.caption);
        out.push_back(BitmapResource(std::string(b.caption) + "U", file + "_up.bmp",
            std::string("The palette's ") + b.caption + " button, up.", [&b] { return ToolPicture(b, Look::Normal); }));
        out.push_back(BitmapResource(std::string(b.caption) + "D", file + "_down.bmp",
            std::string("The palette's ") + b.caption + " button, pressed.",
            [&b] { return ToolPicture(b, Look::Pressed); }));
    }
    out.push_back(BitmapResource("CLOSEU", "palette_close_up.bmp", "The palette's CLOSE button, up: a cross.",
        [] { return ClosePicture(Look::Normal); }));
    out.push_back(BitmapResource("CLOSED", "palette_close_down.bmp", "The palette's CLOSE button, pressed: red.",
        [] { return ClosePicture(Look::Pressed); }));

    struct Strip {
        const char* id;
        WORD control;
        const char* file;
        const char* about;
        StripSymbol symbol;
    };
    const Strip strips[] = {
        { "181", 1021, "palette_line_type.bmp", "The line type button: wavy, dashed and arrow lines.",
            [](cairo_t* cr, const FaceColors& f) { LineKindsSymbol(cr, c, c, 21, f.ink); } },
        { "187", 1022, "palette_opacity.bmp", "The transparency button: a see-through disc over a checkerboard.",
            [](cairo_t* cr, const FaceColors&) { OpacitySymbol(cr, c, c, 21); } },
        { "193", 1003, "palette_to_still.bmp", "The mode switch in live video mode: a still camera with a pen.",
            [](cairo_t* cr, const FaceColors& f) { StillCameraSymbol(cr, c, c - 2, f.ink, f.ground); } },
        { "194", 1003, "palette_to_video.bmp", "The mode switch in still picture mode: a video camera with a pen.",
            [](cairo_t* cr, const FaceColors& f) { VideoCameraSymbol(cr, c, c - 1, f.ink, f.ground); } },
        { "195", 1023, "palette_blink_on.bmp", "The blink button while blinking: a grey lightning flash.",
            [](cairo_t* cr, const FaceColors&) { LightningSymbol(cr, c, c, 23, 0x9AA1A9, 0x5A6169); } },
        { "196", 1023, "palette_blink_off.bmp", "The blink button, not blinking: a yellow lightning flash.",
            [](cairo_t* cr, const FaceColors&) { LightningSymbol(cr, c, c, 23, theme::kAmber, 0xB0761A); } },
    };
    for (const Strip& s : strips)
        out.push_back(BitmapResource(s.id, s.file, std::string(s.about) + " Normal, pressed, highlighted.",
            [control = s.control, symbol = s.symbol] { return HoverStrip(control, symbol); }));
    return out;
}

} // namespace resgen
