#include "tools/resgen/Lettering.h"

#include "platform/text/FaceResolver.h"
#include "platform/text/ScaledFont.h"

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace resgen {

namespace {

// Grey-level edges over hinted outlines: crisp stems at small sizes without
// the jagged look of bi-level glyphs.
constexpr text::Rendering kRendering { true, true };

} // namespace

Lettering::Lettering(const std::string& family, double pixels, bool bold)
    : face_(nullptr)
    , measuring_(nullptr)
    , pixels_(pixels)
{
    FcPattern* resolved = text::ResolveFace(family, bold ? text::kStyleBold : 0);
    if (!resolved)
        throw std::runtime_error("no installed face for the font \"" + family + "\"");
    face_ = text::CreateCairoFace(resolved);
    FcPatternDestroy(resolved);
    measuring_ = text::CreateScaledFont(face_, pixels, kRendering);
    if (cairo_scaled_font_status(measuring_) != CAIRO_STATUS_SUCCESS) {
        cairo_scaled_font_destroy(measuring_);
        cairo_font_face_destroy(face_);
        throw std::runtime_error("cannot render the font \"" + family + "\"");
    }
    cairo_font_extents_t font;
    cairo_scaled_font_extents(measuring_, &font);
    ascent_ = static_cast<int>(std::lround(font.ascent));
    descent_ = static_cast<int>(std::lround(font.descent));
    cairo_text_extents_t ink;
    cairo_scaled_font_text_extents(measuring_, "中", &ink);
    inkHeight_ = static_cast<int>(std::lround(-ink.y_bearing));
}

Lettering::~Lettering()
{
    cairo_scaled_font_destroy(measuring_);
    cairo_font_face_destroy(face_);
}

int Lettering::Width(const std::string& text) const
{
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(measuring_, text.c_str(), &extents);
    return static_cast<int>(std::lround(extents.x_advance));
}

void Lettering::Draw(cairo_t* cr, const std::string& text, double x, double baseline) const
{
    cairo_save(cr);
    text::UseFont(cr, face_, pixels_, kRendering);
    cairo_move_to(cr, std::round(x), std::round(baseline));
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
    cairo_restore(cr);
}

int Lettering::BaselineFor(double cy) const { return static_cast<int>(std::floor(cy + inkHeight_ / 2.0 + 0.5)); }

void Lettering::DrawCentred(cairo_t* cr, const std::string& text, double cx, double cy) const
{
    Draw(cr, text, std::floor(cx - Width(text) / 2.0 + 0.5), BaselineFor(cy));
}

const Lettering& InterfaceFont(int pixels, bool bold)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<Lettering>> made;
    std::unique_ptr<Lettering>& font = made[{ pixels, bold }];
    if (!font)
        font = std::make_unique<Lettering>("MS Shell Dlg", pixels, bold);
    return *font;
}

} // namespace resgen
