#include "platform/gdiplus/FontFamily.h"

#include <utility>

GpFontFamily::GpFontFamily(std::u16string n, FcPattern* f)
    : name(std::move(n))
    , face(f)
{
}

GpFontFamily::~GpFontFamily() { FcPatternDestroy(face); }
