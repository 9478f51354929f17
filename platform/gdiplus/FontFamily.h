#pragma once

// A font family: the name the program asked for and the installed face
// that fontconfig resolved it to (text::ResolveFace).

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
