#pragma once

// From a family name to an installed face: fontconfig resolves the name
// through the aliases of FontAliases.cpp, and cairo renders the face it
// found through FreeType.

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <string>

namespace text {

// Styles a face is asked for in; the same bits as the GDI+ font styles.
inline constexpr int kStyleBold = 1;
inline constexpr int kStyleItalic = 2;

// The installed face for a family name (UTF-8) in a style, ready to render:
// with its file, index and any synthetic emboldening or slant. Null when
// nothing installed really carries the name or one of its aliases, that is,
// when fontconfig could only offer its last-resort default. The caller owns
// the pattern. Loads the aliases first.
FcPattern* ResolveFace(const std::string& family, int style);

// A cairo face over a resolved fontconfig face. Only the file and the
// synthetic styling are passed on, so that rendering options come from the
// caller (see Rendering in ScaledFont.h) rather than from the system's
// defaults. The caller owns the face; check cairo_font_face_status.
cairo_font_face_t* CreateCairoFace(FcPattern* resolved);

} // namespace text
