#include "platform/text/ScaledFont.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace text {

namespace {

cairo_font_options_t* OptionsFor(Rendering r)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, r.antiAlias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, r.gridFit ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, r.gridFit ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
    return options;
}

} // namespace

void UseFont(cairo_t* cr, cairo_font_face_t* face, double emPixels, Rendering rendering)
{
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, emPixels);
    cairo_font_options_t* options = OptionsFor(rendering);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

cairo_scaled_font_t* CreateScaledFont(cairo_font_face_t* face, double emPixels, Rendering rendering)
{
    cairo_matrix_t size, identity;
    cairo_matrix_init_scale(&size, emPixels, emPixels);
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = OptionsFor(rendering);
    cairo_scaled_font_t* font = cairo_scaled_font_create(face, &size, &identity, options);
    cairo_font_options_destroy(options);
    return font;
}

bool ReadDesignMetrics(cairo_scaled_font_t* font, DesignMetrics& out)
{
    if (cairo_scaled_font_get_type(font) != CAIRO_FONT_TYPE_FT)
        return false;
    FT_Face face = cairo_ft_scaled_font_lock_face(font);
    if (!face)
        return false;
    const bool outline = FT_IS_SCALABLE(face) && face->units_per_EM > 0;
    if (outline) {
        out.unitsPerEm = face->units_per_EM;
        out.ascent = face->ascender;
        out.descent = -face->descender;
        // The Windows line metrics, which is what a desktop program's
        // layout was made for, where the face carries them.
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
            out.ascent = os2->usWinAscent;
            out.descent = os2->usWinDescent;
        }
        if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
            out.strikeoutPosition = os2->yStrikeoutPosition;
            out.strikeoutThickness = os2->yStrikeoutSize;
        } else {
            // Faces without the table: a quarter of the em up, as thick as
            // their underline.
            out.strikeoutPosition = face->units_per_EM / 4.0;
            out.strikeoutThickness = face->underline_thickness;
        }
        out.fixedPitch = FT_IS_FIXED_WIDTH(face);
        out.maxAdvance = face->max_advance_width;
        out.underlinePosition = -face->underline_position;
        out.underlineThickness = face->underline_thickness;
    }
    cairo_ft_scaled_font_unlock_face(font);
    return outline;
}

} // namespace text
