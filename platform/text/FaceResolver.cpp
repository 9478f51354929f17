#include "platform/text/FaceResolver.h"

#include "platform/text/FontAliases.h"

#include <cairo-ft.h>

#include <vector>

namespace text {

namespace {

// The families a name stands for: itself and whatever the configuration
// bound strongly to it (our aliases, metric-compatible aliases). The
// last-resort defaults that fontconfig appends are bound weakly.
std::vector<std::string> StrongFamilies(FcPattern* substituted)
{
    std::vector<std::string> out;
    FcValue v;
    FcValueBinding binding;
    for (int i = 0; FcPatternGetWithBinding(substituted, FC_FAMILY, i, &v, &binding) == FcResultMatch; ++i) {
        if (binding == FcValueBindingStrong && v.type == FcTypeString)
            out.emplace_back(reinterpret_cast<const char*>(v.u.s));
    }
    return out;
}

bool CarriesOneOf(FcPattern* font, const std::vector<std::string>& families)
{
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        for (const std::string& wanted : families) {
            if (FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(wanted.c_str())) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

FcPattern* ResolveFace(const std::string& family, int style)
{
    if (family.empty())
        return nullptr;
    LoadFontAliases();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & kStyleBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & kStyleItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcPattern* prepared = nullptr;
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        if (CarriesOneOf(match, StrongFamilies(pattern)))
            prepared = FcFontRenderPrepare(nullptr, pattern, match);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return prepared;
}

cairo_font_face_t* CreateCairoFace(FcPattern* resolved)
{
    FcPattern* minimal = FcPatternCreate();
    for (const char* object : { FC_FILE, FC_INDEX, FC_FAMILY, FC_EMBOLDEN, FC_MATRIX }) {
        FcValue v;
        for (int i = 0; FcPatternGet(resolved, object, i, &v) == FcResultMatch; ++i)
            FcPatternAdd(minimal, object, v, FcTrue);
    }
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(minimal);
    FcPatternDestroy(minimal);
    return face;
}

} // namespace text
