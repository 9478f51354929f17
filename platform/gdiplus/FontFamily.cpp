#include "platform/gdiplus/FontFamily.h"

#include <utility>
#include <vector>

GpFontFamily::GpFontFamily(std::u16string n, FcPattern* f)
    : name(std::move(n))
    , face(f)
{
}

GpFontFamily::~GpFontFamily() { FcPatternDestroy(face); }

namespace gdiplus {

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

FcPattern* ResolveFace(const std::string& familyUtf8, int style)
{
    if (familyUtf8.empty())
        return nullptr;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyUtf8.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & FontStyleBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & FontStyleItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
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

} // namespace gdiplus
