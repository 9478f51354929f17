#pragma once

// Lays a string out in a rectangle: lines broken at line feeds and, unless
// the format says not to wrap, wherever the next word would cross the
// rectangle's right edge (between words, or between any two CJK
// characters); each line placed by its advance width and the block of lines
// by the font's ascent and descent, near, centred or far in each direction.
// A rectangle of zero width (or height) does not wrap (or limit lines) and
// aligns about its left (or top) edge.

#include "platform/gdiplus/StringFormat.h"
#include "platform/gdiplus/Utf16.h"

#include <cairo.h>

#include <vector>

namespace gdiplus {

struct TextLine {
    int first; // clusters [first, last) are drawn
    int last;
    double x; // origin of the first glyph
    double baseline;
    double advance; // width of the drawn glyphs, trailing spaces included only if asked
};

class TextLayout {
public:
    TextLayout(cairo_scaled_font_t* font, const WCHAR* text, int length, const RectF& rect,
        const GpStringFormat& format);

    const std::vector<TextLine>& Lines() const { return lines_; }
    std::vector<cairo_glyph_t> Glyphs(const TextLine& line) const;
    // The box the laid-out lines take: their advance widths, and the
    // ascent-to-descent height of the block.
    RectF Bounds() const { return bounds_; }
    // UTF-16 code units taken up by the laid-out lines.
    int CodeUnitsFitted() const { return fitted_; }

private:
    struct Cluster {
        CodePoint cp;
        unsigned long glyph;
        double advance;
    };
    struct Span {
        int first, last, next; // drawn [first, last); the next line starts at next
    };

    void Shape(cairo_scaled_font_t* font, const WCHAR* text, int length);
    std::vector<Span> BreakLines(double width, bool wrap, bool trailingSpaces) const;
    double Advance(int first, int last) const;

    std::vector<Cluster> clusters_;
    std::vector<TextLine> lines_;
    RectF bounds_ {};
    int fitted_ = 0;
};

} // namespace gdiplus
