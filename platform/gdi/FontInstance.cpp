#include "platform/gdi/FontInstance.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/text/FaceResolver.h"

#include <algorithm>
#include <cmath>

namespace gdi {

namespace {

constexpr int kDefaultCellHeight = 16;
constexpr const char* kFallbackFaces[] = { "MS Shell Dlg", "sans-serif" };

// TEXTMETRIC's pitch and family bits: set "fixed pitch" means variable.
constexpr BYTE kVariablePitch = 0x01;
constexpr BYTE kVector = 0x02;
constexpr BYTE kTrueType = 0x04;

int Round(double v) { return static_cast<int>(std::lround(v)); }

// Layouts made for the desktop's Song face (dialogs in dialog units, text
// placed by its cell height) assume that face's line: 220/256 of the em
// above the baseline and 36/256 below, so that a 12-pixel font has a
// 12-pixel cell. The face that stands in for it keeps its own glyphs but
// takes that line, or every dialog laid out in it grows by a pixel a row.
bool IsSongName(const std::string& face)
{
    static const char* const kSongNames[] = { "宋体", "SimSun", "新宋体", "NSimSun" };
    for (const char* name : kSongNames)
        if (face == name)
            return true;
    return false;
}

// The advance of one character in the scaled font, in whole pixels.
int AdvanceOf(cairo_scaled_font_t* font, char c)
{
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    int advance = 0;
    if (cairo_scaled_font_text_to_glyphs(font, 0, 0, &c, 1, &glyphs, &count, nullptr, nullptr, nullptr)
            == CAIRO_STATUS_SUCCESS
        && count == 1) {
        cairo_text_extents_t e;
        cairo_scaled_font_glyph_extents(font, glyphs, 1, &e);
        advance = Round(e.x_advance);
    }
    cairo_glyph_free(glyphs);
    return advance;
}

} // namespace

std::shared_ptr<const FontInstance> FontInstance::Of(Font& font)
{
    if (font.instance)
        return font.instance;
    const int style = (font.weight >= 600 ? text::kStyleBold : 0) | (font.italic ? text::kStyleItalic : 0);
    FcPattern* resolved = font.face.empty() ? nullptr : text::ResolveFace(font.face, style);
    std::string name = font.face;
    for (const char* fallback : kFallbackFaces) {
        if (resolved)
            break;
        resolved = text::ResolveFace(fallback, style);
        if (name.empty())
            name = fallback;
    }
    if (!resolved)
        return nullptr;
    std::shared_ptr<FontInstance> made(new FontInstance);
    made->name_ = std::move(name);
    const bool ok = made->Realize(font, resolved);
    FcPatternDestroy(resolved);
    if (!ok)
        return nullptr;
    font.instance = std::move(made);
    return font.instance;
}

std::shared_ptr<const FontInstance> FontInstance::OfDc(const DeviceContext& dc)
{
    Font* font = dc.font ? dc.font : ObjectAs<Font>(GetStockObject(DEFAULT_GUI_FONT));
    return font ? Of(*font) : nullptr;
}

FontInstance::~FontInstance()
{
    if (measuring_)
        cairo_scaled_font_destroy(measuring_);
    if (face_)
        cairo_font_face_destroy(face_);
}

bool FontInstance::Realize(const Font& font, FcPattern* resolved)
{
    face_ = text::CreateCairoFace(resolved);
    if (cairo_font_face_status(face_) != CAIRO_STATUS_SUCCESS)
        return false;

    // The design metrics do not depend on the size: read them at any size.
    cairo_scaled_font_t* probe = text::CreateScaledFont(face_, 1.0, RenderingFor(false));
    text::DesignMetrics d;
    const bool outline = cairo_scaled_font_status(probe) == CAIRO_STATUS_SUCCESS && text::ReadDesignMetrics(probe, d)
        && d.ascent + d.descent > 0;
    cairo_scaled_font_destroy(probe);
    if (!outline)
        return false;
    if (IsSongName(font.face)) {
        keepsInkInCell_ = true;
        d.ascent = d.unitsPerEm * 220.0 / 256.0;
        d.descent = d.unitsPerEm * 36.0 / 256.0;
    }

    int ascent, descent;
    if (font.height < 0) {
        em_ = -font.height;
        ascent = Round(d.ascent * em_ / d.unitsPerEm);
        descent = Round(d.descent * em_ / d.unitsPerEm);
    } else {
        const int cell = font.height > 0 ? font.height : kDefaultCellHeight;
        em_ = std::max(1, Round(cell * d.unitsPerEm / (d.ascent + d.descent)));
        ascent = Round(cell * d.ascent / (d.ascent + d.descent));
        descent = cell - ascent;
    }
    measuring_ = text::CreateScaledFont(face_, em_, RenderingFor(false));
    if (cairo_scaled_font_status(measuring_) != CAIRO_STATUS_SUCCESS)
        return false;

    const double scale = em_ / d.unitsPerEm;
    TEXTMETRIC& tm = metrics_;
    tm.tmHeight = ascent + descent;
    tm.tmAscent = ascent;
    tm.tmDescent = descent;
    tm.tmInternalLeading = tm.tmHeight - static_cast<LONG>(em_);
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = AdvanceOf(measuring_, 'x');
    tm.tmMaxCharWidth = std::max<LONG>(Round(d.maxAdvance * scale), tm.tmAveCharWidth);
    tm.tmWeight = font.weight > 0 ? font.weight : FW_NORMAL;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = 0x3000;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = font.italic ? 1 : 0;
    tm.tmUnderlined = font.underline ? 1 : 0;
    tm.tmStruckOut = font.strikeOut ? 1 : 0;
    tm.tmPitchAndFamily = static_cast<BYTE>((d.fixedPitch ? 0 : kVariablePitch) | kVector | kTrueType);

    // A face that carries Han characters is a Chinese face when the font
    // did not ask for a character set of its own.
    FcCharSet* chars = nullptr;
    const bool han = FcPatternGetCharSet(resolved, FC_CHARSET, 0, &chars) == FcResultMatch
        && FcCharSetHasChar(chars, 0x5B8B); // 宋
    tm.tmCharSet = font.charSet != DEFAULT_CHARSET ? font.charSet : han ? GB2312_CHARSET : ANSI_CHARSET;

    // The lines stay inside the cell: the underline above its bottom, the
    // strike-out line below its top.
    underlineThickness_ = std::max(1, Round(d.underlineThickness * scale));
    underlineOffset_ = std::clamp(Round(d.underlinePosition * scale), 1, std::max(1, descent - underlineThickness_));
    strikeoutThickness_ = std::max(1, Round(d.strikeoutThickness * scale));
    strikeoutOffset_ = -std::clamp(Round(d.strikeoutPosition * scale), 1, std::max(1, ascent - 1));
    return true;
}

text::LineMetrics FontInstance::Lines() const
{
    return text::LineMetrics { static_cast<double>(metrics_.tmAscent), static_cast<double>(metrics_.tmDescent),
        static_cast<double>(metrics_.tmHeight) };
}

} // namespace gdi
