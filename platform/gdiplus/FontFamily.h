#pragma once

// A font family: the name the program asked for and the installed face
// that fontconfig resolved it to, through the aliases of FontAliases.cpp.

#include "platform/gdiplus/GdiPlusFlat.h"

#include <fontconfig/fontconfig.h>

#include <string>

struct GpFontFamily {
    GpFontFamily(std::u16string name, FcPattern* face);
    ~GpFontFamily();
    GpFontFamily(const GpFontFamily&) = delete;
    GpFontFamily& operator=(const GpFontFamily&) = delete;

    std::u16string name; // as asked for, which is what GdipGetFamilyName gives back
    FcPattern* face; // the matched font of regular style, with its file and charset
};

namespace gdiplus {

// The installed face for a family name in the given style (FontStyleBold,
// FontStyleItalic), ready to render: with its file, index and any synthetic
// emboldening or slant. Null when nothing installed really carries the name
// or one of its aliases, that is, when fontconfig could only offer its
// last-resort default. The caller owns the pattern.
FcPattern* ResolveFace(const std::string& familyUtf8, int style);

} // namespace gdiplus
