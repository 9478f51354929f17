#include "tools/resgen/PopupArt.h"

#include "tools/resgen/ButtonArt.h"
#include "tools/resgen/Canvas.h"
#include "tools/resgen/DialogLayout.h"
#include "tools/resgen/Lettering.h"
#include "tools/resgen/Paint.h"
#include "tools/resgen/Theme.h"
#include "tools/resgen/ToolGlyphs.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

// The line type chooser.
constexpr int kChooserWidth = 120, kChooserHeight = 180;
constexpr int kTypeWidth = 118, kTypeHeight = 45;

// The transparency chooser.
constexpr int kOpacityWidth = 230, kOpacityHeight = 150;
constexpr RECT kPreviewBox { 129, 65, 219, 105 }; // its frame lines at x 129, 218 and y 65, 104
constexpr int kFooterTop = 108;
constexpr std::uint32_t kFooter = 0xF3F5F7;
constexpr int kOkWidth = 48, kOkHeight = 22;
constexpr int kCancelWidth = 50, kCancelHeight = 24;
constexpr int kChannelWidth = 108, kChannelHeight = 12;
constexpr int kThumbSize = 12;

const gdi::Surface& LineTypeSkin()
{
    static const std::unique_ptr<gdi::Surface> skin = [] {
        Canvas canvas(kChooserWidth, kChooserHeight);
        Panel(canvas.cr(), 0, 0, kChooserWidth, kChooserHeight, 6, theme::kPaper, theme::kPaperEdge);
        return canvas.ToKeyedSurface(theme::kKey);
    }();
    return *skin;
}

using Stroke = void (*)(cairo_t*, double, double, double, double, double, std::uint32_t);

// One line type's strip: its stroke in a box at the left, its name beside
// it; checked, an orange tick at the right.
std::unique_ptr<gdi::Surface> LineTypeStrip(WORD control, Stroke stroke, const char* name)
{
    static const DialogLayout layout(179);
    const ButtonPlace place { LineTypeSkin(), layout.At(control), theme::kPaper };
    return ButtonStrip(place, kTypeWidth, kTypeHeight, [&](cairo_t* cr, Look look, int w, int h) {
        std::uint32_t text = theme::kText, line = 0x3A4048;
        if (look == Look::Pressed) {
            Panel(cr, 1, 2, w - 3, h - 3, 5, theme::kChrome, kNoColor);
            text = line = theme::kInk;
            cairo_move_to(cr, w - 16.5, h / 2.0);
            cairo_line_to(cr, w - 13, h / 2.0 + 4);
            cairo_line_to(cr, w - 7, h / 2.0 - 4.5);
            RoundPen(cr, 2.4, theme::kOrange);
            cairo_stroke(cr);
        } else if (look == Look::Hover) {
            Panel(cr, 1, 2, w - 3, h - 3, 5, theme::kHoverBlue, theme::kHoverBlueEdge);
            line = theme::kAccentDark;
        }
        stroke(cr, 12, h / 2.0 + 8, 46, h / 2.0 - 8, 2.2, line);
        SetColor(cr, text);
        InterfaceFont(14).Draw(cr, name, 56, InterfaceFont(14).BaselineFor(h / 2.0));
    });
}

const DialogLayout& OpacityLayout()
{
    static const DialogLayout layout(180);
    return layout;
}

std::unique_ptr<gdi::Surface> DrawOpacitySkin()
{
    const POINT slider = OpacityLayout().At(1024);
    Canvas canvas(kOpacityWidth, kOpacityHeight);
    cairo_t* cr = canvas.cr();
    Flood(cr, theme::kPaper);
    // A grey footer carries the buttons, as dialogs have it.
    FillBox(cr, 0, kFooterTop, kOpacityWidth, kOpacityHeight, kFooter);
    FillBox(cr, 0, kFooterTop, kOpacityWidth, kFooterTop + 1, theme::kPaperLine);
    FrameBox(cr, 0, 0, kOpacityWidth, kOpacityHeight, theme::kPaperEdge);

    const Lettering& words = InterfaceFont(13);
    SetColor(cr, theme::kText);
    words.Draw(cr, "滑动滑块改变透明度", 12, words.BaselineFor(17));
    FillBox(cr, 12, 32, kOpacityWidth - 12, 33, theme::kPaperLine);
    SetColor(cr, theme::kText);
    words.Draw(cr, "透明度:", 12, words.BaselineFor(slider.y + kChannelHeight / 2.0));
    const double boxMiddle = (kPreviewBox.top + kPreviewBox.bottom - 1) / 2.0;
    words.Draw(cr, "预览", kPreviewBox.left - 8 - words.Width("预览"), words.BaselineFor(boxMiddle));
    FrameBox(cr, kPreviewBox.left, kPreviewBox.top, kPreviewBox.right, kPreviewBox.bottom, theme::kPaperFrame);
    return canvas.ToSurface();
}

const gdi::Surface& OpacitySkin()
{
    static const std::unique_ptr<gdi::Surface> skin = DrawOpacitySkin();
    return *skin;
}

// OK is the blue default button; Cancel a plain one. Cancel's picture is
// two pixels wider and higher, so its face keeps OK's size and leaves the
// rest to the footer; both faces leave a pixel of footer round them.
std::unique_ptr<gdi::Surface> DialogButtonStrip(WORD control, int width, int height, const char* caption, bool primary)
{
    const ButtonPlace place { OpacitySkin(), OpacityLayout().At(control), kFooter };
    return ButtonStrip(place, width, height, [&](cairo_t* cr, Look look, int w, int) {
        const int faceWidth = kOkWidth - 2, faceHeight = kOkHeight - 2;
        const int x0 = (w - faceWidth) / 2;
        // Fills for the normal, pressed and highlighted looks.
        const std::uint32_t blue[] = { theme::kAccent, theme::kAccentDark, theme::kAccentLight };
        const std::uint32_t paper[] = { theme::kPaper, theme::kPaperPressed, theme::kHoverBlue };
        const auto i = static_cast<std::size_t>(look);
        const std::uint32_t fill = primary ? blue[i] : paper[i];
        std::uint32_t border = theme::kAccentDark;
        if (!primary)
            border = look == Look::Hover ? theme::kHoverBlueEdge : theme::kPaperFrame;
        const std::uint32_t text = primary ? 0xFFFFFF : theme::kText;
        Panel(cr, x0, 1, x0 + faceWidth, 1 + faceHeight, 4, fill, border);
        SetColor(cr, text);
        InterfaceFont(13).DrawCentred(cr, caption, x0 + faceWidth / 2.0, 1 + faceHeight / 2.0);
    });
}

// The channel: a groove that deepens from grey to blue, from see-through to
// opaque, on white, which the slider lets through.
std::unique_ptr<gdi::Surface> OpacityChannel()
{
    Canvas canvas(kChannelWidth, kChannelHeight);
    cairo_t* cr = canvas.cr();
    Flood(cr, theme::kPaper);
    cairo_pattern_t* ramp = cairo_pattern_create_linear(2, 0, kChannelWidth - 2, 0);
    cairo_pattern_add_color_stop_rgb(ramp, 0, 0xDD / 255.0, 0xE2 / 255.0, 0xE8 / 255.0);
    cairo_pattern_add_color_stop_rgb(ramp, 1, 0x2F / 255.0, 0x80 / 255.0, 0xED / 255.0);
    RoundedRect(cr, 2, 4, kChannelWidth - 4, 4, 2);
    cairo_set_source(cr, ramp);
    cairo_fill(cr);
    cairo_pattern_destroy(ramp);
    return canvas.ToSurface();
}

// The thumb: a blue knob with a light centre, on white.
std::unique_ptr<gdi::Surface> OpacityThumb()
{
    Canvas canvas(kThumbSize, kThumbSize);
    cairo_t* cr = canvas.cr();
    Flood(cr, theme::kPaper);
    cairo_arc(cr, 6, 6, 5, 0, 2 * M_PI);
    SetColor(cr, theme::kAccent);
    cairo_fill(cr);
    cairo_arc(cr, 6, 6, 2.2, 0, 2 * M_PI);
    SetColor(cr, 0xEEF4FD);
    cairo_fill(cr);
    return canvas.ToSurface();
}

std::unique_ptr<gdi::Surface> TipPicture()
{
    auto s = std::make_unique<gdi::Surface>(90, 30);
    for (int y = 0; y < s->Height(); ++y)
        std::fill(s->Row(y), s->Row(y) + s->Width(), theme::kTipRed);
    return s;
}

} // namespace

std::vector<Resource> PopupResources()
{
    const char* strip = " Normal, pressed or checked, highlighted.";
    return {
        BitmapResource("170", "tip.bmp", "The tip popup's picture: all red.", TipPicture),
        SkinResource("182", "line_type.bmp",
            "The line type chooser's skin: a white panel with a thin dark border, corners cut away.", LineTypeSkin),
        BitmapResource("183", "line_type_free.bmp", std::string("Line type 0: a wavy line, 任意线.") + strip,
            [] { return LineTypeStrip(1013, WavyStroke, "任意线"); }),
        BitmapResource("184", "line_type_straight.bmp", std::string("Line type 1: a slanted line, 直线.") + strip,
            [] { return LineTypeStrip(1014, StraightStroke, "直线"); }),
        BitmapResource("185", "line_type_dashed.bmp", std::string("Line type 2: a dashed line, 虚线.") + strip,
            [] { return LineTypeStrip(1015, DashedStroke, "虚线"); }),
        BitmapResource("186", "line_type_arrow.bmp", std::string("Line type 3: an arrow, 箭头.") + strip,
            [] { return LineTypeStrip(1016, ArrowStroke, "箭头"); }),
        SkinResource("188", "opacity.bmp", "The transparency chooser's skin: its words and the empty preview box.",
            OpacitySkin),
        BitmapResource("189", "opacity_ok.bmp", std::string("The transparency chooser's OK button.") + strip,
            [] { return DialogButtonStrip(1022, kOkWidth, kOkHeight, "确定", true); }),
        BitmapResource("190", "opacity_cancel.bmp", std::string("The transparency chooser's Cancel button.") + strip,
            [] { return DialogButtonStrip(1023, kCancelWidth, kCancelHeight, "取消", false); }),
        BitmapResource("191", "opacity_channel.bmp",
            "The transparency slider's channel; white, its top-left pixel, shows what lies behind.", OpacityChannel),
        BitmapResource("192", "opacity_thumb.bmp", "The transparency slider's thumb; white shows what lies behind.",
            OpacityThumb),
    };
}

} // namespace resgen
