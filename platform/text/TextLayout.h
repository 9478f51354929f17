#pragma once

// Lays a run of text out in a box: lines broken at line feeds and, when
// asked to wrap, wherever the next word would cross the box's right edge
// (between words, or between any two CJK characters); each line placed by
// its advance width and the block of lines by the line metrics, at a
// fraction of the free space in each direction (0 near, 0.5 centred, 1 far).
// A box of zero width (or height) does not wrap (or limit lines) and aligns
// about its left (or top) edge. Drawing shows the glyphs in the context's
// current source.

#include "platform/text/Utf.h"

#include <cairo.h>

#include <optional>
#include <vector>

namespace text {

struct Box {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// Distances from a line's top to its baseline and from the baseline down,
// and from one line's top to the next's.
struct LineMetrics {
    double ascent;
    double descent;
    double spacing;
};

struct LayoutOptions {
    double alignX = 0;
    double alignY = 0;
    bool wrap = true; // break lines to fit a box with a width
    bool lineEnds = true; // line feeds start lines; otherwise they take no room
    bool limitLines = true; // a box with a height keeps the lines that start in it
    bool wholeLines = false; // ... or with this, only the lines that fit whole
    bool trailingSpaces = false; // a line's spaces at its end count in its width
    bool endEllipsis = false; // a line wider than the box ends in "..." where it fits
    bool snap = false; // lines start at whole pixels (left and top rounded down)
    std::optional<LineMetrics> metrics; // the font's own when not given
    // Each character's advance, in place of the font's, when given (one per
    // code point of the text).
    const std::vector<double>* advances = nullptr;
};

struct TextLine {
    int first; // clusters [first, last) are drawn
    int last;
    double x; // origin of the first glyph
    double baseline;
    double advance; // width of the drawn glyphs, trailing spaces included only if asked
    bool ellipsis = false; // three dots follow the drawn clusters
};

// The ink the glyphs drew, a pixel wider on each side for anti-aliasing;
// empty when x0 >= x1.
struct InkBox {
    double x0, y0, x1, y1;
    bool Empty() const { return !(x0 < x1 && y0 < y1); }
};

// Shows glyphs on the context in its current source and scaled font, and
// answers their ink box in user space.
InkBox ShowGlyphs(cairo_t* cr, const std::vector<cairo_glyph_t>& glyphs);

class TextLayout {
public:
    // units: the length of the text in the caller's code units, what
    // CodeUnitsFitted answers when everything fits.
    TextLayout(cairo_scaled_font_t* font, const std::vector<CodePoint>& text, int units, const Box& box,
        const LayoutOptions& options);

    const std::vector<TextLine>& Lines() const { return lines_; }
    std::vector<cairo_glyph_t> Glyphs(const TextLine& line) const;
    // The box the laid-out lines take: their advance widths, and the
    // top-to-bottom height of the block.
    Box Bounds() const { return bounds_; }
    // Code units taken up by the laid-out lines.
    int CodeUnitsFitted() const { return fitted_; }
    // Where the glyph of code point index i was placed: its line and the
    // left and right of its advance. False when it was not drawn.
    bool Place(int index, const TextLine*& line, double& x0, double& x1) const;

    // Shows every line's glyphs on the context (whose scaled font must be
    // the one laid out with) and answers the ink box in user space.
    InkBox Draw(cairo_t* cr) const;

private:
    struct Cluster {
        CodePoint cp;
        unsigned long glyph;
        double advance;
    };
    struct Span {
        int first, last, next; // drawn [first, last); the next line starts at next
    };

    void Shape(cairo_scaled_font_t* font, const std::vector<CodePoint>& text, const std::vector<double>* advances);
    std::vector<Span> BreakLines(double width, const LayoutOptions& options) const;
    double Advance(int first, int last) const;
    bool IsBreak(int i, const LayoutOptions& options) const;
    // Cuts the span back so that it and the three dots fit the width.
    void Ellipsize(Span& span, double width, bool& ellipsis) const;

    std::vector<Cluster> clusters_;
    std::vector<TextLine> lines_;
    unsigned long dotGlyph_ = 0;
    double dotAdvance_ = 0;
    Box bounds_ {};
    int fitted_ = 0;
};

} // namespace text
