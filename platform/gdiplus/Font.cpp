#include "platform/gdiplus/Font.h"

#include <utility>

GpFont::GpFont(cairo_font_face_t* f, double em, std::u16string family, int s)
    : face(f)
    , emPixels(em)
    , familyName(std::move(family))
    , style(s)
{
}

GpFont::~GpFont() { cairo_font_face_destroy(face); }

namespace gdiplus {

double PixelsPerFontUnit(Unit unit)
{
    constexpr double kDpi = 96.0;
    switch (unit) {
    case UnitWorld:
    case UnitPixel:
        return 1.0;
    case UnitPoint:
        return kDpi / 72.0;
    case UnitInch:
        return kDpi;
    case UnitDocument:
        return kDpi / 300.0;
    case UnitMillimeter:
        return kDpi / 25.4;
    default:
        return 0.0;
    }
}

} // namespace gdiplus
