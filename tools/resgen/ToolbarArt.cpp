#include "tools/resgen/ToolbarArt.h"

#include "tools/resgen/ButtonArt.h"
#include "tools/resgen/CameraGlyphs.h"
#include "tools/resgen/Canvas.h"
#include "tools/resgen/DialogLayout.h"
#include "tools/resgen/Lettering.h"
#include "tools/resgen/Paint.h"
#include "tools/resgen/SliderArt.h"
#include "tools/resgen/Theme.h"
#include "tools/resgen/ToolGlyphs.h"

#include <functional>

namespace resgen {

namespace {

constexpr int kWidth = 1366;
constexpr int kHeight = 93;
constexpr int kBarTop = 53; // everything above is cut away
constexpr int kChannelWidth = 90, kChannelHeight = 13;
// The buttons' faces all take the height of the lowest pictures, whatever
// their picture's height, so that they line up.
constexpr int kFaceHeight = 22;

const DialogLayout& Layout()
{
    static const DialogLayout layout(104);
    return layout;
}

// The buttons: their control, strip, picture size, file and symbol.
struct Button {
    WORD control;
    const char* id;
    int width, height;
    const char* file;
    const char* about;
    std::function<void(cairo_t*, double cx, double cy, std::uint32_t ink)> symbol;
};

void Words(cairo_t* cr, const char* text, double cx, double cy, std::uint32_t ink, int pixels = 13)
{
    SetColor(cr, ink);
    InterfaceFont(pixels, true).DrawCentred(cr, text, cx, cy);
}

const std::vector<Button>& Buttons()
{
    static const std::vector<Button> all = {
        { 1013, "164", 42, 25, "toolbar_adjust.bmp", "Image adjustment: three slider bars.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { AdjustSymbol(cr, cx, cy, ink); } },
        { 1014, "167", 50, 27, "toolbar_high_definition.bmp", "A larger capture size: 高清.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { Words(cr, "高清", cx, cy, ink); } },
        { 1015, "168", 50, 27, "toolbar_high_speed.bmp", "A smaller capture size: 高速.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { Words(cr, "高速", cx, cy, ink); } },
        { 1019, "177", 29, 22, "toolbar_zoom_out.bmp", "Zoom out: a magnifier with a minus.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { MagnifierSymbol(cr, cx, cy, false, ink); } },
        { 1020, "176", 29, 22, "toolbar_zoom_in.bmp", "Zoom in: a magnifier with a plus.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { MagnifierSymbol(cr, cx, cy, true, ink); } },
        { 1021, "171", 38, 22, "toolbar_actual_size.bmp", "Actual size: 1:1.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { Words(cr, "1:1", cx, cy, ink); } },
        { 1022, "172", 38, 22, "toolbar_fit.bmp", "Fit to the screen: the corners of a screen.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { FitSymbol(cr, cx, cy, ink); } },
        { 1023, "178", 38, 22, "toolbar_turn_left.bmp", "Turn counter-clockwise: a turning arrow.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { TurnSymbol(cr, cx, cy, false, ink); } },
        { 1024, "173", 38, 22, "toolbar_turn_right.bmp", "Turn clockwise: a turning arrow.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { TurnSymbol(cr, cx, cy, true, ink); } },
        { 1025, "175", 40, 22, "toolbar_photo.bmp", "Take a photograph: a camera.",
            [](cairo_t* cr, double cx, double cy, std::uint32_t ink) { CameraSymbol(cr, cx, cy, ink); } },
    };
    return all;
}

const Button& ButtonOf(WORD control)
{
    for (const Button& b : Buttons())
        if (b.control == control)
            return b;
    throw std::logic_error("no toolbar button " + std::to_string(control));
}

int RightOf(WORD control) { return Layout().At(control).x + ButtonOf(control).width; }

// An upright groove between two groups of controls, in the middle of the
// gap from left to right.
void Divider(cairo_t* cr, int left, int right)
{
    const int x = (left + right) / 2, top = Layout().At(1013).y + 2;
    FillBox(cr, x, top, x + 1, top + kFaceHeight - 4, theme::kChromeEdge);
    FillBox(cr, x + 1, top, x + 2, top + kFaceHeight - 4, theme::kChromeLine);
}

std::unique_ptr<gdi::Surface> DrawSkin()
{
    const DialogLayout& at = Layout();
    const RECT combo = at.Rect(1018);
    const Lettering& label = InterfaceFont(13);
    const int labelWidth = label.Width("设备");
    const int barLeft = combo.left - labelWidth - 22;

    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr();
    // The bar runs on past the right edge, so only its left end is rounded.
    Panel(cr, barLeft, kBarTop, kWidth + 16, kHeight, 8, theme::kChrome, theme::kChromeEdge);
    // A darker rim runs along the top down to a few pixels above the
    // controls, so that they stand in the middle of the plain face below,
    // the colour their sliders let through.
    const int controlsTop = at.At(1013).y;
    cairo_save(cr);
    RoundedRect(cr, barLeft + 1, kBarTop + 1, kWidth, kHeight - kBarTop - 2, 7);
    cairo_clip(cr);
    FillBox(cr, barLeft, kBarTop, kWidth, controlsTop - 5, theme::kChromeHeader);
    FillBox(cr, barLeft, controlsTop - 5, kWidth, controlsTop - 4, theme::kChromeEdge);
    FillBox(cr, barLeft, kBarTop + 1, kWidth, kBarTop + 2, theme::kChromeLine);
    cairo_restore(cr);

    const double middle = controlsTop + kFaceHeight / 2.0;
    SetColor(cr, theme::kInkDim);
    label.Draw(cr, "设备", combo.left - labelWidth - 8, label.BaselineFor(middle));

    Divider(cr, combo.right, at.At(1013).x);
    Divider(cr, RightOf(1013), at.At(1014).x);
    Divider(cr, RightOf(1015), at.At(1019).x);
    Divider(cr, RightOf(1020), at.At(1021).x);
    Divider(cr, RightOf(1022), at.At(1023).x);
    Divider(cr, RightOf(1024), at.At(1025).x);

    // The camera function's caption fills the rest of the bar.
    const int captionLeft = RightOf(1025) + 14;
    Divider(cr, RightOf(1025), captionLeft);
    const Lettering& caption = InterfaceFont(16, true);
    const char* title = "实物展台";
    const int symbolWidth = 24;
    const int width = symbolWidth + 8 + caption.Width(title);
    const int left = (captionLeft + kWidth - width) / 2;
    DocumentCameraSymbol(cr, left + symbolWidth / 2.0, middle, theme::kInk, theme::kAccentLight);
    SetColor(cr, theme::kInk);
    caption.Draw(cr, title, left + symbolWidth + 8, caption.BaselineFor(middle));
    return canvas.ToKeyedSurface(theme::kKey);
}

const gdi::Surface& ToolbarSkin()
{
    static const std::unique_ptr<gdi::Surface> skin = DrawSkin();
    return *skin;
}

std::unique_ptr<gdi::Surface> Strip(const Button& b)
{
    const ButtonPlace place { ToolbarSkin(), Layout().At(b.control), theme::kChrome };
    // The faces keep clear of the strip's right and bottom edges, where
    // neighbouring buttons and the bar's end overlap them by a pixel or two.
    return ButtonStrip(place, b.width, b.height, [&](cairo_t* cr, Look look, int w, int) {
        const FaceColors colors = DarkGround(cr, look, 2, 1, w - 3, kFaceHeight - 1, 4);
        b.symbol(cr, (w - 1) / 2.0, kFaceHeight / 2.0, colors.ink);
    });
}

} // namespace

std::vector<Resource> ToolbarResources()
{
    const char* strip = " Normal, pressed, highlighted.";
    std::vector<Resource> out;
    out.push_back(SkinResource("162", "toolbar.bmp",
        "The camera toolbar's skin: a dark bar along the bottom, its caption at the right; yellow is cut away.",
        ToolbarSkin));
    for (const Button& b : Buttons())
        out.push_back(
            BitmapResource(b.id, b.file, std::string("Toolbar button. ") + b.about + strip, [&b] { return Strip(b); }));
    out.push_back(BitmapResource("166", "slider_thumb.bmp",
        "The camera sliders' thumb; its top-left pixel's colour lets the window show through.", DarkThumb));
    out.push_back(BitmapResource("169", "toolbar_channel.bmp",
        "The toolbar sliders' channel; its top-left pixel's colour lets the bar show through.",
        [] { return DarkChannel(kChannelWidth, kChannelHeight, kKnobMiddle); }));
    return out;
}

} // namespace resgen
