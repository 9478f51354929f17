// Font families, fonts and string formats.

#include "platform/gdiplus/ApiCheck.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/FontFamily.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/text/FaceResolver.h"
#include "platform/text/Utf.h"

#include <algorithm>
#include <cmath>

using gdiplus::CheckCall;

// Styles pass straight through to the face lookup.
static_assert(FontStyleBold == text::kStyleBold && FontStyleItalic == text::kStyleItalic);

GpStatus GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* collection, GpFontFamily** family)
{
    if (GpStatus s = CheckCall(name, family); s != Ok)
        return s;
    // Private font collections cannot be made here, so only the installed
    // fonts (a null collection) can be searched.
    if (collection)
        return NotImplemented;
    std::u16string wanted(name);
    FcPattern* face = text::ResolveFace(text::Utf16ToUtf8(wanted), FontStyleRegular);
    if (!face)
        return FontFamilyNotFound;
    *family = new GpFontFamily(std::move(wanted), face);
    return Ok;
}

GpStatus GdipDeleteFontFamily(GpFontFamily* family)
{
    if (GpStatus s = CheckCall(family); s != Ok)
        return s;
    delete family;
    return Ok;
}

GpStatus GdipGetFamilyName(const GpFontFamily* family, WCHAR name[32], LANGID language)
{
    if (GpStatus s = CheckCall(family, name); s != Ok)
        return s;
    // The name as the program asked for it: an alias stays an alias.
    const std::size_t n = std::min<std::size_t>(family->name.size(), 31);
    std::copy_n(family->name.begin(), n, name);
    name[n] = 0;
    return Ok;
}

GpStatus GdipCreateFont(const GpFontFamily* family, REAL size, INT style, Unit unit, GpFont** font)
{
    if (GpStatus s = CheckCall(family, font); s != Ok)
        return s;
    const double perUnit = gdiplus::PixelsPerFontUnit(unit);
    if (!(size > 0) || !std::isfinite(size) || perUnit == 0
        || (style & ~FontStyleStrikeout & ~FontStyleUnderline & ~FontStyleBoldItalic) != 0)
        return InvalidParameter;
    if (style & (FontStyleUnderline | FontStyleStrikeout))
        return NotImplemented;
    FcPattern* face = text::ResolveFace(text::Utf16ToUtf8(family->name), style);
    if (!face)
        return FontFamilyNotFound;
    cairo_font_face_t* cairoFace = text::CreateCairoFace(face);
    FcPatternDestroy(face);
    if (cairo_font_face_status(cairoFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(cairoFace);
        return OutOfMemory;
    }
    *font = new GpFont(cairoFace, size * perUnit, family->name, style);
    return Ok;
}

GpStatus GdipDeleteFont(GpFont* font)
{
    if (GpStatus s = CheckCall(font); s != Ok)
        return s;
    delete font;
    return Ok;
}

GpStatus GdipCreateStringFormat(INT flags, LANGID language, GpStringFormat** format)
{
    if (GpStatus s = CheckCall(format); s != Ok)
        return s;
    *format = new GpStringFormat { flags, language, StringAlignmentNear, StringAlignmentNear };
    return Ok;
}

GpStatus GdipDeleteStringFormat(GpStringFormat* format)
{
    if (GpStatus s = CheckCall(format); s != Ok)
        return s;
    delete format;
    return Ok;
}

// Alignment along and across lines are set alike.
static GpStatus SetAlignment(GpStringFormat* format, StringAlignment align, StringAlignment GpStringFormat::*which)
{
    if (GpStatus s = CheckCall(format); s != Ok)
        return s;
    if (align < StringAlignmentNear || align > StringAlignmentFar)
        return InvalidParameter;
    format->*which = align;
    return Ok;
}

GpStatus GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align)
{
    return SetAlignment(format, align, &GpStringFormat::align);
}

GpStatus GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align)
{
    return SetAlignment(format, align, &GpStringFormat::lineAlign);
}
