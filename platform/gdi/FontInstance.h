#pragma once

// A logical font made real: the installed face its name resolves to (the
// same lookup GDI+ uses, text::ResolveFace), its em size in whole pixels,
// and the metrics GDI answers for it.
//
// A negative lfHeight is the em size; a positive one is the cell height
// (ascent plus descent), which the face's Windows line metrics divide into
// ascent and descent, the em following in proportion; zero stands for a
// cell of 16 pixels. A name nothing installed carries falls back to the
// dialog font, as the desktop substitutes its default face.

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Text.h"
#include "platform/text/ScaledFont.h"
#include "platform/text/TextLayout.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <string>

namespace gdi {

class DeviceContext;

class FontInstance {
public:
    // The font's instance, made on first use and kept on the font; null
    // when no face at all could be found.
    static std::shared_ptr<const FontInstance> Of(Font& font);
    // The instance of the font selected into the DC (the stock GUI font
    // until another is selected).
    static std::shared_ptr<const FontInstance> OfDc(const DeviceContext& dc);

    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;
    ~FontInstance();

    cairo_font_face_t* Face() const { return face_; }
    double Em() const { return em_; }
    const TEXTMETRIC& Metrics() const { return metrics_; }
    // The face name GetTextFace answers.
    const std::string& Name() const { return name_; }
    // Lines of text: baseline at the ascent, one cell apart.
    text::LineMetrics Lines() const;
    // Anti-aliased glyphs, or bi-level ones for a monochrome target; both
    // grid-fitted to whole-pixel advances, as GDI draws.
    static text::Rendering RenderingFor(bool monochrome) { return text::Rendering { !monochrome, true }; }
    // The font that lays text out (and so measures it) for every target.
    cairo_scaled_font_t* Measuring() const { return measuring_; }

    // Offsets from the baseline (downwards positive) and thicknesses of the
    // underline and the strike-out line, in whole pixels.
    int UnderlineOffset() const { return underlineOffset_; }
    int UnderlineThickness() const { return underlineThickness_; }
    int StrikeoutOffset() const { return strikeoutOffset_; }
    int StrikeoutThickness() const { return strikeoutThickness_; }
    bool Underlined() const { return metrics_.tmUnderlined != 0; }
    bool StruckOut() const { return metrics_.tmStruckOut != 0; }
    // True when the font keeps to a line it borrowed from the face it stands
    // in for (the Song face's): its glyphs are then kept inside that cell,
    // as the original face's always are.
    bool KeepsInkInCell() const { return keepsInkInCell_; }

private:
    FontInstance() = default;
    bool Realize(const Font& font, FcPattern* resolved);

    cairo_font_face_t* face_ = nullptr;
    cairo_scaled_font_t* measuring_ = nullptr;
    double em_ = 0;
    TEXTMETRIC metrics_ {};
    std::string name_;
    int underlineOffset_ = 1;
    int underlineThickness_ = 1;
    int strikeoutOffset_ = 0;
    int strikeoutThickness_ = 1;
    bool keepsInkInCell_ = false;
};

} // namespace gdi
